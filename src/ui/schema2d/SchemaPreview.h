#pragma once

// The options dialog's sample of the schema: the preview network (owned here, so it goes with
// the dialog) drawn with the colours being edited, at scale 1, centred. Clicking a node or a branch selects it (and nothing else), so
// the selected-object colours can be seen; clicking empty space clears the selection.

#include "core/settings/Colors2D.h"
#include "render/schema2d/DrawnObjects.h"

#include <QWidget>

#include <memory>

class TMine;
class TSchemaScene;

class TSchemaPreview : public QWidget {
    Q_OBJECT
public:
    TSchemaPreview(std::unique_ptr<TMine> mine, QWidget* parent = nullptr);
    ~TSchemaPreview() override;

    TMine& Mine() const { return *mine_; }
    void SetColors(const TColors2D& colors);
    // Selects what lies under the point (widget coordinates), as a click does.
    void ClickAt(QPointF point);
    // Where a schema position is shown, in widget coordinates (tests and screenshots).
    QPointF WidgetPoint(QPointF schema) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Layout;
    Layout Place() const;

    std::unique_ptr<TMine> mine_;
    std::unique_ptr<TSchemaScene> scene_;
    TColors2D colors_;
    TDrawnObjects drawn_;
};
