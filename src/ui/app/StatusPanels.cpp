#include "ui/app/StatusPanels.h"

#include "ui/app/StatusProgress.h"
#include "ui/document/ChildForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

namespace {

// Widths of the design: mine name, node row, branch row, "Изменен", progress.
constexpr int kDesignWidths[TStatusPanels::kProgressPanel + 1] = {180, 80, 80, 55, 100};

}  // namespace

TStatusPanels::TStatusPanels(QStatusBar* bar)
{
    for (int i = 0; i < kCount; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panels_[size_t(i)] = panel;
        if (i == kCaptionPanel)
            bar->addPermanentWidget(panel, 1);
        else
            bar->addPermanentWidget(panel);
    }
    for (int i = 0; i < kCaptionPanel; ++i)
        FitWidth(i);

    progressBar_ = new QProgressBar(Panel(kProgressPanel));
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setTextVisible(false);
    progressBar_->setGeometry(3, 3, kDesignWidths[kProgressPanel] - 6, 14);
    progressBar_->hide();
    progress_ = std::make_unique<TStatusProgress>(progressBar_, Panel(kCaptionPanel));

    hint_ = new QLabel(bar);
    hint_->setObjectName(QStringLiteral("StatusHint"));
    bar->addPermanentWidget(hint_, 1);
    hint_->hide();
}

TStatusPanels::~TStatusPanels() = default;

void TStatusPanels::SetText(int panel, const QString& text)
{
    if (panel < 0 || panel >= kCount)
        return;
    Panel(panel)->setText(text);
    if (panel < kProgressPanel)
        FitWidth(panel);
}

QString TStatusPanels::Text(int panel) const
{
    return panel >= 0 && panel < kCount ? Panel(panel)->text() : QString();
}

void TStatusPanels::FitWidth(int panel)
{
    QLabel* label = Panel(panel);
    // "Изменен" comes and goes: its panel keeps the room for it, so the others do not jump.
    const QString& text = panel == 3 ? ChildFormTexts::kModified : label->text();
    // Frame and a little air on each side.
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 8;
    const int width = std::max(kDesignWidths[panel], needed);
    if (label->minimumWidth() != width || label->maximumWidth() != width)
        label->setFixedWidth(width);
}

void TStatusPanels::ShowHint(const QString& text)
{
    const bool hint = !text.isEmpty();
    hint_->setText(text);
    hint_->setVisible(hint);
    for (QLabel* panel : panels_)
        panel->setVisible(!hint);
}

QString TStatusPanels::HintText() const
{
    return hint_->isHidden() ? QString() : hint_->text();
}
