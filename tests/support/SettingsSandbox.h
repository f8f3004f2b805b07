#pragma once

#include "core/settings/Config.h"
#include "core/settings/SettingsStore.h"
#include "support/TempDir.h"

#include <QString>

#include <memory>

// Settings in a temporary folder: a current-user store, a local-machine store, a documents
// folder and a program folder, all inside one TestTempDir. The current directory (which
// TConfig::EnsureFolders changes) is restored when the sandbox goes.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    QString root() const { return temp_.path(); }
    QString userFile() const { return temp_.path() + QStringLiteral("/user/registry.txt"); }
    QString machineFile() const { return temp_.path() + QStringLiteral("/machine/registry.txt"); }
    QString documentsDir() const { return temp_.path() + QStringLiteral("/Documents"); }
    QString applicationDir() const { return temp_.path() + QStringLiteral("/bin"); }

    SettingsStore& user() { return *user_; }
    SettingsStore& machine() { return *machine_; }
    // New store objects read from the files, as at the next start of the program.
    void restart();
    // Places for a TConfig on this sandbox's stores and folders.
    TConfigPlaces places();

private:
    TestTempDir temp_;
    QString savedCurrentDir_;
    std::unique_ptr<SettingsStore> user_;
    std::unique_ptr<SettingsStore> machine_;
};
