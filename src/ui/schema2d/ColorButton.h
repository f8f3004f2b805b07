#pragma once

// A button that shows a colour as a filled square and lets the user choose another with the
// colour chooser.

#include <QColor>
#include <QPushButton>

class TColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    // Shows the colour; no signal.
    void SetColor(const QColor& color);
    // Takes the colour as the user's choice: shows it and emits Picked.
    void Pick(const QColor& color);

    QSize sizeHint() const override;

signals:
    void Picked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();

    QColor color_ = Qt::white;
};
