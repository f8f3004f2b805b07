#include "ui/editing/AngleDial.h"

#include <QLocale>

#include "core/services/NodeTransform.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

TAngleDial::TAngleDial(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("angleDial"));
    setMinimumSize(64, 64);
    setCursor(Qt::PointingHandCursor);
}

void TAngleDial::SetAngle(double degrees)
{
    if (angle_ == degrees)
        return;
    angle_ = degrees;
    update();
}

void TAngleDial::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = std::min(width(), height()) / 2.0 - 3;
    const QPointF c(width() / 2.0, height() / 2.0);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.drawEllipse(c, r, r);
    // Ticks every 45°.
    for (int a = 0; a < 360; a += 45) {
        const double t = a * std::numbers::pi / 180;
        p.drawLine(c + QPointF(std::sin(t), std::cos(t)) * (r - 5), c + QPointF(std::sin(t), std::cos(t)) * r);
    }
    // 0° straight up, positive angles to the left.
    const double t = angle_ * std::numbers::pi / 180;
    const QPointF tip = c + QPointF(-std::sin(t), -std::cos(t)) * (r - 4);
    p.setPen(QPen(QColor(Qt::red), 2));
    p.drawLine(c, tip);
    p.setBrush(QColor(Qt::red));
    p.drawEllipse(c, 3, 3);
}

void TAngleDial::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        TakePointer(event);
}

void TAngleDial::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        TakePointer(event);
}

void TAngleDial::TakePointer(QMouseEvent* event)
{
    const QPointF pos = event->position();
    double angle = NodeTransform::DialAngle(pos.x() - width() / 2.0, height() / 2.0 - pos.y());
    if (event->modifiers() & Qt::ControlModifier)
        angle = NodeTransform::SnapAngle(angle);
    angle = std::round(angle * 100) / 100;
    SetAngle(angle);
    emit AngleChosen(angle);
}

TAngleSpinBox::TAngleSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    // The program writes numbers with a point whatever the system's locale, as the tables do;
    // a typed comma is taken for the point.
    QLocale point = QLocale::c();
    point.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    setLocale(point);
    setDecimals(2);
    setRange(-100000, 100000);
    setSingleStep(1);
}

QValidator::State TAngleSpinBox::validate(QString& input, int& pos) const
{
    input.replace(u',', u'.');
    return QDoubleSpinBox::validate(input, pos);
}

double TAngleSpinBox::valueFromText(const QString& text) const
{
    return QDoubleSpinBox::valueFromText(QString(text).replace(u',', u'.'));
}

void TAngleSpinBox::stepBy(int steps)
{
    if (QApplication::keyboardModifiers() & Qt::ControlModifier)
        setValue(value() + steps * 0.1);
    else
        QDoubleSpinBox::stepBy(steps);
}
