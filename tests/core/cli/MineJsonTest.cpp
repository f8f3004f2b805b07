#include "support/MineBuilder.h"

#include "core/exchange/MineJson.h"
#include "core/file/NetworkFile.h"
#include "core/model/Layer.h"
#include "core/model/PipePart.h"
#include "core/model/TextBlock2D.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QJsonObject Parse(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

// Top-level keys as they appear in the text.
QStringList KeysInTextOrder(const QByteArray& text, const QStringList& keys)
{
    QList<std::pair<qsizetype, QString>> found;
    for (const QString& k : keys)
        found.append({text.indexOf("\n  \"" + k.toUtf8() + "\":"), k});
    std::sort(found.begin(), found.end());
    QStringList order;
    for (const auto& f : found)
        order << (f.first < 0 ? QStringLiteral("(missing %1)").arg(f.second) : f.second);
    return order;
}

struct Doc {
    MineBuilder b;
    TDocumentSettings settings = TDocumentSettings::Defaults();
    std::vector<TBranch*> order;
};

}  // namespace

TEST(MineJson, TopLevelKeysInRecordOrder)
{
    Doc d;
    const QByteArray text = MineJson::Dump(d.b.mine(), d.settings, d.order, 16);
    const QStringList keys{"Version", "ColorMode", "DummyZ", "UseProjectedPipes", "OX", "OY",
                           "BranchOrder", "Columns", "Mine"};
    EXPECT_EQ(KeysInTextOrder(text, keys), keys);
    const QJsonObject root = Parse(text);
    EXPECT_EQ(root.value("Version").toInt(), 16);
    EXPECT_EQ(root.value("DummyZ").toInt(), 100);
    EXPECT_EQ(root.value("Columns").toObject().value("Branch").toArray().size(), 14);
    EXPECT_EQ(root.value("Columns").toObject().value("Result").toArray().at(16).toObject().value("Param").toInt(),
              16);
}

TEST(MineJson, MineNodesAndBranchesWithTheirFields)
{
    Doc d;
    TMine& mine = d.b.mine();
    mine.SetGuid(QUuid(QStringLiteral("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}")));
    mine.SetName(QStringLiteral("Шахта «Северная»"));
    mine.SetCenter(3, -400);
    TLayer* seam = TLayer::Create(&mine);
    seam->SetName(QStringLiteral("Пласт k5"));
    TPLFPosition* pos = TPLFPosition::Create(&mine);
    pos->SetPositionNo(7);
    TUzel* u = d.b.uzel(1, 0.1, 2, -397.3);
    u->SetSurface(true);
    d.b.uzel(2, 100, 2, -390);
    TBranch* br = d.b.firePipe(5, 1, 2, 100);
    br->SetLayerIndex(0);
    br->SetRemark(QStringLiteral("Лава 12-1"));
    TBranch* second = d.b.branch(6, 2, 1);
    d.order = {second, br};
    TTextBlock2D::Create(&mine.TextBlocks, 10, 20, QStringLiteral("A\r\nB"));

    const QByteArray text = MineJson::Dump(mine, d.settings, d.order, 17);
    const QJsonObject root = Parse(text);
    EXPECT_EQ(root.value("BranchOrder").toArray(), QJsonArray({1, 0}));
    const QJsonObject m = root.value("Mine").toObject();
    EXPECT_EQ(m.value("Guid").toString(), QStringLiteral("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}"));
    EXPECT_EQ(m.value("Name").toString(), QStringLiteral("Шахта «Северная»"));
    EXPECT_EQ(m.value("CenterZ").toInt(), -400);
    EXPECT_EQ(m.value("Layers").toArray().at(0).toObject().value("Name").toString(), QStringLiteral("Пласт k5"));
    EXPECT_EQ(m.value("PLFPositions").toArray().at(0).toObject().value("PositionNo").toInt(), 7);

    const QJsonObject node = m.value("Uzels").toArray().at(0).toObject();
    EXPECT_EQ(node.keys().size(), 12);
    EXPECT_EQ(node.value("X").toDouble(), 0.1);
    EXPECT_EQ(node.value("Z").toDouble(), -397.3);
    EXPECT_TRUE(node.value("Surface").toBool());
    EXPECT_EQ(node.value("NumberLabelOffset").toObject().value("DX").toDouble(), 12);
    EXPECT_EQ(node.value("ResultLabelOffset").toObject().value("DY").toDouble(), -15);
    EXPECT_TRUE(text.contains("\"ResultLabelOffset\": {\"DX\": 15, \"DY\": -15}"));

    const QJsonObject branch = m.value("Branches").toArray().at(0).toObject();
    EXPECT_EQ(branch.value("Number").toInt(), 5);
    EXPECT_EQ(branch.value("LayerIndex").toInt(), 0);
    EXPECT_EQ(branch.value("PLFIndex").toInt(), -1);
    EXPECT_EQ(branch.value("Remark").toString(), QStringLiteral("Лава 12-1"));
    const QJsonArray pipes = branch.value("Pipes").toArray();
    ASSERT_EQ(pipes.size(), 3);
    const QJsonObject fire = pipes.at(0).toObject();
    EXPECT_EQ(fire.value("Diameter").toInt(), 100);
    EXPECT_TRUE(fire.value("Present").toBool());
    EXPECT_EQ(fire.value("K").toDouble(), 1.05);
    EXPECT_TRUE(fire.contains("SectionLabelOffset")) << "fire-fighting pipes keep their first section's label";
    EXPECT_FALSE(pipes.at(1).toObject().contains("SectionLabelOffset"));
    const auto* section = static_cast<const TWaterPipePart*>(br->FirePipe()->FirstSection());
    EXPECT_EQ(fire.value("SectionLabelOffset").toObject().value("DX").toDouble(), section->LabelOffset().X());

    const QJsonObject block = m.value("TextBlocks").toArray().at(0).toObject();
    EXPECT_EQ(block.value("Text").toString(), QStringLiteral("A\r\nB"));
    EXPECT_EQ(block.value("FontName").toString(), QStringLiteral("Arial"));
}

TEST(MineJson, DevicesWithTheFieldsOfTheirKind)
{
    Doc d;
    d.b.uzel(1);
    d.b.uzel(2, 100);
    TBranch* br = d.b.firePipe(1, 1, 2);
    auto* pump = d.b.device<TPump>(br, dkPump, 0.0, 101);
    pump->SetValue(5, 146.25);
    auto* reducer = d.b.device<TReducer>(br, dkReducer, 0.5, 102);
    auto* hydrant = d.b.device<TCrane>(br, dkCrane, 0.75, 103);
    hydrant->SetFlow(12.5);
    TGasPipe* gas = d.b.gasPipe(br, 4);
    auto* cluster = d.b.device<TSlit>(br, dkSlit, 0.5, 104, 3);
    cluster->AddWell();
    (void)gas;

    const QJsonObject root = Parse(MineJson::Dump(d.b.mine(), d.settings, {br}, 17));
    const QJsonArray pipes =
        root.value("Mine").toObject().value("Branches").toArray().at(0).toObject().value("Pipes").toArray();
    const QJsonArray fire = pipes.at(0).toObject().value("Devices").toArray();
    ASSERT_EQ(fire.size(), 3);
    const QJsonObject p = fire.at(0).toObject();
    EXPECT_EQ(p.value("Kind").toInt(), 1);
    EXPECT_EQ(p.value("Number").toInt(), 101);
    EXPECT_EQ(p.value("A").toDouble(), 146.25);
    EXPECT_TRUE(p.contains("SectionLabelOffset")) << "the section beginning at a device of a fire pipe";
    EXPECT_TRUE(p.contains("HeadDirection"));
    const QJsonObject r = fire.at(1).toObject();
    EXPECT_TRUE(r.value("Characteristic").isNull()) << "no characteristic chosen yet";
    reducer->SetHasCharacteristic(true);
    EXPECT_EQ(fire.at(2).toObject().value("Flow").toDouble(), 12.5);
    EXPECT_EQ(fire.at(2).toObject().value("OrificeDiameter").toDouble(), 5.0);

    const QJsonObject withCharacteristic = Parse(MineJson::Dump(d.b.mine(), d.settings, {br}, 17));
    const QJsonObject c = withCharacteristic.value("Mine").toObject().value("Branches").toArray().at(0).toObject()
                              .value("Pipes").toArray().at(0).toObject().value("Devices").toArray().at(1).toObject()
                              .value("Characteristic").toObject();
    EXPECT_EQ(c.value("InletPressures").toArray(), QJsonArray({16.0, 60.0}));
    EXPECT_EQ(c.value("OutletPressures").toArray().at(1).toArray(), QJsonArray({28.6, 8.0}));

    const QJsonObject g = pipes.at(3).toObject();
    EXPECT_EQ(g.value("Kind").toInt(), 3);
    EXPECT_EQ(g.value("PipeNo").toInt(), 4);
    EXPECT_EQ(g.value("Temperature").toDouble(), 14.0);
    EXPECT_FALSE(g.contains("Present"));
    const QJsonObject slit = g.value("Devices").toArray().at(0).toObject();
    EXPECT_FALSE(slit.contains("SectionLabelOffset"));
    EXPECT_EQ(slit.value("Wells").toArray().at(0).toObject().value("Diameter").toInt(), 76);
}
