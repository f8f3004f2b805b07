#include "core/settings/SettingsStore.h"
#include "support/LockedFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cmath>

#include <unistd.h>

namespace {

QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

QStringList trickyStrings()
{
    return {QString(),
            QStringLiteral("MS Sans Serif"),
            QStringLiteral("/home/инженер/Документы/korvelab/Ирвата/"),
            QStringLiteral("quote \" backslash \\ end\\"),
            QStringLiteral("line\r\nfeed\ttab\x01\x1f\x7f"),
            QStringLiteral("emoji \U0001F600 and \u2028 separator"),
            QString(QChar(0xD800)) + QStringLiteral("lone surrogates") + QChar(0xDC00),
            QString(QChar(0xFEFF)) + QStringLiteral("bom-like, nonchars ") + QChar(0xFFFE) + QChar(0xFFFF),
            QStringLiteral("; not a comment"),
            QStringLiteral("[\\not\\a\\section]"),
            QStringLiteral("\"=dword:00000001")};
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

}  // namespace

TEST(SettingsStore, RoundTripOfEveryTypeThroughTheFile)
{
    TestTempDir temp;
    const QString path = temp.file(QStringLiteral("sub/dir/registry.txt"));
    {
        SettingsStore store(path);
        ASSERT_TRUE(store.createKey(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0")));
        ASSERT_TRUE(store.createKey(QStringLiteral("\\Software\\korvelab\\Irvata\\Empty")));
        ASSERT_TRUE(store.createKey(QStringLiteral("\\Пустой ключ\\и вложенный [x]")));
        auto key = store.openKey(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0"));
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->writeInteger(QStringLiteral("Zero"), 0));
        EXPECT_TRUE(key->writeInteger(QStringLiteral("Minus"), -1));
        EXPECT_TRUE(key->writeInteger(QStringLiteral("Min"), std::numeric_limits<qint32>::min()));
        EXPECT_TRUE(key->writeInteger(QStringLiteral("Max"), std::numeric_limits<qint32>::max()));
        EXPECT_TRUE(key->writeBinary(QStringLiteral("Empty binary"), QByteArray()));
        EXPECT_TRUE(key->writeBinary(QStringLiteral("All bytes"), allBytes()));
        EXPECT_TRUE(key->writeDouble(QStringLiteral("Double"), 1.05));
        EXPECT_TRUE(key->writeDouble(QStringLiteral("Tiny"), 1e-10));
        const QStringList strings = trickyStrings();
        for (int i = 0; i < strings.size(); ++i)
            EXPECT_TRUE(key->writeString(QStringLiteral("s%1").arg(i), strings[i]));
        // Value names are texts too.
        EXPECT_TRUE(key->writeString(QString(), QStringLiteral("default value")));
        EXPECT_TRUE(key->writeInteger(QStringLiteral("Имя \"в кавычках\" \\ \n"), 7));
        ASSERT_TRUE(store.save());
        EXPECT_FALSE(store.isModified());
    }

    SettingsStore again(path);
    EXPECT_EQ(again.skippedLineCount(), 0);
    EXPECT_TRUE(again.keyExists(QStringLiteral("\\Software\\korvelab\\Irvata\\Empty")));
    EXPECT_TRUE(again.valueNames(QStringLiteral("\\Software\\korvelab\\Irvata\\Empty")).isEmpty());
    EXPECT_TRUE(again.keyExists(QStringLiteral("\\Пустой ключ\\и вложенный [x]")));
    EXPECT_EQ(again.subkeyNames(QStringLiteral("\\Software\\korvelab\\Irvata")),
              QStringList({QStringLiteral("1.0"), QStringLiteral("Empty")}));
    EXPECT_EQ(again.subkeyNames(QString()), QStringList({QStringLiteral("Software"), QStringLiteral("Пустой ключ")}));

    auto key = again.openKey(QStringLiteral("Software\\korvelab\\Irvata\\1.0"));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readInteger(QStringLiteral("Zero")), 0);
    EXPECT_EQ(key->readInteger(QStringLiteral("Minus")), -1);
    EXPECT_EQ(key->readInteger(QStringLiteral("Min")), std::numeric_limits<qint32>::min());
    EXPECT_EQ(key->readInteger(QStringLiteral("Max")), std::numeric_limits<qint32>::max());
    EXPECT_EQ(key->readBinary(QStringLiteral("Empty binary")), QByteArray());
    EXPECT_EQ(key->valueType(QStringLiteral("Empty binary")), SettingsValueType::Binary);
    EXPECT_EQ(key->readBinary(QStringLiteral("All bytes")), allBytes());
    EXPECT_EQ(key->readDouble(QStringLiteral("Double")), 1.05);
    EXPECT_EQ(key->readDouble(QStringLiteral("Tiny")), 1e-10);
    const QStringList strings = trickyStrings();
    for (int i = 0; i < strings.size(); ++i) {
        const auto s = key->readString(QStringLiteral("s%1").arg(i));
        ASSERT_TRUE(s) << i;
        EXPECT_EQ(*s, strings[i]) << i;
    }
    EXPECT_EQ(key->readString(QString()), QStringLiteral("default value"));
    EXPECT_EQ(key->readInteger(QStringLiteral("Имя \"в кавычках\" \\ \n")), 7);

    QStringList expectedNames = {QStringLiteral("Zero"), QStringLiteral("Minus"), QStringLiteral("Min"),
                                 QStringLiteral("Max"), QStringLiteral("Empty binary"), QStringLiteral("All bytes"),
                                 QStringLiteral("Double"), QStringLiteral("Tiny")};
    for (int i = 0; i < strings.size(); ++i)
        expectedNames << QStringLiteral("s%1").arg(i);
    expectedNames << QString() << QStringLiteral("Имя \"в кавычках\" \\ \n");
    EXPECT_EQ(key->valueNames(), expectedNames);

    // The same tree serializes to the same text.
    EXPECT_EQ(again.serialize(), readFile(path));
}

TEST(SettingsStore, FileIsReadableRegLikeText)
{
    SettingsStore store;
    ASSERT_TRUE(store.createKey(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\Colors")));
    auto key = store.openKey(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0"));
    key->writeInteger(QStringLiteral("RememberLastFile"), 1);
    key->writeBinary(QStringLiteral("B"), QByteArray::fromHex("01ff"));
    key->writeString(QStringLiteral("Font"), QStringLiteral("MS Sans Serif"));
    const QString text = QString::fromUtf8(store.serialize());
    EXPECT_TRUE(text.contains(QStringLiteral(
        "[\\Software\\korvelab\\Irvata\\1.0]\n"
        "\"RememberLastFile\"=dword:00000001\n"
        "\"B\"=hex:01,ff\n"
        "\"Font\"=\"MS Sans Serif\"\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[\\Software\\korvelab\\Irvata\\1.0\\Colors]\n")));
    EXPECT_FALSE(store.save()) << "a store without a file cannot be saved";
}

TEST(SettingsStore, LookupIgnoresCaseAndKeepsTheWrittenCase)
{
    SettingsStore store;
    ASSERT_TRUE(store.createKey(QStringLiteral("\\Software\\KorveLab\\Ирвата")));
    EXPECT_TRUE(store.keyExists(QStringLiteral("\\SOFTWARE\\korvelab\\ИРВАТА")));
    ASSERT_TRUE(store.createKey(QStringLiteral("\\software\\KORVELAB\\ирвата\\Sub")));
    EXPECT_EQ(store.subkeyNames(QStringLiteral("\\Software")), QStringList{QStringLiteral("KorveLab")});
    EXPECT_EQ(store.subkeyNames(QStringLiteral("\\Software\\KorveLab")), QStringList{QStringLiteral("Ирвата")});

    auto key = store.openKey(QStringLiteral("\\Software\\KorveLab\\Ирвата"));
    key->writeInteger(QStringLiteral("First"), 1);
    key->writeInteger(QStringLiteral("Name"), 2);
    key->writeString(QStringLiteral("NAME"), QStringLiteral("now a string"));
    EXPECT_EQ(key->valueNames(), QStringList({QStringLiteral("First"), QStringLiteral("Name")}));
    EXPECT_EQ(key->readString(QStringLiteral("name")), QStringLiteral("now a string"));
    EXPECT_FALSE(key->readInteger(QStringLiteral("name")));
    EXPECT_TRUE(key->valueExists(QStringLiteral("FIRST")));
}

TEST(SettingsStore, ReadsOfAWrongTypeOrOfMissingValuesFail)
{
    SettingsStore store;
    auto key = store.openKey(QStringLiteral("\\K"), true);
    ASSERT_TRUE(key);
    key->writeInteger(QStringLiteral("I"), 5);
    key->writeBinary(QStringLiteral("B"), QByteArray(9, '\1'));
    key->writeString(QStringLiteral("S"), QStringLiteral("5"));

    EXPECT_FALSE(key->readString(QStringLiteral("I")));
    EXPECT_FALSE(key->readBinary(QStringLiteral("I")));
    EXPECT_FALSE(key->readDouble(QStringLiteral("I")));
    EXPECT_FALSE(key->readInteger(QStringLiteral("B")));
    EXPECT_FALSE(key->readString(QStringLiteral("B")));
    EXPECT_FALSE(key->readDouble(QStringLiteral("B"))) << "a double is exactly 8 bytes";
    EXPECT_FALSE(key->readInteger(QStringLiteral("S")));
    EXPECT_FALSE(key->readBool(QStringLiteral("S")));
    EXPECT_FALSE(key->readBinary(QStringLiteral("S")));
    EXPECT_FALSE(key->readInteger(QStringLiteral("missing")));
    EXPECT_FALSE(key->readString(QStringLiteral("missing")));
    EXPECT_FALSE(store.readInteger(QStringLiteral("\\No\\Such\\Key"), QStringLiteral("I")));
    EXPECT_FALSE(store.openKey(QStringLiteral("\\No\\Such\\Key")));
    EXPECT_EQ(key->readBool(QStringLiteral("I")), true);
}

TEST(SettingsStore, WritesNeedAnExistingKeyAndAWritableStore)
{
    TestTempDir temp;
    SettingsStore store;
    EXPECT_FALSE(store.writeInteger(QStringLiteral("\\Missing"), QStringLiteral("x"), 1));
    EXPECT_FALSE(store.keyExists(QStringLiteral("\\Missing")));
    EXPECT_FALSE(store.createKey(QStringLiteral("\\Bad\x01Name")));
    EXPECT_FALSE(store.createKey(QStringLiteral("\\") + QString(256, QLatin1Char('k'))));
    EXPECT_TRUE(store.createKey(QStringLiteral("\\") + QString(255, QLatin1Char('k'))));

    writeFile(temp.file(QStringLiteral("machine.txt")), "[\\SOFTWARE\\korvelab\\CommonPath]\n\"DBWaterPumps\"=\"/srv/db\"\n");
    SettingsStore machine(temp.file(QStringLiteral("machine.txt")), SettingsStore::Access::ReadOnly);
    EXPECT_TRUE(machine.isReadOnly());
    EXPECT_EQ(machine.readString(QStringLiteral("SOFTWARE\\korvelab\\CommonPath"), QStringLiteral("DBWaterPumps")),
              QStringLiteral("/srv/db"));
    EXPECT_TRUE(machine.openKey(QStringLiteral("\\Software\\KorveLab\\CommonPath"), true)) << "exists already";
    EXPECT_FALSE(machine.openKey(QStringLiteral("\\Software\\Other"), true));
    EXPECT_FALSE(machine.writeString(QStringLiteral("SOFTWARE\\korvelab\\CommonPath"), QStringLiteral("DBWaterPumps"),
                                     QStringLiteral("/x")));
    EXPECT_FALSE(machine.deleteKey(QStringLiteral("SOFTWARE")));
    EXPECT_FALSE(machine.deleteValue(QStringLiteral("SOFTWARE\\korvelab\\CommonPath"), QStringLiteral("DBWaterPumps")));
    EXPECT_FALSE(machine.save());
}

TEST(SettingsStore, DeletesValuesAndKeysWithTheirSubkeys)
{
    SettingsStore store;
    ASSERT_TRUE(store.createKey(QStringLiteral("\\A\\B\\C\\D")));
    ASSERT_TRUE(store.createKey(QStringLiteral("\\A\\E")));
    auto b = store.openKey(QStringLiteral("\\A\\B"));
    b->writeInteger(QStringLiteral("one"), 1);
    b->writeInteger(QStringLiteral("two"), 2);
    b->writeInteger(QStringLiteral("three"), 3);
    EXPECT_TRUE(b->deleteValue(QStringLiteral("TWO")));
    EXPECT_FALSE(b->deleteValue(QStringLiteral("two")));
    EXPECT_EQ(b->valueNames(), QStringList({QStringLiteral("one"), QStringLiteral("three")}));
    EXPECT_EQ(b->readInteger(QStringLiteral("three")), 3);
    EXPECT_TRUE(b->hasSubkeys());

    EXPECT_TRUE(store.deleteKey(QStringLiteral("\\a\\b")));
    EXPECT_FALSE(store.keyExists(QStringLiteral("\\A\\B\\C\\D")));
    EXPECT_FALSE(store.keyExists(QStringLiteral("\\A\\B")));
    EXPECT_TRUE(store.keyExists(QStringLiteral("\\A\\E")));
    // The handle of a deleted key fails quietly.
    EXPECT_FALSE(b->exists());
    EXPECT_FALSE(b->readInteger(QStringLiteral("one")));
    EXPECT_FALSE(b->writeInteger(QStringLiteral("one"), 1));
    EXPECT_TRUE(b->valueNames().isEmpty());
    EXPECT_FALSE(store.deleteKey(QStringLiteral("\\A\\B")));
    EXPECT_FALSE(store.deleteKey(QStringLiteral("\\"))) << "the root stays";
    EXPECT_EQ(store.subkeyNames(QStringLiteral("\\A")), QStringList{QStringLiteral("E")});
    EXPECT_FALSE(store.hasSubkeys(QStringLiteral("\\A\\E")));
}

TEST(SettingsStore, ValuesAtTheRootSurvive)
{
    SettingsStore store;
    store.writeInteger(QStringLiteral("\\"), QStringLiteral("root value"), 3);
    store.createKey(QStringLiteral("\\K"));
    SettingsStore again;
    again.deserialize(store.serialize());
    EXPECT_EQ(again.readInteger(QString(), QStringLiteral("root value")), 3);
    EXPECT_TRUE(again.keyExists(QStringLiteral("\\K")));
}

TEST(SettingsStore, CorruptLinesAreSkipped)
{
    const QByteArray text =
        "\"before any section\"=dword:00000001\n"
        "[\\Good]\n"
        "\"ok\"=dword:0000002a\r\n"
        "  \"indented\"=\"yes\"  \n"
        "\"too long\"=dword:123456789\n"
        "\"not hex\"=dword:xyz\n"
        "\"empty dword\"=dword:\n"
        "\"odd hex\"=hex:1,02\n"
        "\"bad sep\"=hex:01;02\n"
        "\"unterminated=\"x\"\n"
        "\"unterminated value\"=\"abc\n"
        "\"trailing\"=\"abc\" junk\n"
        "\"bad escape\"=\"a\\qb\"\n"
        "\"short u\"=\"\\u12\"\n"
        "\"no type\"=42\n"
        "\"bad utf8 \xff\xfe\"=dword:00000001\n"
        "garbage line\n"
        "[\\Bad\x01Key]\n"
        "\"lost\"=dword:00000001\n"
        "[\\Good\\Sub]\n"
        "\"hex\"=hex:0a,0B\n"
        "[unclosed\n"
        "\"still sub\"=\"s\"\n"
        "[]\n"
        "\"at root\"=dword:00000005\n";
    SettingsStore store;
    store.deserialize(text);
    EXPECT_EQ(store.valueNames(QStringLiteral("\\Good")), QStringList({QStringLiteral("ok"), QStringLiteral("indented")}));
    EXPECT_EQ(store.readInteger(QStringLiteral("\\Good"), QStringLiteral("ok")), 42);
    EXPECT_EQ(store.readString(QStringLiteral("\\Good"), QStringLiteral("indented")), QStringLiteral("yes"));
    EXPECT_EQ(store.readBinary(QStringLiteral("\\Good\\Sub"), QStringLiteral("hex")), QByteArray::fromHex("0a0b"));
    EXPECT_FALSE(store.valueExists(QStringLiteral("\\Good\\Sub"), QStringLiteral("still sub")))
        << "values after a damaged section line are lost, not given to the key before";
    EXPECT_EQ(store.readInteger(QStringLiteral("\\"), QStringLiteral("at root")), 5);
    EXPECT_EQ(store.subkeyNames(QString()), QStringList{QStringLiteral("Good")});
    EXPECT_EQ(store.skippedLineCount(), 18);
}

TEST(SettingsStore, RandomDamageNeverCrashes)
{
    SettingsStore source;
    auto key = source.openKey(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\Colors"), true);
    key->writeBinary(QStringLiteral("DataCell"), QByteArray::fromHex("000000000000ffffff00"));
    key->writeString(QStringLiteral("Font"), QStringLiteral("MS Sans Serif \"Ирвата\" \\ \u0001"));
    key->writeInteger(QStringLiteral("Fontsize"), 8);
    const QByteArray good = source.serialize();

    QRandomGenerator random(20240611);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = good;
        const int changes = 1 + int(random.bounded(8));
        for (int i = 0; i < changes; ++i) {
            const int at = int(random.bounded(int(damaged.size())));
            switch (random.bounded(3)) {
            case 0: damaged[at] = char(random.bounded(256)); break;
            case 1: damaged.remove(at, 1 + int(random.bounded(5))); break;
            default: damaged.insert(at, char(random.bounded(256))); break;
            }
        }
        SettingsStore store;
        store.deserialize(damaged);
        // Whatever survived serializes and reads back the same.
        SettingsStore again;
        again.deserialize(store.serialize());
        EXPECT_EQ(again.serialize(), store.serialize());
        EXPECT_EQ(again.skippedLineCount(), 0);
    }
    // Pure noise as well.
    for (int round = 0; round < 200; ++round) {
        QByteArray noise(int(random.bounded(4000)), '\0');
        for (auto& c : noise)
            c = char(random.bounded(256));
        SettingsStore store;
        store.deserialize(noise);
    }
}

TEST(SettingsStore, MissingFileIsAnEmptyStoreAndAnOversizedFileIsNotRead)
{
    TestTempDir temp;
    SettingsStore missing(temp.file(QStringLiteral("none/registry.txt")));
    EXPECT_TRUE(missing.load());
    EXPECT_TRUE(missing.subkeyNames(QString()).isEmpty());

    const QString big = temp.file(QStringLiteral("big.txt"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[\\Key]\n");
        ASSERT_TRUE(file.resize(SettingsStore::kMaxFileBytes + 1));
    }
    SettingsStore store(big);
    EXPECT_FALSE(store.load());
    EXPECT_FALSE(store.keyExists(QStringLiteral("\\Key")));

    const QString folder = temp.file(QStringLiteral("folder"));
    QDir().mkpath(folder);
    SettingsStore notAFile(folder);
    EXPECT_FALSE(notAFile.load());
}

TEST(SettingsStore, SavesAtomicallyAndFlushesOnlyChanges)
{
    TestTempDir temp;
    const QString path = temp.file(QStringLiteral("cfg/registry.txt"));
    SettingsStore store(path);
    EXPECT_TRUE(store.flush());
    EXPECT_FALSE(QFile::exists(path)) << "nothing changed, nothing written";
    store.createKey(QStringLiteral("\\K"));
    EXPECT_TRUE(store.isModified());
    EXPECT_TRUE(store.flush());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QDir(temp.file(QStringLiteral("cfg"))).entryList(QDir::Files), QStringList{QStringLiteral("registry.txt")});

    // A save replaces the file rather than rewriting it: a hard link made to the old file
    // beforehand still holds the old text, whoever runs the test.
    const QByteArray before = readFile(path);
    const QString oldName = temp.file(QStringLiteral("registry-before.txt"));
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(oldName).constData()) != 0)
        GTEST_SKIP() << "the file system of the temporary folder has no hard links";
    store.writeInteger(QStringLiteral("\\K"), QStringLiteral("v"), 1);
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readFile(oldName), before) << "the file was rewritten in place";
    EXPECT_NE(readFile(path), before);

    // The old file stays whole when the new one cannot be created.
    const QByteArray saved = readFile(path);
    store.writeInteger(QStringLiteral("\\K"), QStringLiteral("v"), 2);
    bool savedAnyway = false;
    {
        LockedFolder lock(temp.file(QStringLiteral("cfg")));
        if (!lock.locked())
            GTEST_SKIP() << "neither the immutable flag nor the permission bits keep new files out of a folder here";
        savedAnyway = store.save();
    }
    EXPECT_FALSE(savedAnyway) << "a save that cannot create its temporary file must fail";
    EXPECT_EQ(readFile(path), saved);
    EXPECT_TRUE(store.isModified());
}

TEST(SettingsStore, PathsAndNames)
{
    EXPECT_EQ(SettingsStore::normalizePath(QStringLiteral("Software\\\\korvelab\\")), QStringLiteral("\\Software\\korvelab"));
    EXPECT_EQ(SettingsStore::normalizePath(QString()), QStringLiteral("\\"));
    EXPECT_TRUE(SettingsStore::isValidKeyName(QStringLiteral("1.0")));
    EXPECT_FALSE(SettingsStore::isValidKeyName(QString()));
    EXPECT_FALSE(SettingsStore::isValidKeyName(QStringLiteral("a\\b")));
    EXPECT_FALSE(SettingsStore::isValidKeyName(QStringLiteral("a\nb")));
    EXPECT_FALSE(SettingsStore::isValidKeyName(QString(QChar(0xD800))));
}

TEST(SettingsStore, FilePathsFollowTheEnvironment)
{
    const QByteArray savedUser = qgetenv("IRVATA_CONFIG_DIR");
    const QByteArray savedMachine = qgetenv("IRVATA_SYSTEM_CONFIG_DIR");
    const bool hadUser = qEnvironmentVariableIsSet("IRVATA_CONFIG_DIR");
    const bool hadMachine = qEnvironmentVariableIsSet("IRVATA_SYSTEM_CONFIG_DIR");

    qputenv("IRVATA_CONFIG_DIR", "/tmp/irvata-user");
    qputenv("IRVATA_SYSTEM_CONFIG_DIR", "/tmp/irvata-machine");
    EXPECT_EQ(SettingsStore::currentUserFilePath(), QStringLiteral("/tmp/irvata-user/registry.txt"));
    EXPECT_EQ(SettingsStore::localMachineFilePath(), QStringLiteral("/tmp/irvata-machine/registry.txt"));
    qunsetenv("IRVATA_CONFIG_DIR");
    qunsetenv("IRVATA_SYSTEM_CONFIG_DIR");
    EXPECT_TRUE(SettingsStore::currentUserFilePath().endsWith(QStringLiteral("/irvata/registry.txt")));
    EXPECT_EQ(SettingsStore::localMachineFilePath(), QStringLiteral("/etc/xdg/irvata/registry.txt"));

    if (hadUser)
        qputenv("IRVATA_CONFIG_DIR", savedUser);
    if (hadMachine)
        qputenv("IRVATA_SYSTEM_CONFIG_DIR", savedMachine);
}
