#include "ui/app/Startup.h"

#include "core/settings/Config.h"
#include "ui/common/MessageBoxes.h"

bool LoadStartupSettings(TConfig& config, QWidget* parent)
{
    if (config.Load())
        return true;
    TMessageRecord message;
    message.Caption = kConfigLoadFailedCaption;
    message.Text = kConfigLoadFailedText;
    message.Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.Icon = TMsgIcon::Information;
    MessageBoxes::Show(parent, message);
    return false;
}
