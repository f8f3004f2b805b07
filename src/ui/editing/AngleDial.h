#pragma once

// The rotation angle's entry: a painted dial that sets the angle from the pointer while the
// left button is held (Ctrl snaps to 5°), and a field whose arrows step 1° (0.1° with Ctrl).

#include <QDoubleSpinBox>
#include <QWidget>

class TAngleDial : public QWidget {
    Q_OBJECT
public:
    explicit TAngleDial(QWidget* parent = nullptr);
    double Angle() const { return angle_; }
    void SetAngle(double degrees);
    QSize sizeHint() const override { return {96, 96}; }

signals:
    void AngleChosen(double degrees);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void TakePointer(QMouseEvent* event);
    double angle_ = 0;
};

class TAngleSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TAngleSpinBox(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    double valueFromText(const QString& text) const override;
};
