#pragma once

// The run of the desktop program once the INSTALL and UNINSTALL switches are out of the way:
// one program per user, the settings, the main window, the files of the command line and
// those that later starts hand over. main() is Start() and Run(); tests drive the same steps.

#include "ui/app/SingleInstance.h"

#include <QStringList>

#include <memory>
#include <optional>

class TConfig;
class TMainForm;

class DesktopSession {
public:
    // The arguments without the program name and without Qt's own options. The settings are
    // the user's unless given.
    explicit DesktopSession(QStringList arguments, std::unique_ptr<TConfig> config = nullptr,
                            const QString& serverName = SingleInstance::DefaultServerName());
    ~DesktopSession();

    // Claims the program's place, or hands the files to the program that holds it and returns
    // the exit status (0 once that program acknowledged them). Otherwise reads the settings
    // (saying so once when they cannot be read), builds and shows the main window, opens the
    // command-line files and then whatever later starts handed over meanwhile.
    std::optional<int> Start();
    // The event loop; the settings are written when it ends.
    int Run();

    TMainForm* MainWindow() const { return mainForm_.get(); }
    SingleInstance& Instance() { return instance_; }
    TConfig& Config() const { return *config_; }

private:
    QStringList arguments_;
    std::unique_ptr<TConfig> config_;
    SingleInstance instance_;
    std::unique_ptr<TMainForm> mainForm_;
};
