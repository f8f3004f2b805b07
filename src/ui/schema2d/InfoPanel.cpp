#include "ui/schema2d/InfoPanel.h"

#include "core/schema/ObjectDescription.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

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
    }
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(summary_);
    layout->addWidget(description_, 1);
    body->setMinimumWidth(190);
    setWidget(body);
}

void TInfoPanel::ShowMine(const TMine* mine)
{
    summary_->setText(mine ? ObjectDescription::MineSummary(*mine) : QString());
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
    description_->setText(lines.join(QLatin1Char('\n')));
}

QString TInfoPanel::SummaryText() const { return summary_->text(); }
QString TInfoPanel::DescriptionText() const { return description_->text(); }
