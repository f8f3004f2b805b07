#pragma once

// The print dialog's picture of the sheet grid: every sheet of paper, the schema's outline,
// the legend and title-block areas, the selected sheets in the fill colour. A click on a
// sheet selects or deselects it.

#include "core/printing/SheetLayout.h"

#include <QColor>
#include <QWidget>

#include <optional>
#include <vector>

class TSheetPreview : public QWidget {
    Q_OBJECT
public:
    explicit TSheetPreview(QWidget* parent = nullptr);

    // None greys the picture (the scale typed is not valid).
    void SetLayout(const std::optional<TSheetLayout>& layout, std::vector<bool>* selected);
    void SetFill(const QColor& colour);
    QColor Fill() const { return fill_; }
    // 1…4: how much larger than fitting the widget the grid is drawn.
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }
    // The sheet under a widget point, as an index in row order, or -1.
    int SheetAt(QPoint position) const;
    QSize sizeHint() const override { return QSize(360, 300); }

signals:
    void SelectionToggled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Pixels a centimetre and the grid's top-left in the widget.
    double Ratio() const;
    QPointF Origin() const;

    std::optional<TSheetLayout> layout_;
    std::vector<bool>* selected_ = nullptr;
    QColor fill_ = QColor(255, 255, 0);
    double zoom_ = 1;
};
