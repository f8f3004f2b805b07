#include "support/TempDir.h"

#include "core/exchange/TorvexFile.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Uzel.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliResult {
    int exit = -1;
    QString err;
};

CliResult Cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

TEST(ConvertExchangeCli, MdfOnEitherSideInAnyLetterCase)
{
    TestTempDir dir;
    const QString irv = dir.file(u"sample.irv"_qs);
    const QString mdf = dir.file(u"sample.MDF"_qs);
    const QString back = dir.file(u"back.Irv"_qs);
    ASSERT_EQ(0, Cli({u"generate"_qs, u"--preset"_qs, u"sample"_qs, irv}).exit);
    ASSERT_EQ(0, Cli({u"convert"_qs, irv, mdf}).exit);
    ASSERT_EQ(0, Cli({u"convert"_qs, mdf, back}).exit);

    const TNetworkDocument original = NetworkFile::Read(irv);
    const TNetworkDocument converted = NetworkFile::Read(back);
    ASSERT_EQ(original.Mine->Branches.Count(), converted.Mine->Branches.Count());
    ASSERT_EQ(original.Mine->Uzels.Count(), converted.Mine->Uzels.Count());
    EXPECT_EQ(original.Mine->Name(), converted.Mine->Name());
    for (int i = 0; i < original.Mine->Branches.Count(); ++i) {
        const TBranch* was = original.Mine->Branches.Items(i);
        const TBranch* is = converted.Mine->Branches.Items(i);
        EXPECT_EQ(was->Number(), is->Number());
        EXPECT_EQ(was->StartNumber(), is->StartNumber());
        EXPECT_EQ(was->LayerIndex(), is->LayerIndex());
        EXPECT_EQ(was->Remark(), is->Remark());
    }
    // Only the topology travels: the pipes come back empty.
    EXPECT_FALSE(converted.Mine->Branches.Items(0)->FirePipe()->Present());
}

TEST(ConvertExchangeCli, UnknownExtensionsAndDamagedFilesAreRefused)
{
    TestTempDir dir;
    const QString irv = dir.file(u"sample.irv"_qs);
    ASSERT_EQ(0, Cli({u"generate"_qs, u"--preset"_qs, u"sample"_qs, irv}).exit);

    const CliResult unknown = Cli({u"convert"_qs, irv, dir.file(u"sample.dat"_qs)});
    EXPECT_EQ(64, unknown.exit);
    EXPECT_TRUE(unknown.err.contains(u"Указано неизвестное расширение файла"_qs)) << unknown.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file(u"sample.dat"_qs)));
    EXPECT_EQ(64, Cli({u"convert"_qs, irv, dir.file(u"x.mdf"_qs), u"--format"_qs, u"16"_qs}).exit);
    // Any name but .mdf is read as a network file, as convert always has (a backup, say).
    ASSERT_TRUE(QFile::copy(irv, dir.file(u"sample.bak"_qs)));
    EXPECT_EQ(0, Cli({u"convert"_qs, dir.file(u"sample.bak"_qs), dir.file(u"back.irv"_qs)}).exit);

    const QString damaged = dir.file(u"damaged.mdf"_qs);
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, '\0'));
    f.close();
    const CliResult refused = Cli({u"convert"_qs, damaged, dir.file(u"out.irv"_qs)});
    EXPECT_EQ(2, refused.exit);
    EXPECT_TRUE(refused.err.contains(TorvexFile::kDamaged)) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file(u"out.irv"_qs)));
}
