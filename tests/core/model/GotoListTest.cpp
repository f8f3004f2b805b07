#include "core/model/Errors.h"
#include "core/model/GotoList.h"
#include "core/model/Layer.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

QStringList texts(const std::vector<GotoEntry>& entries)
{
    QStringList list;
    for (const GotoEntry& e : entries)
        list << e.text;
    return list;
}

}  // namespace

TEST(GotoList, NodeNumbersSortedAsText)
{
    MineBuilder b;
    b.uzel(10);
    b.uzel(2);
    b.uzel(101);
    const auto entries = GotoNumberEntries(b.mine(), GotoKind::Uzel);
    EXPECT_EQ(texts(entries), (QStringList{QStringLiteral("10"), QStringLiteral("101"), QStringLiteral("2")}));
    EXPECT_EQ(FindGotoEntry(entries, QStringLiteral(" 2 "))->Number(), 2);
}

TEST(GotoList, BranchesAndComments)
{
    MineBuilder b;
    TBranch* first = b.branch(7, 1, 2);
    TBranch* second = b.branch(3, 2, 3);
    b.branch(5, 3, 4);
    first->SetRemark(QStringLiteral("Штрек"));
    second->SetRemark(QStringLiteral("Квершлаг"));
    EXPECT_EQ(texts(GotoNumberEntries(b.mine(), GotoKind::Branch)),
              (QStringList{QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("7")}));
    const auto comments = GotoCommentEntries(b.mine());
    EXPECT_EQ(texts(comments), (QStringList{QStringLiteral("Квершлаг"), QStringLiteral("Штрек")}));
    EXPECT_EQ(FindGotoEntry(comments, QStringLiteral("Штрек")), first);
}

TEST(GotoList, FireDevicesAndPPZNumbers)
{
    MineBuilder b;
    TBranch* br = b.firePipe(1, 1, 2);
    TDevice* hydrant = b.device(br, dkCrane, 0.5, 12);
    TDevice* gate = b.device(br, dkGate, 0.2, 4);
    TDevice* drainage = b.device(br, dkGate, 0.3, 99, 1);
    hydrant->SetPPZNumber(QStringLiteral("ППЗ-3"));
    drainage->SetPPZNumber(QStringLiteral("Д-1"));

    const auto fire = GotoNumberEntries(b.mine(), GotoKind::FireDevice);
    EXPECT_EQ(texts(fire), (QStringList{QStringLiteral("12"), QStringLiteral("4")})) << "devices of the fire pipe only";
    EXPECT_EQ(FindGotoEntry(fire, QStringLiteral("4")), gate);

    const auto ppz = GotoNumberEntries(b.mine(), GotoKind::PPZDevice);
    EXPECT_EQ(texts(ppz), (QStringList{QStringLiteral("Д-1"), QStringLiteral("ППЗ-3")}));
    EXPECT_EQ(FindGotoEntry(ppz, QStringLiteral("ППЗ-3")), hydrant);
}

TEST(GotoList, PlanPositionsByName)
{
    MineBuilder b;
    TPLFPosition* p = TPLFPosition::Create(b.get());
    p->SetName(QStringLiteral("Позиция 1"));
    const auto entries = GotoNumberEntries(b.mine(), GotoKind::PLFPosition);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(FindGotoEntry(entries, QStringLiteral("Позиция 1")), p);
}

TEST(GotoList, MissingEntryRaisesObjectNotFound)
{
    MineBuilder b;
    b.uzel(1);
    const auto entries = GotoNumberEntries(b.mine(), GotoKind::Uzel);
    try {
        FindGotoEntry(entries, QStringLiteral("2"));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Объект не найден"));
    }
    EXPECT_THROW(FindGotoEntry({}, QString()), Exception);
}

TEST(GotoList, TextsOfTheDialog)
{
    EXPECT_EQ(GotoKindCaption(GotoKind::FireDevice), QStringLiteral("устройство на пожарно-оросительном трубопроводе"));
    EXPECT_EQ(GotoEmptyListText(GotoKind::Uzel), QStringLiteral("<номеров нет>"));
    EXPECT_EQ(GotoEmptyListText(GotoKind::PLFPosition), QStringLiteral("<названий нет>"));
    EXPECT_EQ(GotoMissText(GotoKind::Branch), QStringLiteral("Выработка не найдена"));
    EXPECT_EQ(GotoMissText(GotoKind::PPZDevice), QStringLiteral("Устройство не найдено"));
}

TEST(GotoList, TargetBranchOfEachKind)
{
    MineBuilder b;
    TBranch* a = b.firePipe(1, 1, 2);
    TBranch* c = b.firePipe(2, 2, 3);
    TBranch* d = b.firePipe(3, 3, 4);
    TPLFPosition* used = TPLFPosition::Create(&b.mine());
    TPLFPosition* empty = TPLFPosition::Create(&b.mine());
    d->SetPLFIndex(0);
    c->SetPLFIndex(0);
    TDevice* hydrant = b.device(d, dkCrane, 0.5, 12);

    EXPECT_EQ(GotoTargetBranch(b.mine(), GotoKind::Branch, a), a);
    EXPECT_EQ(GotoTargetBranch(b.mine(), GotoKind::PLFPosition, used), c) << "the first in the mine's order";
    EXPECT_EQ(GotoTargetBranch(b.mine(), GotoKind::PLFPosition, empty), nullptr);
    EXPECT_EQ(GotoTargetBranch(b.mine(), GotoKind::FireDevice, hydrant), d);
    EXPECT_EQ(GotoTargetBranch(b.mine(), GotoKind::Uzel, b.uzel(9)), nullptr);
    EXPECT_EQ(GotoTargetBranch(b.mine(), GotoKind::Branch, hydrant), nullptr) << "an object of another kind";
}
