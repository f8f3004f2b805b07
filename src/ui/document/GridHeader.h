#pragma once

#include <QHeaderView>

// The heading row of a document table: headings of one or two lines (short title and
// unit), a pointing hand over the headings that sort when clicked.
class TGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TGridHeader(QWidget* parent = nullptr);
    void SetHeight(int height);
    QSize sizeHint() const override;
    // What the headings need in the current font: the row's height (at least `least`) and a
    // column's width.
    int NeededHeight(int least) const;
    int NeededWidth(int logical) const { return sectionSizeFromContents(logical).width(); }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int height_ = 0;
};
