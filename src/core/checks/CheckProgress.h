#pragma once

#include <QString>
#include <QtGlobal>

// Progress of a long check, told to whoever shows it (the status-bar progress bar). The
// checks never run the event loop themselves; a display that wants to repaint does it in
// Step.
class ICheckProgress {
public:
    virtual ~ICheckProgress() = default;
    virtual void Start(const QString& caption, qint64 total) = 0;
    virtual void SetCaption(const QString& caption) = 0;
    // done: steps finished so far, 0..total.
    virtual void Step(qint64 done) = 0;
    virtual void Finish() = 0;
};
