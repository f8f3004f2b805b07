#include "support/SettingsSandbox.h"

#include <QDir>

SettingsSandbox::SettingsSandbox() : savedCurrentDir_(QDir::currentPath())
{
    restart();
}

SettingsSandbox::~SettingsSandbox()
{
    QDir::setCurrent(savedCurrentDir_);
}

void SettingsSandbox::restart()
{
    user_ = std::make_unique<SettingsStore>(userFile());
    machine_ = std::make_unique<SettingsStore>(machineFile(), SettingsStore::Access::ReadOnly);
}

TConfigPlaces SettingsSandbox::places()
{
    TConfigPlaces places;
    places.CurrentUser = user_.get();
    places.LocalMachine = machine_.get();
    places.DocumentsDir = documentsDir();
    places.ApplicationDir = applicationDir();
    return places;
}
