// Writes the seed corpora of the settings text, clipboard, hand-over, colour profile and reducer file fuzzers
// with the program's own writers, so the fuzzers start from what the program really reads:
//   irvata_fuzz_seeds fuzz/corpus
// makes settings_text/, clipboard/, hand_over/, profile_file/ and reducer_file/ below the folder.

#include "core/equipment/ReducerCharacter.h"
#include "core/equipment/ReducerFile.h"
#include "core/exchange/SampleMine.h"
#include "core/file/ClipboardRecords.h"
#include "core/file/Cp1251.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "core/settings/Colors2D.h"
#include "core/settings/Config.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/SettingsStore.h"
#include "core/shell/DdeMacro.h"
#include "core/shell/HandOverMessage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool Write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The program's whole settings as TConfig saves them, and a small text with every kind of value.
bool SettingsSeeds(const QString& folder)
{
    QTemporaryDir temp;
    SettingsStore user(temp.filePath(QStringLiteral("registry.txt")));
    SettingsStore machine;
    // Fixed folders, so the seed is the same on every machine (Save only writes the values).
    TConfig config(TConfigPlaces{&user, &machine, QStringLiteral("/home/инженер/Документы"), QStringLiteral("/opt/irvata")});
    config.AddRecentFile(QStringLiteral("/home/инженер/Сети/шахта \"Северная\".irv"));
    if (!config.Save())
        return false;

    SettingsStore small;
    auto key = small.openKey(QStringLiteral("\\Software\\korvelab\\Irvata\\1.0\\Colors"), true);
    key->writeInteger(QStringLiteral("Fontsize"), -8);
    key->writeBinary(QStringLiteral("DataCell"), QByteArray::fromHex("000000000000ffffff"));
    key->writeDouble(QStringLiteral("Koef"), 1.05);
    key->writeString(QStringLiteral("Font"), QStringLiteral("MS Sans Serif \"Ирвата\" \\ \t\u0001\U0001F600"));
    small.writeString(QStringLiteral("\\"), QStringLiteral(""), QStringLiteral("root"));
    small.createKey(QStringLiteral("\\Empty\\Key"));
    return Write(folder, QStringLiteral("config"), user.serialize()) && Write(folder, QStringLiteral("small"), small.serialize());
}

// A seed is one byte (0 nodes, 1 branches) and the block.
bool ClipboardSeeds(const QString& folder)
{
    const auto mine = SampleMine::Build();
    const auto nodes = [&](int n) {
        std::vector<TUzel*> list;
        for (int i = 0; i < std::min(n, mine->Uzels.Count()); ++i)
            list.push_back(mine->Uzels.Items(i));
        return QByteArray(1, '\0') + EncodeUzels(list);
    };
    // The branches carrying the most devices, alone, and the first few together.
    std::vector<TBranch*> branches;
    for (int i = 0; i < mine->Branches.Count(); ++i)
        branches.push_back(mine->Branches.Items(i));
    const auto devices = [](const TBranch* b) {
        int n = b->Pipes.Count();
        for (int p = 0; p < b->Pipes.Count(); ++p)
            n += b->Pipes.Items(p)->Devices.Count();
        return n;
    };
    std::vector<TBranch*> richest = branches;
    std::stable_sort(richest.begin(), richest.end(), [&](auto* a, auto* b) { return devices(a) > devices(b); });
    bool ok = Write(folder, QStringLiteral("nodes-1"), nodes(1)) && Write(folder, QStringLiteral("nodes-4"), nodes(4))
              && Write(folder, QStringLiteral("nodes-0"), nodes(0));
    for (size_t i = 0; i < std::min<size_t>(4, richest.size()); ++i)
        ok = ok && Write(folder, QStringLiteral("branch-rich-%1").arg(i), QByteArray(1, '\1') + EncodeBranches({richest[i]}));
    branches.resize(std::min<size_t>(3, branches.size()));
    return ok && Write(folder, QStringLiteral("branches-3"), QByteArray(1, '\1') + EncodeBranches(branches));
}

// Macros alone, and as the requests a second start sends (two back to back, one cut short).
bool HandOverSeeds(const QString& folder)
{
    const QString two =
        BuildOpenMacro({QStringLiteral("/home/инженер/шахта 1.irv"), QStringLiteral("/tmp/b \"c\" \\d.irv")});
    const QByteArray request = HandOver::EncodeRequest(two);
    return Write(folder, QStringLiteral("open-two"), two.toUtf8())
           && Write(folder, QStringLiteral("requests"), HandOver::EncodeRequest(QString()) + request + request.left(9))
           && Write(folder, QStringLiteral("mixed"), QByteArray("[ OPEN ( /tmp/plain.irv ) ][close][open(\"x\")junk] [[open()]"))
           && Write(folder, QStringLiteral("path-list"), QByteArray("/a.irv\n\n/b/в.irv\n\"\\\n"));
}

// The default colours, a profile with every role changed, and the same cut after the fonts as
// the files of earlier versions end.
bool ProfileSeeds(const QString& folder)
{
    TColors2D changed;
    quint32 next = 0x00204060;
    for (TProfile& p : changed.Profiles) {
        p.BackColor = next++;
        p.BorderColor = next++;
        p.Font.Color = next++;
        p.Font.Style = TFont2D::fsBold | TFont2D::fsUnderline;
    }
    changed[cpUzelNumber].Font.Name = QStringLiteral("Курсив");
    changed[cpTextBlock].Font.Name = QStringLiteral("Times New Roman Cyr");
    changed[cpTextBlock].TransparentBorder = false;
    changed[cpUzelNumber].Figure = fgRectangle;
    const QByteArray full = ProfileFile::Encode(changed);
    // Group 1 is 13 colours; a font is its colour, name length, name, size and style.
    qsizetype earlier = 13 * 4;
    for (const TProfileIndex i : {cpBranchNumber, cpUzelNumber, cpComment, cpResult})
        earlier += 4 + 4 + toCp1251(changed[i].Font.Name).size() + 4 + 1;
    return Write(folder, QStringLiteral("defaults"), ProfileFile::Encode(TColors2D()))
           && Write(folder, QStringLiteral("changed"), full) && Write(folder, QStringLiteral("earlier"), full.left(earlier));
}

// The default characteristic, a 3 x 4 table with a Cyrillic name, and a file cut inside its
// outlet pressures.
bool ReducerSeeds(const QString& folder)
{
    TReducerCharacter wide;
    wide.Name = QStringLiteral("РД-3/4");
    wide.Resize(3, 4);
    for (int r = 0; r < 3; ++r) {
        wide.SetInlet(r, 10.0 * (r + 1));
        wide.SetLocking(r, 5.0 * (r + 1));
        for (int k = 0; k < 4; ++k)
            wide.SetOutlet(r, k, 4.0 * (r + 1) - k);
    }
    for (int k = 0; k < 4; ++k)
        wide.SetFlow(k, 10.0 + 25.0 * k);
    const QByteArray full = ReducerFile::Encode(wide);
    return Write(folder, QStringLiteral("default"), ReducerFile::Encode(TReducerCharacter()))
           && Write(folder, QStringLiteral("three-by-four"), full) && Write(folder, QStringLiteral("cut"), full.left(full.size() - 12));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: irvata_fuzz_seeds CORPUS_DIR\n");
        return 64;
    }
    const QString out = QFile::decodeName(argv[1]);
    if (!SettingsSeeds(out + QStringLiteral("/settings_text")) || !ClipboardSeeds(out + QStringLiteral("/clipboard"))
        || !HandOverSeeds(out + QStringLiteral("/hand_over")) || !ProfileSeeds(out + QStringLiteral("/profile_file"))
        || !ReducerSeeds(out + QStringLiteral("/reducer_file"))) {
        std::fprintf(stderr, "irvata_fuzz_seeds: could not write the seeds\n");
        return 1;
    }
    return 0;
}
