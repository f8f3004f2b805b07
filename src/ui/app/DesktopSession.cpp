#include "ui/app/DesktopSession.h"

#include "core/settings/Config.h"
#include "core/shell/CommandLineFiles.h"
#include "render/schema2d/TextBlockLook.h"
#include "ui/app/HelpViewer.h"
#include "ui/app/MainForm.h"
#include "ui/app/Startup.h"
#include "ui/schema2d/SchemaSettings.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

void Warn(const QString& text)
{
    std::fprintf(stderr, "irvata: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

DesktopSession::DesktopSession(QStringList arguments, std::unique_ptr<TConfig> config, const QString& serverName)
    : arguments_(std::move(arguments)), config_(config ? std::move(config) : std::make_unique<TConfig>()),
      instance_(serverName)
{
}

DesktopSession::~DesktopSession()
{
    // The window goes before the settings it refers to.
    mainForm_.reset();
}

std::optional<int> DesktopSession::Start()
{
    // Names are resolved against the folder the program was started in: reading the settings
    // makes the source data folder current, and the running program has a folder of its own.
    const QStringList files = CommandLineFiles(arguments_, QDir::currentPath());

    switch (instance_.claim()) {
    case SingleInstance::Claim::Running:
        break;
    case SingleInstance::Claim::Another:
        // "irvata a.irv", "irvata -DDE a.irv", or "irvata" alone (the running one comes forward).
        if (instance_.tryHandOver(files))
            return 0;
        Warn(QStringLiteral("запущенная программа не ответила; программа работает отдельно"));
        break;
    case SingleInstance::Claim::Failed:
        Warn(QStringLiteral("не удалось открыть канал для передачи файлов (%1); программа работает отдельно")
                 .arg(instance_.serverName()));
        break;
    }

    // Later starts are answered from here on, also while the first-run message is shown:
    // their files wait in the queue until the main window can open them.
    LoadStartupSettings(*config_);
    mainForm_ = std::make_unique<TMainForm>(*config_);
    mainForm_->SchemaSettings().Load(config_->UserStore());
    // Text blocks measure themselves with the schema's fonts.
    InstallTextBlockMeasurer();
    QObject::connect(&instance_, &SingleInstance::openRequested, mainForm_.get(), &TMainForm::OpenPaths);
    // The run ends with the main window, whatever other windows (help) are open.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(mainForm_.get(), &TMainForm::Closed, qApp, [] {
        if (HelpViewer* help = HelpViewer::Instance())
            help->close();
        QCoreApplication::quit();
    });
    mainForm_->show();
    mainForm_->OpenStartupFiles(files);
    instance_.setReady();
    return std::nullopt;
}

int DesktopSession::Run()
{
    const int result = QApplication::exec();
    // The schema's look and switches join the settings written below.
    mainForm_->SchemaSettings().Save(config_->UserStore());
    mainForm_.reset();
    config_->Save();
    return result;
}
