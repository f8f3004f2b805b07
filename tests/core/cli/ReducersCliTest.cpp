#include "support/TempDir.h"

#include "core/equipment/ReducerCharacter.h"
#include "core/equipment/ReducerFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliResult {
    int exit = -1;
    QByteArray out;
    QString err;
};

CliResult Reducers(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), QStringList{QStringLiteral("reducers")} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

}  // namespace

TEST(ReducersCli, FolderModelsInterpolationSkippedFilesAndSaving)
{
    TestTempDir dir;
    TReducerCharacter a;
    a.Name = QStringLiteral("Р.1");
    a.SetOutlet(0, 0, 0.1 + 0.2);  // needs all 17 digits to read back
    ReducerFile::Write(dir.file(QStringLiteral("a.rdc")), a);
    QFile(dir.file(QStringLiteral("pump.pmp"))).open(QIODevice::WriteOnly);
    QFile other(dir.file(QStringLiteral("foreign.rdc")));
    other.open(QIODevice::WriteOnly);
    other.write("something else entirely");
    other.close();

    const CliResult r = Reducers({dir.path(), QStringLiteral("--locking"), QStringLiteral("20"), QStringLiteral("--locking=40"),
                            QStringLiteral("--save"), dir.file(QStringLiteral("out"))});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(doc[QStringLiteral("skipped")].toArray(),
              (QJsonArray{QStringLiteral("foreign.rdc"), QStringLiteral("pump.pmp")}));
    const QJsonArray models = doc[QStringLiteral("models")].toArray();
    ASSERT_EQ(models.size(), 1);
    const QJsonObject m = models[0].toObject();
    EXPECT_EQ(m[QStringLiteral("name")].toString(), QStringLiteral("Р.1"));
    EXPECT_EQ(m[QStringLiteral("file")].toString(), QStringLiteral("a.rdc"));
    EXPECT_EQ(m[QStringLiteral("inlet")].toArray(), (QJsonArray{16.0, 60.0}));
    EXPECT_EQ(m[QStringLiteral("flows")].toArray(), (QJsonArray{10.0, 100.0}));
    EXPECT_EQ(m[QStringLiteral("outlet")].toArray()[0].toArray()[0].toDouble(), 0.1 + 0.2);
    EXPECT_EQ(m[QStringLiteral("outlet")].toArray()[1].toArray(), (QJsonArray{28.6, 8.0}));
    const QJsonArray at = m[QStringLiteral("at")].toArray();
    ASSERT_EQ(at.size(), 2);
    EXPECT_EQ(at[0].toObject()[QStringLiteral("inlet")].toDouble(), 38.0);
    EXPECT_EQ(at[0].toObject()[QStringLiteral("outlet")].toArray()[1].toDouble(), 4.0);
    EXPECT_TRUE(at[1].toObject()[QStringLiteral("inlet")].isNull());
    EXPECT_TRUE(at[1].toObject()[QStringLiteral("outlet")].isNull());
    EXPECT_EQ(at[1].toObject()[QStringLiteral("locking")].toDouble(), 40.0);

    // Saved under the cleaned model name, byte for byte the same.
    EXPECT_EQ(Bytes(dir.file(QStringLiteral("out/Р1.rdc"))), Bytes(dir.file(QStringLiteral("a.rdc"))));
}

TEST(ReducersCli, SingleFilesAndBadCommandLines)
{
    TestTempDir dir;
    ReducerFile::Write(dir.file(QStringLiteral("one.rdc")), TReducerCharacter());
    CliResult r = Reducers({dir.file(QStringLiteral("one.rdc"))});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(QJsonDocument::fromJson(r.out)[QStringLiteral("models")][0][QStringLiteral("name")].toString(),
              QStringLiteral("one"));  // nameless inside: the file's own name

    QFile foreign(dir.file(QStringLiteral("x.pmp")));
    foreign.open(QIODevice::WriteOnly);
    foreign.write("pump text\r\n");
    foreign.close();
    r = Reducers({dir.file(QStringLiteral("x.pmp"))});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Файл x.pmp не содержит характеристик редуктора"))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(Reducers({dir.file(QStringLiteral("missing.rdc"))}).exit, 2);

    EXPECT_EQ(Reducers({}).exit, 64);
    EXPECT_EQ(Reducers({dir.path(), dir.path()}).exit, 64);
    EXPECT_EQ(Reducers({dir.path(), QStringLiteral("--locking"), QStringLiteral("abc")}).exit, 64);
    EXPECT_EQ(Reducers({dir.path(), QStringLiteral("--locking")}).exit, 64);
    EXPECT_EQ(Reducers({dir.path(), QStringLiteral("--frob")}).exit, 64);
}
