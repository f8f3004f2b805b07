#include "ui/schema2d/ScaleComboBox.h"

#include "render/schema2d/ZoomSteps.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/TypedComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

// The mark of the symbol-factor limit: a small filled triangle.
QIcon LimitIcon()
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    p.drawPolygon(QPolygonF({QPointF(2, 2), QPointF(10, 6), QPointF(2, 10)}));
    return QIcon(pixmap);
}

bool SameScale(double a, double b)
{
    return std::lround(100 * a) == std::lround(100 * b);
}

}  // namespace

TScaleComboBox::TScaleComboBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ScaleComboBox"));
    TypedComboBox::Apply(this);
    setMaxVisibleItems(20);
    addItems(ZoomSteps::ScaleBoxTexts());
    for (int i = 0; i < count(); ++i)
        setItemData(i, ZoomSteps::kTable[size_t(i)]);
    lineEdit()->installEventFilter(this);
    view()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int index) {
        // The box also reports the entry matching a confirmed text once editing ends: that
        // scale is already set, and setting it again would lose the previous scale.
        const double scale = itemData(index).toDouble();
        if (!SameScale(scale, shown_))
            emit ScaleChosen(scale);
        RestoreText();
    });
    connect(lineEdit(), &QLineEdit::returnPressed, this, &TScaleComboBox::ConfirmText);
    ShowScale(1);
}

void TScaleComboBox::ShowScale(double scale)
{
    shown_ = scale;
    RestoreText();
}

void TScaleComboBox::RestoreText()
{
    lineEdit()->setText(ZoomSteps::ScaleText(shown_));
}

void TScaleComboBox::MarkMaxLimScale(double scale)
{
    static const QIcon icon = LimitIcon();
    for (int i = 0; i < count(); ++i)
        setItemIcon(i, SameScale(itemData(i).toDouble(), scale) ? icon : QIcon());
}

void TScaleComboBox::ConfirmText()
{
    const ZoomSteps::TScaleInput input = ZoomSteps::ParseScaleText(lineEdit()->text().trimmed());
    if (!input.Scale) {
        MessageBoxes::Error(this, input.Error);
        RestoreText();
        setFocus();
        lineEdit()->selectAll();
        return;
    }
    // One Enter can confirm the same text twice; a scale already shown is not asked for again,
    // or it would become its own previous scale.
    if (!SameScale(*input.Scale, shown_))
        emit ScaleChosen(*input.Scale);
    RestoreText();
}

void TScaleComboBox::showPopup()
{
    QComboBox::showPopup();
    emit PopupVisible(true);
}

void TScaleComboBox::hidePopup()
{
    QComboBox::hidePopup();
    emit PopupVisible(false);
}

void TScaleComboBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        RestoreText();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

bool TScaleComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == view() && key->key() == Qt::Key_Space) {
            const QModelIndex index = view()->currentIndex();
            if (index.isValid()) {
                const double limit = itemData(index.row()).toDouble();
                MarkMaxLimScale(limit);
                emit MaxLimScaleChosen(limit);
            }
            return true;
        }
        if (watched == lineEdit() && key->key() == Qt::Key_Escape) {
            RestoreText();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}
