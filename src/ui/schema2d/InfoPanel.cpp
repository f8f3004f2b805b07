#include "ui/schema2d/InfoPanel.h"

#include "core/schema/ObjectDescription.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// No line of the panel is wider than this: a branch comment or a mine name of thousands of
// characters is cut with "…", and the whole text is the panel's hint.
constexpr int kLineWidth = 320;

void SetElided(QLabel* label, const QStringList& items)
{
    const QFontMetrics metrics(label->font());
    // An item may hold line breaks of its own (a comment typed on several lines).
    const QStringList lines = items.join(QLatin1Char('\n')).split(QLatin1Char('\n'));
    QStringList shown;
    bool cut = false;
    for (const QString& line : lines) {
        const QString elided = metrics.elidedText(line, Qt::ElideRight, kLineWidth);
        cut = cut || elided != line;
        shown << elided;
    }
    label->setText(shown.join(QLatin1Char('\n')));
    label->setToolTip(cut ? lines.join(QLatin1Char('\n')) : QString());
}

}  // namespace

TInfoPanel::TInfoPanel(QWidget* parent) : QDockWidget(QStringLiteral("Информация"), parent)
{
    setObjectName(QStringLiteral("InfoPanel"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable | QDockWidget::DockWidgetClosable);
    auto* body = new QWidget(this);
    summary_ = new QLabel(body);
    summary_->setObjectName(QStringLiteral("MineSummary"));
    description_ = new QLabel(body);
    description_->setObjectName(QStringLiteral("ObjectDescription"));
    for (QLabel* label : {summary_, description_}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // The panel's width is the user's: a long text never widens it.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    // Nor does a comment of many lines make it taller than the window.
    description_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(summary_);
    layout->addWidget(description_, 1);
    body->setMinimumWidth(190);
    setWidget(body);
}

void TInfoPanel::ShowMine(const TMine* mine)
{
    SetElided(summary_, mine ? ObjectDescription::MineSummary(*mine).split(QLatin1Char('\n')) : QStringList());
}

void TInfoPanel::ShowObject(const TMineObject* object)
{
    // Items: the label, then dots up to the item's width in this font, then the value.
    const QFontMetrics metrics(description_->font());
    QStringList lines;
    for (const TDescriptionLine& line : ObjectDescription::Describe(object)) {
        if (!line.Item) {
            lines << line.Label;
            continue;
        }
        QString label = line.Label;
        while (metrics.horizontalAdvance(label) < line.Width && label.size() < 200)
            label += QLatin1Char('.');
        lines << label + QLatin1Char(' ') + line.Value;
    }
    SetElided(description_, lines);
}

QString TInfoPanel::SummaryText() const { return summary_->text(); }
QString TInfoPanel::DescriptionText() const { return description_->text(); }
