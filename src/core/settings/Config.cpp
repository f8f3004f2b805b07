#include "core/settings/Config.h"

#include "core/settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>

// ---------------------------------------------------------------------------------------------
// TCellStyle

QByteArray TCellStyle::Encode() const
{
    QByteArray record(kRecordSize, '\0');
    record[0] = char(Style);
    qToLittleEndian<quint32>(TextColor, record.data() + 1);
    qToLittleEndian<quint32>(BackColor, record.data() + 5);
    return record;
}

std::optional<TCellStyle> TCellStyle::Decode(const QByteArray& record)
{
    if (record.size() != kRecordSize)
        return std::nullopt;
    TCellStyle style;
    style.Style = quint8(record[0]);
    style.TextColor = qFromLittleEndian<quint32>(record.constData() + 1);
    style.BackColor = qFromLittleEndian<quint32>(record.constData() + 5);
    return style;
}

// ---------------------------------------------------------------------------------------------
// TConfig

namespace {

template <typename T>
bool take(const std::optional<T>& stored, T& field)
{
    if (!stored)
        return false;
    field = *stored;
    return true;
}

bool takePositive(const std::optional<qint32>& stored, qint32& field)
{
    if (!stored || *stored <= 0)
        return false;
    field = *stored;
    return true;
}

bool takeFinite(const std::optional<double>& stored, double& field)
{
    if (!stored || !std::isfinite(*stored))
        return false;
    field = *stored;
    return true;
}

bool takeStyle(const std::optional<QByteArray>& stored, TCellStyle& field)
{
    if (!stored)
        return false;
    return take(TCellStyle::Decode(*stored), field);
}

}  // namespace

TConfig::TConfig() : TConfig(TConfigPlaces{}) {}

TConfig::TConfig(const TConfigPlaces& places) : places_(places)
{
    ResetDefaults();
    ResetColors();
}

SettingsStore& TConfig::UserStore() const
{
    return places_.CurrentUser ? *places_.CurrentUser : SettingsStore::currentUser();
}

SettingsStore& TConfig::MachineStore() const
{
    return places_.LocalMachine ? *places_.LocalMachine : SettingsStore::localMachine();
}

QString TConfig::WithTrailingSeparator(const QString& dir)
{
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')))
        return dir;
    return dir + QLatin1Char('/');
}

QString TConfig::DocumentsDir() const
{
    QString dir = places_.DocumentsDir;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    while (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString TConfig::DefaultSourcePath() const
{
    return DocumentsDir() + QStringLiteral("/korvelab/Ирвата/");
}

QString TConfig::DefaultDBPath() const
{
    const auto shared = MachineStore().readString(kCommonPathKey, kCommonPathDBValue);
    if (shared && !shared->isEmpty() && QFileInfo(*shared).isDir())
        return WithTrailingSeparator(*shared);
    return DocumentsDir() + QStringLiteral("/korvelab/Характеристики насосов/");
}

QString TConfig::DefaultHelpPath() const
{
    // The program's folder itself: nothing is cut off the path.
    QString dir = places_.ApplicationDir;
    if (dir.isEmpty())
        dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    while (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    // Beside the program in a build tree; under share/ once installed.
    const QString beside = dir + QStringLiteral("/help/");
    const QString installed = QDir::cleanPath(dir + QStringLiteral("/../share/irvata/help")) + QLatin1Char('/');
    if (!QDir(beside).exists() && QDir(installed).exists())
        return installed;
    return beside;
}

void TConfig::ResetDefaults()
{
    const TConfigData defaults;
    RememberLastFile = defaults.RememberLastFile;
    WasOpened = defaults.WasOpened;
    ShowDims = defaults.ShowDims;
    ShowWarnings = defaults.ShowWarnings;
    DefaultKoefR = defaults.DefaultKoefR;
    Exact = defaults.Exact;
    MaxDeltaP = defaults.MaxDeltaP;
    SourcePath = NewSourcePath = DefaultSourcePath();
    DBPath = NewDBPath = DefaultDBPath();
    HelpPath = NewHelpPath = DefaultHelpPath();
    DoubleBuffer = defaults.DoubleBuffer;
    LineSmooth = defaults.LineSmooth;
    GridStep3D = defaults.GridStep3D;
    Scale2D = defaults.Scale2D;
    GridStep2D = defaults.GridStep2D;
}

void TConfig::ResetColors()
{
    const TConfigData defaults;
    FontName = defaults.FontName;
    FontSize = defaults.FontSize;
    DataCell = defaults.DataCell;
    CurCell = defaults.CurCell;
    SelCell = defaults.SelCell;
    SurfacedCell = defaults.SurfacedCell;
}

void TConfig::Assign(const TConfigData& other) { static_cast<TConfigData&>(*this) = other; }

void TConfig::AddRecentFile(const QString& path)
{
    if (path.isEmpty())
        return;
    RecentFiles.removeAll(path);
    RecentFiles.prepend(path);
    while (RecentFiles.size() > kMaxRecentFiles)
        RecentFiles.removeLast();
}

bool TConfig::EnsureFolders()
{
    bool ok = true;
    for (const QString* dir : {&SourcePath, &DBPath}) {
        if (dir->isEmpty() || !QDir().mkpath(*dir))
            ok = false;
    }
    // The help pages ship with the program and may sit where users cannot write: a help
    // folder that cannot be made is no reason to drop the settings.
    if (!HelpPath.isEmpty())
        QDir().mkpath(HelpPath);
    if (SourcePath.isEmpty() || !QDir::setCurrent(SourcePath))
        ok = false;
    return ok;
}

bool TConfig::Load()
{
    ResetDefaults();
    ResetColors();
    const bool ok = LoadValues();
    if (!ok) {
        ResetDefaults();
        ResetColors();
    }
    LoadRecentFiles();
    return ok;
}

bool TConfig::LoadValues()
{
    SettingsStore& store = UserStore();

    // 1. The base key, in this order.
    const auto base = store.openKey(kConfigBaseKey);
    if (!base)
        return false;
    if (!take(base->readBool(QStringLiteral("RememberLastFile")), RememberLastFile)
        || !take(base->readBool(QStringLiteral("WasOpened")), WasOpened)
        || !take(base->readBool(QStringLiteral("ShowDims")), ShowDims)
        || !take(base->readBool(QStringLiteral("ShowWarnings")), ShowWarnings)
        || !takeFinite(base->readDouble(QStringLiteral("Exact")), Exact)
        || !takeFinite(base->readDouble(QStringLiteral("MaxDeltaP")), MaxDeltaP)
        || !takeFinite(base->readDouble(QStringLiteral("DefaultKoefR")), DefaultKoefR))
        return false;

    // 2. Folders, when the key is there; an empty value keeps the default.
    if (const auto paths = base->openSubkey(QStringLiteral("Paths"))) {
        const struct {
            const char* name;
            QString* inForce;
            QString* afterRestart;
        } folders[] = {{"SourcePath", &SourcePath, &NewSourcePath},
                       {"DBPath", &DBPath, &NewDBPath},
                       {"HelpPath", &HelpPath, &NewHelpPath}};
        for (const auto& folder : folders) {
            const auto stored = paths->readString(QLatin1String(folder.name));
            if (!stored)
                return false;
            if (!stored->isEmpty())
                *folder.inForce = *folder.afterRestart = WithTrailingSeparator(*stored);
        }
    }

    // 3.
    if (!EnsureFolders())
        return false;

    // 4. The 3D and 2D schemas.
    const auto key3D = base->openSubkey(QStringLiteral("3D"));
    if (!key3D || !take(key3D->readBool(QStringLiteral("DoubleBuffer")), DoubleBuffer)
        || !take(key3D->readBool(QStringLiteral("LineSmooth")), LineSmooth)
        || !takePositive(key3D->readInteger(QStringLiteral("GridStep")), GridStep3D))
        return false;
    const auto key2D = base->openSubkey(QStringLiteral("2D"));
    if (!key2D || !takePositive(key2D->readInteger(QStringLiteral("Scale")), Scale2D)
        || !takePositive(key2D->readInteger(QStringLiteral("GridStep")), GridStep2D))
        return false;

    // 5. Table font and cell styles.
    const auto colors = base->openSubkey(QStringLiteral("Colors"));
    if (!colors || !take(colors->readString(QStringLiteral("Font")), FontName)
        || !takePositive(colors->readInteger(QStringLiteral("Fontsize")), FontSize)
        || !takeStyle(colors->readBinary(QStringLiteral("DataCell")), DataCell)
        || !takeStyle(colors->readBinary(QStringLiteral("CurCell")), CurCell)
        || !takeStyle(colors->readBinary(QStringLiteral("SelCell")), SelCell)
        || !takeStyle(colors->readBinary(QStringLiteral("SurfacedCell")), SurfacedCell))
        return false;
    if (FontName.isEmpty())
        FontName = kDefaultTableFont;
    return true;
}

void TConfig::LoadRecentFiles()
{
    RecentFiles.clear();
    const auto files = UserStore().openKey(kConfigBaseKey + QStringLiteral("\\Files"));
    if (!files)
        return;
    for (const QString& name : files->valueNames()) {
        const auto path = files->readString(name);
        if (!path || path->isEmpty() || RecentFiles.contains(*path))
            continue;  // a value of another type or an empty or repeated path is left out
        RecentFiles.append(*path);
        if (RecentFiles.size() == kMaxRecentFiles)
            break;
    }
}

bool TConfig::WriteValues()
{
    SettingsStore& store = UserStore();
    const auto base = store.openKey(kConfigBaseKey, true);
    if (!base)
        return false;
    if (!base->writeBool(QStringLiteral("RememberLastFile"), RememberLastFile)
        || !base->writeBool(QStringLiteral("WasOpened"), WasOpened)
        || !base->writeBool(QStringLiteral("ShowDims"), ShowDims)
        || !base->writeBool(QStringLiteral("ShowWarnings"), ShowWarnings)
        || !base->writeDouble(QStringLiteral("DefaultKoefR"), DefaultKoefR)
        || !base->writeDouble(QStringLiteral("Exact"), Exact)
        || !base->writeDouble(QStringLiteral("MaxDeltaP"), MaxDeltaP))
        return false;

    const auto paths = base->openSubkey(QStringLiteral("Paths"), true);
    if (!paths || !paths->writeString(QStringLiteral("SourcePath"), NewSourcePath)
        || !paths->writeString(QStringLiteral("DBPath"), NewDBPath)
        || !paths->writeString(QStringLiteral("HelpPath"), NewHelpPath))
        return false;

    const auto key3D = base->openSubkey(QStringLiteral("3D"), true);
    if (!key3D || !key3D->writeBool(QStringLiteral("DoubleBuffer"), DoubleBuffer)
        || !key3D->writeBool(QStringLiteral("LineSmooth"), LineSmooth)
        || !key3D->writeInteger(QStringLiteral("GridStep"), GridStep3D))
        return false;

    const auto key2D = base->openSubkey(QStringLiteral("2D"), true);
    if (!key2D || !key2D->writeInteger(QStringLiteral("Scale"), Scale2D)
        || !key2D->writeInteger(QStringLiteral("GridStep"), GridStep2D))
        return false;

    const auto colors = base->openSubkey(QStringLiteral("Colors"), true);
    if (!colors || !colors->writeString(QStringLiteral("Font"), FontName)
        || !colors->writeInteger(QStringLiteral("Fontsize"), FontSize)
        || !colors->writeBinary(QStringLiteral("DataCell"), DataCell.Encode())
        || !colors->writeBinary(QStringLiteral("CurCell"), CurCell.Encode())
        || !colors->writeBinary(QStringLiteral("SelCell"), SelCell.Encode())
        || !colors->writeBinary(QStringLiteral("SurfacedCell"), SurfacedCell.Encode()))
        return false;

    const auto files = base->openSubkey(QStringLiteral("Files"), true);
    if (!files)
        return false;
    for (const QString& name : files->valueNames())
        files->deleteValue(name);
    for (qsizetype i = 0; i < RecentFiles.size(); ++i) {
        if (!files->writeString(QString::number(i), RecentFiles[i]))
            return false;
    }
    return true;
}

bool TConfig::Save()
{
    const bool written = WriteValues();
    // Whatever was written reaches the file; a failure is not shown to anyone.
    const bool flushed = UserStore().save();
    return written && flushed;
}

bool TConfig::RemoveFromRegistry()
{
    SettingsStore& store = UserStore();
    store.deleteKey(kConfigBaseKey);
    if (store.keyExists(kConfigProductKey) && !store.hasSubkeys(kConfigProductKey))
        store.deleteKey(kConfigProductKey);
    return store.save();
}
