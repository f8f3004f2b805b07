#include "support/TempDir.h"

#include "core/exchange/MineGenerator.h"
#include "core/file/FileError.h"
#include "core/file/NetworkFile.h"
#include "core/model/Mine.h"

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// Reading tells how far it has come: rising, at most once a percent, and 100 only for a
// file read whole.
TEST(ReadProgress, RisesToAHundredForAWholeFileAndStopsShortOfItForADamagedOne)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("сеть.irv"));
    const std::unique_ptr<TMine> mine = MineGenerator::Generate(3000, 5);
    NetworkFile::Write(path, *mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
    std::vector<int> seen;
    const auto record = [&seen](int percent) { seen.push_back(percent); };

    EXPECT_EQ(mine->Branches.Count(), NetworkFile::Read(path, record).Mine->Branches.Count());
    ASSERT_GE(seen.size(), 3u) << "a body of many chunks reports along the way";
    EXPECT_LE(seen.size(), 100u);
    EXPECT_EQ(100, seen.back());
    EXPECT_EQ(seen.end(), std::adjacent_find(seen.begin(), seen.end(), std::greater_equal<int>()));

    QFile file(path);
    ASSERT_TRUE(file.resize(file.size() * 3 / 4));
    seen.clear();
    EXPECT_THROW(NetworkFile::Read(path, record), EFileError);
    ASSERT_FALSE(seen.empty());
    EXPECT_LT(seen.back(), 100);
}
