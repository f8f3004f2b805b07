#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct PumpsRun {
    int exit = -1;
    QJsonObject json;
    QString err;
};

PumpsRun Pumps(QStringList args)
{
    args.prepend(QStringLiteral("pumps"));
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object(),
            QString::fromUtf8(p.readAllStandardError())};
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kThree = "[Pump]\r\nK\r\n0 500 0 1000\r\n3\r\n100 80 40\r\n0 100 200\r\n";

}  // namespace

TEST(PumpsCli, ReportsHeadsFitAndPointsThatReadBackExactly)
{
    TestTempDir dir;
    WriteRaw(dir.file(QStringLiteral("k.pmp")), kThree);
    const PumpsRun r = Pumps({dir.file(QStringLiteral("k.pmp")), QStringLiteral("--head"), QStringLiteral("50"),
                         QStringLiteral("--head=1000"), QStringLiteral("--fit"), QStringLiteral("50,150")});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    const QJsonObject m = r.json[QStringLiteral("models")].toArray().at(0).toObject();
    EXPECT_EQ(m[QStringLiteral("name")].toString(), QStringLiteral("K"));
    EXPECT_EQ(m[QStringLiteral("file")].toString(), QStringLiteral("k.pmp"));
    EXPECT_EQ(m[QStringLiteral("ranges")].toArray(), (QJsonArray{0, 500, 0, 1000}));
    EXPECT_EQ(m[QStringLiteral("points")].toArray().at(2).toArray(), (QJsonArray{200, 40}));
    const QJsonArray heads = m[QStringLiteral("heads")].toArray();
    EXPECT_EQ(heads.at(0).toArray().at(1).toDouble(), 91.875);
    EXPECT_EQ(heads.at(1).toArray().at(1).toDouble(), 40) << "clamped to the last point";
    const QJsonObject fit = m[QStringLiteral("fit")].toObject();
    EXPECT_EQ(fit[QStringLiteral("h2")].toDouble(), 61.875);
    EXPECT_EQ(fit[QStringLiteral("b")].toDouble(), (61.875 - 91.875) / ((50.0 / 3600) * (50.0 / 3600) - (150.0 / 3600) * (150.0 / 3600)));

    const PumpsRun same = Pumps({dir.file(QStringLiteral("k.pmp")), QStringLiteral("--fit"), QStringLiteral("70,70")});
    EXPECT_TRUE(same.json[QStringLiteral("models")].toArray().at(0).toObject()[QStringLiteral("fit")].isNull());
}

TEST(PumpsCli, FoldersSkipOtherFilesAndSaveByTheNamingRule)
{
    TestTempDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("db"));
    WriteRaw(dir.file(QStringLiteral("db/k.pmp")), kThree);
    WriteRaw(dir.file(QStringLiteral("db/x.pmp")), "[Pump]\r\n/tmp/evil\r\n0 1 0 1\r\n0\r\n\r\n\r\n");
    WriteRaw(dir.file(QStringLiteral("db/junk.pmp")), "hello");
    const PumpsRun r = Pumps({dir.file(QStringLiteral("db")), QStringLiteral("--save"), dir.file(QStringLiteral("out")),
                         QStringLiteral("--head"), QStringLiteral("5")});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_EQ(r.json[QStringLiteral("skipped")].toArray(), QJsonArray{QStringLiteral("junk.pmp")});
    const QJsonArray models = r.json[QStringLiteral("models")].toArray();
    ASSERT_EQ(models.size(), 2);
    EXPECT_EQ(models.at(1).toObject()[QStringLiteral("name")].toString(), QStringLiteral("x"));
    EXPECT_TRUE(models.at(1).toObject()[QStringLiteral("heads")].toArray().at(0).toArray().at(1).isNull());
    EXPECT_EQ(QDir(dir.file(QStringLiteral("out"))).entryList(QDir::Files), (QStringList{QStringLiteral("K.pmp"), QStringLiteral("x.pmp")}));
    QFile saved(dir.file(QStringLiteral("out/K.pmp")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().endsWith("100.000  80.000  40.000 \r\n  0.000 100.000 200.000 \r\n"));

    const PumpsRun foreign = Pumps({dir.file(QStringLiteral("db/junk.pmp"))});
    EXPECT_EQ(foreign.exit, 2);
    EXPECT_TRUE(foreign.err.contains(QStringLiteral("не является файлом характеристики насоса")));
    EXPECT_EQ(Pumps({dir.file(QStringLiteral("db/none.pmp"))}).exit, 2);
    EXPECT_EQ(Pumps({}).exit, 64);
    EXPECT_EQ(Pumps({dir.path(), QStringLiteral("--head"), QStringLiteral("abc")}).exit, 64);
    EXPECT_EQ(Pumps({dir.path(), QStringLiteral("--fit"), QStringLiteral("1")}).exit, 64);
}
