#pragma once

// The hourglass cursor for the length of a scope (or until Restore), for work that keeps
// the user waiting.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
    void Restore();

private:
    bool active_ = true;
};
