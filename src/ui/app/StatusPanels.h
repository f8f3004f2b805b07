#pragma once

// The main window's status bar: panels 0 mine name, 1 node row "row/count", 2 branch row,
// 3 "Изменен", 4 the place of the progress bar, 5 the progress caption or the length of the
// selected branches. A panel is as wide as the design says and wider when its text needs it,
// so counts of a large mine are never cut. While a command's long hint is shown, one panel
// with the hint takes the whole bar.

#include <QString>

#include <array>
#include <memory>

class QLabel;
class QProgressBar;
class QStatusBar;
class TStatusProgress;

class TStatusPanels {
public:
    static constexpr int kCount = 6;
    static constexpr int kProgressPanel = 4;
    static constexpr int kCaptionPanel = 5;

    explicit TStatusPanels(QStatusBar* bar);
    ~TStatusPanels();

    // Sets the text of a panel and widens it when the text needs more room.
    void SetText(int panel, const QString& text);
    QString Text(int panel) const;
    QLabel* Panel(int panel) const { return panels_.at(size_t(panel)); }

    // Empty text: the panels come back.
    void ShowHint(const QString& text);
    QString HintText() const;

    TStatusProgress& Progress() const { return *progress_; }

private:
    void FitWidth(int panel);

    std::array<QLabel*, kCount> panels_{};  // children of the status bar
    QLabel* hint_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    std::unique_ptr<TStatusProgress> progress_;
};
