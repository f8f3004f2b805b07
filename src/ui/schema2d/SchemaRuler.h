#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

// One ruler of the schema window (TopBox above the drawing, LeftBox beside it): ticks from
// the schema origin on the screen in both directions, labelled in centimetres or in pixels,
// and a grey line at the mouse when asked for.
class TSchemaRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 20;

    TSchemaRuler(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Where the origin lies in pixels from the ruler's start, the view scale and the unit.
    void SetScale(double zero, double scale, bool centimetres);
    void SetBackground(const QColor& colour);
    // The mouse position along the ruler, or none.
    void SetMouse(std::optional<double> position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    double zero_ = 0;
    double scale_ = 1;
    bool centimetres_ = true;
    QColor background_;
    std::optional<double> mouse_;
};
