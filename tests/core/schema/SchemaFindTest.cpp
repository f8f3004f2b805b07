#include "core/schema/SchemaFind.h"

#include "support/MineBuilder.h"
#include "core/model/Layer.h"

#include <gtest/gtest.h>

// What a search can show, and the reasons it gives when it cannot: a branch without an end,
// a switched-off seam named (for a node, through its last branch), a plan position with no
// branch; a device turns the device display on.
TEST(SchemaFind, TargetsAndReasons)
{
    MineBuilder m;
    TUzel* u1 = m.uzel(1);
    m.uzel(2);
    TBranch* b = m.firePipe(5, 1, 2);
    TBranch* loose = m.branch(6, 1, 9);
    TDevice* gate = m.device(b, dkGate, 0.5, 3);

    EXPECT_EQ(SchemaFind::Locate(b).Target, b);
    const TSchemaFindResult device = SchemaFind::Locate(gate);
    EXPECT_EQ(device.Target, gate);
    EXPECT_TRUE(device.ShowDevices);
    EXPECT_EQ(SchemaFind::Locate(loose).Message,
              QStringLiteral("Вывод ветви №6 на графическую схему невозможен,\r\nт.к. для нее не определены начальный или "
                             "конечный узлы.\r\nПроверьте топологию"));

    TLayer* seam = TLayer::Create(m.get());
    seam->SetName(QStringLiteral("Мощный"));
    b->SetLayerIndex(0);
    seam->SetVisible(false);
    EXPECT_EQ(SchemaFind::Locate(gate).Message, QStringLiteral("Объект невидим, т.к. отключен пласт \"Мощный\""));
    // Node 1's last branch is the loose one: it is that branch's reason that counts.
    EXPECT_TRUE(SchemaFind::Locate(u1).Message.startsWith(QStringLiteral("Вывод ветви №6")));

    TPLFPosition* position = TPLFPosition::Create(m.get());
    EXPECT_EQ(SchemaFind::Locate(position).Message, QStringLiteral("Выработка не найдена"));
}
