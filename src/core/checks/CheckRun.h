#pragma once

#include "core/checks/CheckOptions.h"
#include "core/checks/MessageList.h"

#include <QString>

class TMine;

// State shared by the phases of one command: where findings go, the options, and the
// progress display, which the command's outermost phase starts and this object ends (also
// when a phase throws).
class TCheckRun {
public:
    TCheckRun(const TMine& mine, TMessageList& list, const TCheckOptions& options)
        : Mine(mine), List(list), Options(options)
    {
    }
    ~TCheckRun() { FinishProgress(); }
    TCheckRun(const TCheckRun&) = delete;
    TCheckRun& operator=(const TCheckRun&) = delete;

    const TMine& Mine;
    TMessageList& List;
    const TCheckOptions& Options;

    void Error(const QString& message, const TMineObject* object = nullptr) { List.AddError(message, object); }
    void Warning(const QString& message, const TMineObject* object = nullptr) { List.AddWarning(message, object); }
    // A phase header; the caption of the progress display follows it.
    void Header(const QString& text)
    {
        SetCaption(text);
        List.AddCheckLine(text);
    }

    void StartProgress(const QString& caption, qint64 total);
    void SetCaption(const QString& caption);
    void Advance(qint64 steps);
    void FinishProgress();

private:
    bool started_ = false;
    qint64 done_ = 0;
    qint64 total_ = 0;
};
