#pragma once

class ICheckProgress;
class TBusyCounter;

// How a check runs: the user's settings and the document's hooks. Both hooks are optional.
struct TCheckOptions {
    // Write warnings besides errors (application setting).
    bool ShowWarnings = true;
    // Projected pipes take part like laid ones (the document's switch).
    bool UseProjectedPipes = false;
    ICheckProgress* Progress = nullptr;
    TBusyCounter* Busy = nullptr;
};

// What a run left in the message list, so the caller can open the panel at its first line.
struct TCheckOutcome {
    bool ErrorsFound = false;
    bool WarningsFound = false;
    // Index of the first line this run wrote (equal to the line count when it wrote none).
    int FirstLine = 0;

    bool HasFindings() const { return ErrorsFound || WarningsFound; }
};
