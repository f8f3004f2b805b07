#pragma once

// The sample table of the settings dialog's colour page: two columns and a few rows drawn with
// the table font and the four cell styles, so the user sees the choice before pressing OK.

#include "core/settings/Config.h"

#include <QWidget>

class TCellStyleSample : public QWidget {
    Q_OBJECT
public:
    explicit TCellStyleSample(QWidget* parent = nullptr);

    void SetLook(const TConfigData& look);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TConfigData look_;
};
