// irvata-cli render, run as scripts run it: the real program on the sample mine.

#include "support/TempDir.h"

#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "core/settings/Params2D.h"
#include "render/schema2d/SchemaScene.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

const QString kSample = QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv");

struct CliRun {
    int exit = -1;
    QString err;
};

CliRun Render(const QStringList& args)
{
    // As a script on a machine without a display runs it: the program picks its platform itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(IRVATA_CLI_PATH), QStringList{QStringLiteral("render")} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

QJsonObject ReadJson(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QJsonDocument::fromJson(f.readAll()).object();
}

// The view the schema window would have for the sample at 100 % with the command's defaults.
TViewGeometry SampleViewAtFullScale(TMine& mine)
{
    TSchemaScene scene(mine);
    TDisplaySwitches show = TDisplaySwitches::FromParams(TParams2D());
    show.BranchLabels = true;
    scene.RecomputeExtent(show, TColors2D());
    TViewGeometry view;
    scene.ApplyExtent(view);
    return view;
}

}  // namespace

TEST(RenderCommand, PictureSizeAndObjectPositionsFollowTheViewGeometry)
{
    TestTempDir dir;
    const QString png = dir.file(QStringLiteral("s.png"));
    const QString json = dir.file(QStringLiteral("s.json"));
    ASSERT_EQ(Render({kSample, png, QStringLiteral("--objects"), json}).exit, 0);
    TNetworkDocument doc = NetworkFile::Read(kSample);
    const TViewGeometry view = SampleViewAtFullScale(*doc.Mine);
    const QImage image(png);
    EXPECT_EQ(image.width(), int(std::ceil(view.TotalWidth())));
    EXPECT_EQ(image.height(), int(std::ceil(view.TotalHeight())));

    const QJsonObject objects = ReadJson(json);
    EXPECT_EQ(objects[QStringLiteral("width")].toInt(), image.width());
    EXPECT_EQ(objects[QStringLiteral("scale")].toDouble(), 1.0);
    // Every node, once, at offX + s·SX.
    std::map<int, QPointF> nodes;
    EXPECT_EQ(objects[QStringLiteral("nodes")].toArray().size(), doc.Mine->Uzels.Count());
    for (const QJsonValue& v : objects[QStringLiteral("nodes")].toArray())
        nodes[v[QStringLiteral("number")].toInt()] = QPointF(v[QStringLiteral("x")].toDouble(), v[QStringLiteral("y")].toDouble());
    ASSERT_EQ(nodes.size(), size_t(doc.Mine->Uzels.Count()));
    for (const TUzel* u : doc.Mine->Uzels) {
        const QPointF expected = view.ToScreen(QPointF(u->SX(), u->SY()));
        ASSERT_TRUE(nodes.count(u->Number())) << u->Number();
        EXPECT_NEAR(nodes[u->Number()].x(), expected.x(), 0.006) << u->Number();
        EXPECT_NEAR(nodes[u->Number()].y(), expected.y(), 0.006) << u->Number();
    }
    std::set<int> branches;
    for (const QJsonValue& v : objects[QStringLiteral("branches")].toArray())
        branches.insert(v[QStringLiteral("number")].toInt());
    std::set<int> expectedBranches;
    for (const TBranch* b : doc.Mine->Branches)
        expectedBranches.insert(b->Number());
    EXPECT_EQ(branches, expectedBranches);

    // At 1:1000 the same mine is twice as far apart.
    ASSERT_EQ(Render({kSample, png, QStringLiteral("--map-scale"), QStringLiteral("1000"), QStringLiteral("--objects"), json}).exit, 0);
    std::map<int, double> doubledX;
    for (const QJsonValue& v : ReadJson(json)[QStringLiteral("nodes")].toArray())
        doubledX[v[QStringLiteral("number")].toInt()] = v[QStringLiteral("x")].toDouble();
    const int first = doc.Mine->Uzels.Items(0)->Number();
    const int last = doc.Mine->Uzels.Items(doc.Mine->Uzels.Count() - 1)->Number();
    EXPECT_NEAR(doubledX[last] - doubledX[first], 2 * (nodes[last].x() - nodes[first].x()), 0.05);
}

TEST(RenderCommand, FitGivesExactlyTheAskedSizeAtTheWholeSchemaScale)
{
    TestTempDir dir;
    const QString png = dir.file(QStringLiteral("f.png"));
    const QString json = dir.file(QStringLiteral("f.json"));
    ASSERT_EQ(Render({kSample, png, QStringLiteral("--fit"), QStringLiteral("640x480"), QStringLiteral("--objects"), json}).exit, 0);
    EXPECT_EQ(QImage(png).size(), QSize(640, 480));
    TNetworkDocument doc = NetworkFile::Read(kSample);
    TViewGeometry view = SampleViewAtFullScale(*doc.Mine);
    view.SetClient(QSize(640, 480), 0);
    view.FitWhole();
    const QJsonObject objects = ReadJson(json);
    EXPECT_NEAR(objects[QStringLiteral("scale")].toDouble(), view.Scale(), 1e-9);
    for (const QJsonValue& v : objects[QStringLiteral("nodes")].toArray()) {
        EXPECT_GE(v[QStringLiteral("x")].toDouble(), 0);
        EXPECT_LE(v[QStringLiteral("x")].toDouble(), 640);
        EXPECT_GE(v[QStringLiteral("y")].toDouble(), 0);
        EXPECT_LE(v[QStringLiteral("y")].toDouble(), 480);
    }
}

TEST(RenderCommand, ObjectsListTheDevicesWithTheirKinds)
{
    TestTempDir dir;
    const QString json = dir.file(QStringLiteral("d.json"));
    ASSERT_EQ(Render({kSample, dir.file(QStringLiteral("d.png")), QStringLiteral("--pipe"), QStringLiteral("fire"),
                      QStringLiteral("--objects"), json})
                  .exit,
              0);
    TNetworkDocument doc = NetworkFile::Read(kSample);
    std::multiset<std::pair<int, int>> fireDevices;  // kind, number
    for (const TBranch* b : doc.Mine->Branches)
        for (const TPipe* p : b->Pipes)
            if (p->Kind() == pkFire)
                for (const TDevice* d : p->Devices)
                    fireDevices.insert({d->GetKind(), d->Number()});
    std::multiset<std::pair<int, int>> listed;  // each device once, though those at nodes are drawn twice
    for (const QJsonValue& v : ReadJson(json)[QStringLiteral("devices")].toArray())
        listed.insert({v[QStringLiteral("kind")].toInt(), v[QStringLiteral("number")].toInt()});
    EXPECT_FALSE(listed.empty());
    EXPECT_EQ(listed, fireDevices);
}

TEST(RenderCommand, BlackAndWhiteHasTwoColours)
{
    TestTempDir dir;
    const QString png = dir.file(QStringLiteral("bw.png"));
    ASSERT_EQ(Render({kSample, png, QStringLiteral("--bw"), QStringLiteral("--scale"), QStringLiteral("50")}).exit, 0);
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(colours, (std::set<QRgb>{0x000000, 0xFFFFFF}));
}

TEST(RenderCommand, BadCommandLinesAreStatus64WithTheWayToTheUsage)
{
    TestTempDir dir;
    const QString png = dir.file(QStringLiteral("x.png"));
    const QList<QStringList> bad = {
        {kSample},
        {kSample, png, QStringLiteral("--frobnicate")},
        {kSample, png, QStringLiteral("--pipe"), QStringLiteral("water")},
        {kSample, png, QStringLiteral("--scale"), QStringLiteral("0")},
        {kSample, png, QStringLiteral("--fit"), QStringLiteral("0x10")},
        {kSample, png, QStringLiteral("--fit"), QStringLiteral("640")},
        {kSample, png, QStringLiteral("--bw=1")},
        {kSample, png, QStringLiteral("--objects")},
        {kSample, png, QStringLiteral("--colour"), QStringLiteral("pressures")},
        {kSample, png, QStringLiteral("--calc"), QStringLiteral("--results"), QStringLiteral("q,x")},
    };
    for (const QStringList& args : bad) {
        const CliRun r = Render(args);
        EXPECT_EQ(r.exit, 64) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("Try 'irvata-cli render --help' for more information.\n"))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}

// --calc: the sample mine calculated and drawn coloured by pressures with its result labels
// and water arrows, the labels inside the picture; without results nothing is coloured by
// them (the option needs --calc, above).
TEST(RenderCommand, CalcDrawsTheResultsColouredByPressures)
{
    TestTempDir dir;
    const QString png = dir.file(QStringLiteral("calc.png"));
    const CliRun r = Render({kSample, png, QStringLiteral("--calc"), QStringLiteral("--colour"), QStringLiteral("pressures"),
                             QStringLiteral("--results"), QStringLiteral("q,p"), QStringLiteral("--arrows"),
                             QStringLiteral("--scale"), QStringLiteral("60")});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    // The band colours of the scale that show, and the results' label back.
    const QRgb scale[] = {qRgb(210, 0, 0), qRgb(255, 150, 0), qRgb(0, 170, 60), qRgb(40, 80, 230)};
    int shown = 0;
    for (QRgb c : scale)
        shown += counts[c] > 50;
    EXPECT_GE(shown, 1);
    EXPECT_GT(counts[qRgb(255, 153, 204)], 1000) << "result labels";
    if (const QString shots = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR"); !shots.isEmpty())
        QFile::copy(png, shots + QStringLiteral("/render-calc.png"));
}

TEST(RenderCommand, FileFailuresAreStatusTwoAndLeaveNoOutput)
{
    TestTempDir dir;
    const QString png = dir.file(QStringLiteral("out.png"));
    const QString json = dir.file(QStringLiteral("out.json"));
    const QString objects[] = {QStringLiteral("--objects"), json};

    CliRun r = Render({dir.file(QStringLiteral("missing.irv")), png, objects[0], objects[1]});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("missing.irv"))) << r.err.toStdString();

    const QString profile = dir.file(QStringLiteral("bad.cl"));
    QFile f(profile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(10, '\x01'));  // ends inside the colours
    f.close();
    r = Render({kSample, png, QStringLiteral("--profile"), profile, objects[0], objects[1]});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("bad.cl"))) << r.err.toStdString();

    EXPECT_EQ(Render({kSample, dir.file(QStringLiteral("no/such/folder/out.png")), objects[0], objects[1]}).exit, 2);
    // The list cannot be written: the picture goes too.
    EXPECT_EQ(Render({kSample, png, objects[0], dir.file(QStringLiteral("no/such/folder/out.json"))}).exit, 2);

    EXPECT_FALSE(QFile::exists(png));
    EXPECT_FALSE(QFile::exists(json));
}

TEST(RenderCommand, EveryFormatByItsExtension)
{
    TestTempDir dir;
    const std::pair<QString, QByteArray> outputs[] = {
        {QStringLiteral("s.BMP"), QByteArray("BM")},         {QStringLiteral("s.Jpg"), QByteArray::fromHex("ffd8ff")},
        {QStringLiteral("s.emf"), QByteArray::fromHex("01000000")}, {QStringLiteral("s.svg"), QByteArray("<?xml")},
        {QStringLiteral("s.pdf"), QByteArray("%PDF-")},
    };
    for (const auto& [name, magic] : outputs) {
        const QString path = dir.file(name);
        ASSERT_EQ(Render({kSample, path, QStringLiteral("--fit"), QStringLiteral("320x200")}).exit, 0) << name.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readAll().startsWith(magic)) << name.toStdString();
    }
    const QString bmp = dir.file(QStringLiteral("d.bmp"));
    ASSERT_EQ(Render({kSample, bmp, QStringLiteral("--fit"), QStringLiteral("320x200"), QStringLiteral("--bits"), QStringLiteral("4")}).exit, 0);
    EXPECT_EQ(QImage(bmp).size(), QSize(320, 200));
    EXPECT_EQ(QFileInfo(bmp).size(), 14 + 40 + 64 + 160 * 200);
    const QString jpg = dir.file(QStringLiteral("g.jpg"));
    ASSERT_EQ(Render({kSample, jpg, QStringLiteral("--fit"), QStringLiteral("320x200"), QStringLiteral("--grey"),
                      QStringLiteral("--progressive"), QStringLiteral("--quality"), QStringLiteral("40")})
                  .exit,
              0);
    EXPECT_TRUE(QImage(jpg).isGrayscale());
}

TEST(RenderCommand, UnknownExtensionsAndBadPictureOptionsAreRefused)
{
    TestTempDir dir;
    const CliRun unknown = Render({kSample, dir.file(QStringLiteral("s.gif"))});
    EXPECT_EQ(unknown.exit, 64);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Указано неизвестное расширение файла"))) << unknown.err.toStdString();
    const QString bmp = dir.file(QStringLiteral("x.bmp"));
    const QString jpg = dir.file(QStringLiteral("x.jpg"));
    const QList<QStringList> bad = {
        {kSample, dir.file(QStringLiteral("noext"))},
        {kSample, bmp, QStringLiteral("--bits"), QStringLiteral("64")},
        {kSample, bmp, QStringLiteral("--bits"), QStringLiteral("2")},
        {kSample, bmp, QStringLiteral("--quality"), QStringLiteral("50")},
        {kSample, jpg, QStringLiteral("--bits"), QStringLiteral("8")},
        {kSample, jpg, QStringLiteral("--quality"), QStringLiteral("0")},
        {kSample, jpg, QStringLiteral("--quality"), QStringLiteral("101")},
        {kSample, dir.file(QStringLiteral("x.png")), QStringLiteral("--grey")},
    };
    for (const QStringList& args : bad)
        EXPECT_EQ(Render(args).exit, 64) << args.join(u' ').toStdString();
    // 3000 % of the sample is over 32 767 pixels wide: refused, nothing written.
    EXPECT_EQ(Render({kSample, bmp, QStringLiteral("--scale"), QStringLiteral("3000")}).exit, 2);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
