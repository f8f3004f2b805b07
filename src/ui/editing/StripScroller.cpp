#include "ui/editing/StripScroller.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

TStripScroller::TStripScroller(QWidget* strip, int maxFactor, QWidget* parent)
    : QWidget(parent), strip_(strip), maxFactor_(std::max(1, maxFactor))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    area_ = new QScrollArea(this);
    area_->setFrameShape(QFrame::NoFrame);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setWidgetResizable(false);
    area_->setWidget(strip_);
    area_->setFixedHeight(strip_->minimumHeight());
    grid->addWidget(area_, 0, 0, 1, 4);
    size_ = new QScrollBar(Qt::Horizontal, this);
    size_->setObjectName(QStringLiteral("sizeBar"));
    size_->setRange(0, 100);
    size_->setPageStep(10);
    offset_ = new QScrollBar(Qt::Horizontal, this);
    offset_->setObjectName(QStringLiteral("offsetBar"));
    grid->addWidget(new QLabel(QStringLiteral("Размер"), this), 1, 0);
    grid->addWidget(size_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Смещение"), this), 1, 2);
    grid->addWidget(offset_, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);

    QScrollBar* inner = area_->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, offset_, [this](int min, int max) {
        offset_->setRange(min, max);
        offset_->setPageStep(area_->viewport()->width());
        offset_->setEnabled(max > min);
    });
    connect(offset_, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    connect(inner, &QScrollBar::valueChanged, offset_, &QScrollBar::setValue);
    connect(size_, &QScrollBar::valueChanged, this, &TStripScroller::Relayout);
    offset_->setEnabled(false);
}

void TStripScroller::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void TStripScroller::Relayout()
{
    // The area's own size, not its viewport's: before the window first shows, the viewport
    // still has its default 100 pixels while the area is already laid out.
    const QSize visible = area_->maximumViewportSize();
    const double factor = 1.0 + (maxFactor_ - 1) * size_->value() / 100.0;
    strip_->resize(int(visible.width() * factor), visible.height());
}

void TStripScroller::EnsureVisible(int x)
{
    area_->ensureVisible(x, strip_->height() / 2, 20, 0);
}
