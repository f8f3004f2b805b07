#pragma once

// Help contexts of the main window's windows and panels; F1 opens the page of the innermost
// widget with the focus that carries one.

#include <QVariant>
#include <QWidget>

namespace HelpContexts {

inline constexpr int kMainWindow = 14;
inline constexpr int kDocument = 12;
inline constexpr int kTables = 28;
inline constexpr int kResults = 29;
inline constexpr int kDevicePanel = 25;
inline constexpr int kMessages = 145;
inline constexpr const char* kWidgetProperty = "helpContext";

inline void Set(QWidget* widget, int context)
{
    if (widget)
        widget->setProperty(kWidgetProperty, context);
}

}  // namespace HelpContexts
