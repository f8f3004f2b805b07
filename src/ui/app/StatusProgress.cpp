#include "ui/app/StatusProgress.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QProgressBar>

TStatusProgress::TStatusProgress(QProgressBar* bar, QLabel* caption) : bar_(bar), caption_(caption) {}

TStatusProgress::~TStatusProgress()
{
    if (running_)
        QApplication::restoreOverrideCursor();
}

void TStatusProgress::Start(const QString& caption, qint64 total)
{
    if (!running_)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    running_ = true;
    total_ = total > 0 ? total : 1;
    lastPercent_ = -1;
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->show();
    caption_->setText(caption);
    Repaint();
}

void TStatusProgress::SetCaption(const QString& caption)
{
    caption_->setText(caption);
    Repaint();
}

void TStatusProgress::Step(qint64 done)
{
    // The bar counts in percent: a check of a large mine steps far more often than the
    // bar can show, and repainting on every step would cost more than the check.
    const int percent = static_cast<int>(std::clamp<qint64>(done * 100 / total_, 0, 100));
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    bar_->setValue(percent);
    Repaint();
}

void TStatusProgress::Finish()
{
    if (!running_)
        return;
    running_ = false;
    bar_->hide();
    caption_->clear();
    QApplication::restoreOverrideCursor();
}

void TStatusProgress::Repaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
