#include "core/settings/Config.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {

const QString kBase = kConfigBaseKey;

// Every value Save writes, with its type.
const QList<QPair<QString, SettingsValueType>> kAllValues = {
    {kBase + "|RememberLastFile", SettingsValueType::Integer},
    {kBase + "|WasOpened", SettingsValueType::Integer},
    {kBase + "|ShowDims", SettingsValueType::Integer},
    {kBase + "|ShowWarnings", SettingsValueType::Integer},
    {kBase + "|DefaultKoefR", SettingsValueType::Binary},
    {kBase + "|Exact", SettingsValueType::Binary},
    {kBase + "|MaxDeltaP", SettingsValueType::Binary},
    {kBase + "\\Paths|SourcePath", SettingsValueType::String},
    {kBase + "\\Paths|DBPath", SettingsValueType::String},
    {kBase + "\\Paths|HelpPath", SettingsValueType::String},
    {kBase + "\\3D|DoubleBuffer", SettingsValueType::Integer},
    {kBase + "\\3D|LineSmooth", SettingsValueType::Integer},
    {kBase + "\\3D|GridStep", SettingsValueType::Integer},
    {kBase + "\\2D|Scale", SettingsValueType::Integer},
    {kBase + "\\2D|GridStep", SettingsValueType::Integer},
    {kBase + "\\Colors|Font", SettingsValueType::String},
    {kBase + "\\Colors|Fontsize", SettingsValueType::Integer},
    {kBase + "\\Colors|DataCell", SettingsValueType::Binary},
    {kBase + "\\Colors|CurCell", SettingsValueType::Binary},
    {kBase + "\\Colors|SelCell", SettingsValueType::Binary},
    {kBase + "\\Colors|SurfacedCell", SettingsValueType::Binary},
};

void expectFullSet(SettingsStore& store)
{
    for (const auto& [where, type] : kAllValues) {
        const QStringList parts = where.split(QLatin1Char('|'));
        EXPECT_EQ(store.valueType(parts[0], parts[1]), type) << where.toStdString();
    }
    EXPECT_TRUE(store.keyExists(kBase + "\\Files"));
}

// A TConfig on the sandbox, saved with defaults: a complete, readable store.
void writeDefaults(SettingsSandbox& sandbox)
{
    TConfig config(sandbox.places());
    ASSERT_TRUE(config.Save());
    sandbox.restart();
}

TConfigData defaultsOf(SettingsSandbox& sandbox)
{
    return TConfig(sandbox.places());
}

}  // namespace

TEST(CellStyle, NineBytesLittleEndian)
{
    const TCellStyle style{TCellStyle::fsBold | TCellStyle::fsUnderline, 0x00112233, 0x00AABBCC};
    EXPECT_EQ(style.Encode(), QByteArray::fromHex("05" "33221100" "ccbbaa00"));
    EXPECT_EQ(TCellStyle::Decode(style.Encode()), style);
    EXPECT_FALSE(TCellStyle::Decode(QByteArray(8, '\0')));
    EXPECT_FALSE(TCellStyle::Decode(QByteArray(10, '\0')));
    const auto all = TCellStyle::Decode(QByteArray::fromHex("0fffffffffffffffff"));
    ASSERT_TRUE(all);
    EXPECT_EQ(all->Style, 0x0F);
    EXPECT_EQ(all->TextColor, 0xFFFFFFFFu);
}

TEST(Config, DefaultsAreTheTableOfPart42)
{
    SettingsSandbox sandbox;
    const TConfig config(sandbox.places());
    EXPECT_TRUE(config.RememberLastFile);
    EXPECT_FALSE(config.WasOpened);
    EXPECT_TRUE(config.ShowDims);
    EXPECT_TRUE(config.ShowWarnings);
    EXPECT_EQ(config.DefaultKoefR, 1.05);
    EXPECT_EQ(config.Exact, 1e-10);
    EXPECT_EQ(config.MaxDeltaP, 1.0);
    EXPECT_EQ(config.SourcePath, sandbox.documentsDir() + QStringLiteral("/korvelab/Ирвата/"));
    EXPECT_EQ(config.DBPath, sandbox.documentsDir() + QStringLiteral("/korvelab/Характеристики насосов/"));
    EXPECT_EQ(config.HelpPath, sandbox.applicationDir() + QStringLiteral("/help/"));
    EXPECT_EQ(config.NewSourcePath, config.SourcePath);
    EXPECT_EQ(config.NewDBPath, config.DBPath);
    EXPECT_EQ(config.NewHelpPath, config.HelpPath);
    EXPECT_TRUE(config.DoubleBuffer);
    EXPECT_FALSE(config.LineSmooth);
    EXPECT_EQ(config.GridStep3D, 200);
    EXPECT_EQ(config.Scale2D, 2000);
    EXPECT_EQ(config.GridStep2D, 200);
    EXPECT_EQ(config.FontName, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(config.FontSize, 8);
    EXPECT_EQ(config.DataCell, (TCellStyle{0, 0x000000, 0xFFFFFF}));
    EXPECT_EQ(config.CurCell, (TCellStyle{0, 0xFFFFFF, 0x800000}));
    EXPECT_EQ(config.SelCell, (TCellStyle{0, 0x000000, 0xFFE6E6}));
    EXPECT_EQ(config.SurfacedCell, (TCellStyle{0, 0x000000, 0xFFE682}));
    EXPECT_TRUE(config.RecentFiles.isEmpty());
}

TEST(Config, DatabasesFolderDefaultComesFromTheMachineWhenItExists)
{
    SettingsSandbox sandbox;
    const QString shared = sandbox.root() + QStringLiteral("/shared db");
    {
        SettingsStore machine(sandbox.machineFile());
        machine.openKey(kCommonPathKey, true)->writeString(kCommonPathDBValue, shared);
        ASSERT_TRUE(machine.save());
    }
    sandbox.restart();
    EXPECT_EQ(TConfig(sandbox.places()).DBPath,
              sandbox.documentsDir() + QStringLiteral("/korvelab/Характеристики насосов/"))
        << "the named folder does not exist yet";
    ASSERT_TRUE(QDir().mkpath(shared));
    EXPECT_EQ(TConfig(sandbox.places()).DBPath, shared + QLatin1Char('/'));
}

TEST(Config, TextsAreExact)
{
    EXPECT_EQ(kConfigLoadFailedText, QStringLiteral("Не удается прочитать установки программы.\r\n"
                                                    "Все параметры будут выставлены в значения по умолчанию"));
    EXPECT_EQ(kConfigLoadFailedCaption, QStringLiteral("Ирвата"));
    EXPECT_EQ(kApplicationTitle, QStringLiteral("Ирвата"));
}

TEST(Config, FirstRunFailsOnceThenTheFullSetIsThere)
{
    SettingsSandbox sandbox;
    {
        TConfig config(sandbox.places());
        EXPECT_FALSE(config.Load()) << "no settings yet: the program shows the message";
        EXPECT_EQ(static_cast<const TConfigData&>(config), defaultsOf(sandbox));
        EXPECT_TRUE(config.Save());
    }
    EXPECT_TRUE(QFile::exists(sandbox.userFile()));
    sandbox.restart();
    expectFullSet(sandbox.user());

    TConfig next(sandbox.places());
    EXPECT_TRUE(next.Load()) << "the next run shows nothing";
    EXPECT_EQ(static_cast<const TConfigData&>(next), defaultsOf(sandbox));
    EXPECT_TRUE(QFileInfo(next.SourcePath).isDir());
    EXPECT_TRUE(QFileInfo(next.DBPath).isDir());
    EXPECT_TRUE(QFileInfo(next.HelpPath).isDir());
    EXPECT_EQ(QDir::currentPath() + QLatin1Char('/'), next.SourcePath);
}

TEST(Config, RoundTripOfEveryField)
{
    SettingsSandbox sandbox;
    TConfig config(sandbox.places());
    config.RememberLastFile = false;
    config.WasOpened = true;
    config.ShowDims = false;
    config.ShowWarnings = false;
    config.DefaultKoefR = 1.234567890123;
    config.Exact = 1e-7;
    config.MaxDeltaP = 19.5;
    config.SourcePath = config.NewSourcePath = sandbox.root() + QStringLiteral("/Исходные данные/");
    config.DBPath = config.NewDBPath = sandbox.root() + QStringLiteral("/db/");
    config.HelpPath = config.NewHelpPath = sandbox.root() + QStringLiteral("/help files/");
    config.DoubleBuffer = false;
    config.LineSmooth = true;
    config.GridStep3D = 55;
    config.Scale2D = 100000;
    config.GridStep2D = 1000;
    config.FontName = QStringLiteral("DejaVu Sans");
    config.FontSize = 14;
    config.DataCell = {TCellStyle::fsBold, 0x00010203, 0x00040506};
    config.CurCell = {TCellStyle::fsItalic, 0x00112233, 0x00445566};
    config.SelCell = {TCellStyle::fsUnderline, 0x00778899, 0x00AABBCC};
    config.SurfacedCell = {TCellStyle::fsStrikeOut | TCellStyle::fsBold, 0x80000005, 0x00DDEEFF};
    config.RecentFiles = {QStringLiteral("/home/u/Шахта.irv"), QStringLiteral("/home/u/Mine.IRV")};
    ASSERT_TRUE(config.Save());

    sandbox.restart();
    TConfig loaded(sandbox.places());
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(static_cast<const TConfigData&>(loaded), static_cast<const TConfigData&>(config));
}

TEST(Config, FolderPairsTakeEffectAtTheNextStart)
{
    SettingsSandbox sandbox;
    writeDefaults(sandbox);
    TConfig config(sandbox.places());
    ASSERT_TRUE(config.Load());
    const QString inForce = config.SourcePath;
    config.NewSourcePath = sandbox.root() + QStringLiteral("/other/");  // what the dialog does
    config.Save();
    EXPECT_EQ(config.SourcePath, inForce);

    sandbox.restart();
    TConfig next(sandbox.places());
    ASSERT_TRUE(next.Load());
    EXPECT_EQ(next.SourcePath, sandbox.root() + QStringLiteral("/other/"));
    EXPECT_EQ(next.NewSourcePath, next.SourcePath);
}

TEST(Config, StoredFoldersGetATrailingSeparatorAndEmptyOnesKeepTheDefault)
{
    SettingsSandbox sandbox;
    writeDefaults(sandbox);
    auto paths = sandbox.user().openKey(kBase + QStringLiteral("\\Paths"));
    paths->writeString(QStringLiteral("SourcePath"), sandbox.root() + QStringLiteral("/src"));
    paths->writeString(QStringLiteral("DBPath"), QString());
    TConfig config(sandbox.places());
    ASSERT_TRUE(config.Load());
    EXPECT_EQ(config.SourcePath, sandbox.root() + QStringLiteral("/src/"));
    EXPECT_EQ(config.DBPath, config.DefaultDBPath());
    EXPECT_EQ(config.NewDBPath, config.DefaultDBPath());

    // Without the "\Paths" key the defaults stay and the load still succeeds.
    sandbox.user().deleteKey(kBase + QStringLiteral("\\Paths"));
    TConfig again(sandbox.places());
    EXPECT_TRUE(again.Load());
    EXPECT_EQ(again.SourcePath, again.DefaultSourcePath());
}

TEST(Config, AFolderThatCannotBeMadeIsALoadFailure)
{
    SettingsSandbox sandbox;
    writeDefaults(sandbox);
    QFile blocker(sandbox.root() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    sandbox.user().writeString(kBase + QStringLiteral("\\Paths"), QStringLiteral("DBPath"),
                               sandbox.root() + QStringLiteral("/blocker/db"));
    TConfig config(sandbox.places());
    EXPECT_FALSE(config.Load());
    EXPECT_EQ(config.DBPath, config.DefaultDBPath());
}

TEST(Config, EnsureFoldersMakesTheSourceFolderCurrent)
{
    SettingsSandbox sandbox;
    TConfig config(sandbox.places());
    config.SourcePath = sandbox.root() + QStringLiteral("/a/b/c/");
    config.DBPath = sandbox.root() + QStringLiteral("/d/e/");
    config.HelpPath = sandbox.root() + QStringLiteral("/f/");
    ASSERT_TRUE(config.EnsureFolders());
    EXPECT_TRUE(QFileInfo(config.DBPath).isDir());
    EXPECT_TRUE(QFileInfo(config.HelpPath).isDir());
    EXPECT_EQ(QDir::currentPath(), sandbox.root() + QStringLiteral("/a/b/c"));
    config.SourcePath.clear();
    EXPECT_FALSE(config.EnsureFolders());
}

TEST(Config, BadStoredValuesGiveTheDefaults)
{
    struct Damage {
        const char* what;
        std::function<void(SettingsStore&)> apply;
    };
    const QString colors = kBase + QStringLiteral("\\Colors");
    const std::vector<Damage> damages = {
        {"3D grid step 0", [](SettingsStore& s) { s.writeInteger(kBase + "\\3D", "GridStep", 0); }},
        {"2D grid step -1", [](SettingsStore& s) { s.writeInteger(kBase + "\\2D", "GridStep", -1); }},
        {"2D scale 0", [](SettingsStore& s) { s.writeInteger(kBase + "\\2D", "Scale", 0); }},
        {"font size 0", [&](SettingsStore& s) { s.writeInteger(colors, "Fontsize", 0); }},
        {"style of 8 bytes", [&](SettingsStore& s) { s.writeBinary(colors, "DataCell", QByteArray(8, '\0')); }},
        {"style of 10 bytes", [&](SettingsStore& s) { s.writeBinary(colors, "SurfacedCell", QByteArray(10, '\0')); }},
        {"double of 4 bytes", [](SettingsStore& s) { s.writeBinary(kBase, "DefaultKoefR", QByteArray(4, '\0')); }},
        {"double NaN",
         [](SettingsStore& s) {
             s.openKey(kBase)->writeDouble("MaxDeltaP", std::numeric_limits<double>::quiet_NaN());
         }},
        {"bool as string", [](SettingsStore& s) { s.writeString(kBase, "ShowDims", "1"); }},
        {"font as integer", [&](SettingsStore& s) { s.writeInteger(colors, "Font", 1); }},
        {"missing value", [](SettingsStore& s) { s.deleteValue(kBase, "Exact"); }},
        {"missing folder value", [](SettingsStore& s) { s.deleteValue(kBase + "\\Paths", "HelpPath"); }},
        {"missing colours", [&](SettingsStore& s) { s.deleteKey(colors); }},
        {"missing 3D", [](SettingsStore& s) { s.deleteKey(kBase + "\\3D"); }},
        {"missing 2D", [](SettingsStore& s) { s.deleteKey(kBase + "\\2D"); }},
        {"missing base", [](SettingsStore& s) { s.deleteKey(kBase); }},
    };
    for (const Damage& damage : damages) {
        SettingsSandbox sandbox;
        {
            TConfig config(sandbox.places());
            config.LineSmooth = true;
            config.FontSize = 12;
            config.GridStep3D = 50;
            config.RecentFiles = {QStringLiteral("/x/a.irv")};
            config.Save();
        }
        damage.apply(sandbox.user());
        TConfig config(sandbox.places());
        EXPECT_FALSE(config.Load()) << damage.what;
        TConfigData expected = defaultsOf(sandbox);
        if (std::string(damage.what) != "missing base")
            expected.RecentFiles = {QStringLiteral("/x/a.irv")};  // read in every case
        EXPECT_EQ(static_cast<const TConfigData&>(config), expected) << damage.what;
    }
}

TEST(Config, EmptyFontNameMeansTheDefaultFont)
{
    SettingsSandbox sandbox;
    writeDefaults(sandbox);
    sandbox.user().writeString(kBase + QStringLiteral("\\Colors"), QStringLiteral("Font"), QString());
    TConfig config(sandbox.places());
    EXPECT_TRUE(config.Load());
    EXPECT_EQ(config.FontName, QStringLiteral("MS Sans Serif"));
}

TEST(Config, RecentFilesKeepTenMostRecentFirst)
{
    SettingsSandbox sandbox;
    TConfig config(sandbox.places());
    for (int i = 1; i <= 11; ++i)
        config.AddRecentFile(QStringLiteral("/mines/Шахта %1.irv").arg(i));
    ASSERT_EQ(config.RecentFiles.size(), 10);
    EXPECT_EQ(config.RecentFiles.first(), QStringLiteral("/mines/Шахта 11.irv"));
    EXPECT_EQ(config.RecentFiles.last(), QStringLiteral("/mines/Шахта 2.irv")) << "the oldest is dropped";

    const QString third = config.RecentFiles[2];
    config.AddRecentFile(third);
    EXPECT_EQ(config.RecentFiles.size(), 10);
    EXPECT_EQ(config.RecentFiles[0], third);
    EXPECT_EQ(config.RecentFiles[1], QStringLiteral("/mines/Шахта 11.irv"));
    EXPECT_EQ(config.RecentFiles[2], QStringLiteral("/mines/Шахта 10.irv"));
    EXPECT_EQ(config.RecentFiles[3], QStringLiteral("/mines/Шахта 8.irv"));

    // Linux paths differ by case: both stay, as written.
    config.AddRecentFile(QStringLiteral("/mines/MINE.irv"));
    config.AddRecentFile(QStringLiteral("/mines/mine.irv"));
    EXPECT_EQ(config.RecentFiles[0], QStringLiteral("/mines/mine.irv"));
    EXPECT_EQ(config.RecentFiles[1], QStringLiteral("/mines/MINE.irv"));

    config.Save();
    sandbox.restart();
    TConfig loaded(sandbox.places());
    loaded.Load();
    EXPECT_EQ(loaded.RecentFiles, config.RecentFiles);
    EXPECT_EQ(sandbox.user().valueNames(kBase + QStringLiteral("\\Files")),
              QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(Config, RecentFilesAreReadInStoredOrderAndSaveRenumbersThem)
{
    SettingsSandbox sandbox;
    auto files = sandbox.user().openKey(kBase + QStringLiteral("\\Files"), true);
    files->writeString(QStringLiteral("7"), QStringLiteral("/b.irv"));
    files->writeString(QStringLiteral("x"), QStringLiteral("/a.irv"));
    files->writeInteger(QStringLiteral("bad"), 5);
    files->writeString(QStringLiteral("0"), QStringLiteral("/c.irv"));
    TConfig config(sandbox.places());
    EXPECT_FALSE(config.Load()) << "only the files are there";
    EXPECT_EQ(config.RecentFiles, QStringList({"/b.irv", "/a.irv", "/c.irv"}));
    config.Save();
    EXPECT_EQ(files->valueNames(), QStringList({"0", "1", "2"}));
    EXPECT_EQ(files->readString(QStringLiteral("1")), QStringLiteral("/a.irv"));
}

TEST(Config, AssignCopiesEveryField)
{
    SettingsSandbox sandbox;
    TConfig source(sandbox.places());
    source.WasOpened = true;
    source.NewDBPath = QStringLiteral("/elsewhere/");
    source.SelCell.Style = TCellStyle::fsItalic;
    source.RecentFiles = {QStringLiteral("/a.irv")};
    source.Exact = 0.5;
    TConfig copy(sandbox.places());
    copy.Assign(source);
    EXPECT_EQ(static_cast<const TConfigData&>(copy), static_cast<const TConfigData&>(source));
}

TEST(Config, RemoveFromRegistryKeepsTheProductKeyWithOtherVersions)
{
    SettingsSandbox sandbox;
    writeDefaults(sandbox);
    sandbox.user().createKey(kConfigProductKey + QStringLiteral("\\2.0"));
    TConfig config(sandbox.places());
    EXPECT_TRUE(config.RemoveFromRegistry());
    sandbox.restart();
    EXPECT_FALSE(sandbox.user().keyExists(kBase));
    EXPECT_TRUE(sandbox.user().keyExists(kConfigProductKey + QStringLiteral("\\2.0")));
}

TEST(Config, RemoveFromRegistryDeletesTheProductKeyWhenItIsEmpty)
{
    SettingsSandbox sandbox;
    writeDefaults(sandbox);
    sandbox.user().createKey(QStringLiteral("\\Software\\korvelab\\CommonPath"));
    TConfig config(sandbox.places());
    EXPECT_TRUE(config.RemoveFromRegistry());
    sandbox.restart();
    EXPECT_FALSE(sandbox.user().keyExists(kBase));
    EXPECT_FALSE(sandbox.user().keyExists(kConfigProductKey));
    EXPECT_TRUE(sandbox.user().keyExists(QStringLiteral("\\Software\\korvelab\\CommonPath")));

    // Nothing to remove: still fine.
    TConfig again(sandbox.places());
    EXPECT_TRUE(again.RemoveFromRegistry());
}

TEST(Config, SaveKeepsOtherKeysOfTheStore)
{
    SettingsSandbox sandbox;
    auto schema = sandbox.user().openKey(kBase + QStringLiteral("\\Shema"), true);
    schema->writeInteger(QStringLiteral("ShowNodes"), 1);
    TConfig config(sandbox.places());
    config.Save();
    sandbox.restart();
    EXPECT_EQ(sandbox.user().readInteger(kBase + QStringLiteral("\\Shema"), QStringLiteral("ShowNodes")), 1);
}

TEST(Config, SaveToAReadOnlyStoreFailsQuietly)
{
    SettingsSandbox sandbox;
    TConfigPlaces places = sandbox.places();
    places.CurrentUser = &sandbox.machine();
    TConfig config(places);
    EXPECT_FALSE(config.Save());
    EXPECT_FALSE(config.Load());
}
