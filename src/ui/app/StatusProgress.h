#pragma once

#include "core/checks/CheckProgress.h"

class QLabel;
class QProgressBar;

// The progress display of long work in the main window's status bar: an hourglass cursor,
// a progress bar over its panel and the caption in the last panel. Between steps the
// window repaints; user input waits until the work is done.
class TStatusProgress : public ICheckProgress {
public:
    TStatusProgress(QProgressBar* bar, QLabel* caption);
    ~TStatusProgress() override;

    void Start(const QString& caption, qint64 total) override;
    void SetCaption(const QString& caption) override;
    void Step(qint64 done) override;
    void Finish() override;

    bool Running() const { return running_; }

private:
    void Repaint();

    QProgressBar* bar_;
    QLabel* caption_;
    qint64 total_ = 0;
    int lastPercent_ = -1;
    bool running_ = false;
};
