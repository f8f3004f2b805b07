// The node and branch property windows: what they show, the pipe boxes (gas pipes listed,
// "нет" without pipes), and letting go of an object that is deleted.

#include "core/hydraulics/HydroResults.h"
#include "../document/DocumentTestSupport.h"

#include "core/schema/ObjectProperties.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "ui/editing/PropertyWindows.h"
#include "ui/editing/SectionChart.h"
#include "ui/support/Pictures.h"

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>

namespace {

class PropertyWindows : public DocumentTest {
protected:
    // Branch 10 (1-2, 100 m) with a fire pipe from the start node to 0.6 carrying a gate 7
    // at 0.25; branch 20 (2-3) with no pipe at all.
    static void Mine(MineBuilder& mb)
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 100, 0, 0);
        mb.uzel(3, 100, 50, 0);
        TBranch* ten = mb.firePipe(10, 1, 2, 125);
        ten->FirePipe()->SetFractions(0, 0.6);
        mb.device(ten, dkGate, 0.25, 7);
        mb.branch(20, 2, 3);
    }
    void SetUp() override
    {
        doc = NewForm();
        ASSERT_TRUE(doc->OpenFile(WriteMine(QStringLiteral("p.irv"), Mine)));
    }
    std::unique_ptr<TChildForm> doc;
};

}  // namespace

TEST_F(PropertyWindows, BranchWindowShowsItsPipeAndDevices)
{
    TMine& mine = *doc->Mine();
    TBranchPropForm form({});
    form.Bind(doc.get(), mine.Branches.Items(0));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Ветвь №10"));
    EXPECT_EQ(form.Field(QStringLiteral("Length")), QStringLiteral("100.0"));
    EXPECT_EQ(form.PipeBox()->itemText(0), QStringLiteral("пожарно-оросительный"));
    EXPECT_EQ(form.Field(QStringLiteral("Placement")), QStringLiteral("От начального узла"));
    EXPECT_EQ(form.Field(QStringLiteral("Diameter")), QStringLiteral("125"));
    EXPECT_EQ(form.DeviceList()->item(0)->text(), QStringLiteral("Задвижка 7"));
    EXPECT_EQ(form.Field(QStringLiteral("FromStart")), QStringLiteral("25.0 м, (25.0%)"));
    EXPECT_EQ(form.Field(QStringLiteral("FromEnd")), QStringLiteral("75.0 м, (75.0%)"));
    EXPECT_EQ(form.Field(QStringLiteral("Model")), QStringLiteral("Неизв. модель"));
    form.Pages()->setCurrentIndex(2);
    form.show();
    Pictures::Take(&form, QStringLiteral("branch-properties-devices"));

    form.Bind(doc.get(), mine.Branches.Items(1));
    EXPECT_EQ(form.PipeBox()->itemText(0), QStringLiteral("нет"));
    EXPECT_FALSE(form.DeviceList()->isEnabled());
}

// A deleted branch or node is let go of as it is freed, before anything can read it; at the
// change that follows the window is empty and says so in its caption.
TEST_F(PropertyWindows, DeletedObjectsAreLetGo)
{
    TMine& mine = *doc->Mine();
    TBranchPropForm branch({});
    TUzelPropForm uzel;
    branch.Bind(doc.get(), mine.Branches.Items(1));
    uzel.Bind(doc.get(), mine.FirstUzelWithNumber(3));
    EXPECT_EQ(uzel.windowTitle(), QStringLiteral("Узел № 3"));
    EXPECT_EQ(uzel.Field(QStringLiteral("Y")), QStringLiteral("50.0"));
    mine.DeleteBranch(mine.Branches.Items(1));
    EXPECT_EQ(branch.Branch(), nullptr);
    mine.DeleteUzel(mine.FirstUzelWithNumber(3));
    EXPECT_EQ(uzel.Uzel(), nullptr);
    emit doc->MineEdited(true);
    EXPECT_EQ(branch.Branch(), nullptr);
    EXPECT_EQ(branch.windowTitle(), QStringLiteral("Свойства ветви"));
    EXPECT_EQ(uzel.Uzel(), nullptr);
    EXPECT_EQ(uzel.windowTitle(), QStringLiteral("Свойства узла"));
}

// Without results the sections page stays hidden; with them it lists the fire pipe's sections
// and the chart takes a bar a section, the head-loss bars without labels.
TEST_F(PropertyWindows, SectionsPageAndChartNeedResults)
{
    TBranchPropForm form({});
    form.Bind(doc.get(), doc->Mine()->Branches.Items(0));
    EXPECT_FALSE(form.Pages()->isTabVisible(3));
    const THydroResults results;
    form.SetResults(&results);
    EXPECT_TRUE(form.Pages()->isTabVisible(3));
    EXPECT_EQ(form.Chart()->Values().size(), 2u);  // split by the gate
    form.ChooseQuantity(9);
    EXPECT_DOUBLE_EQ(form.Chart()->Values()[0], 25);
    EXPECT_EQ(ObjectProperties::QuantityAxisTitle(10), QStringLiteral("Длина*Коэффициент местн. сопр, м"));
}

// The result fields follow the document's results: the node's pressure from the section that
// touches it, the branch's at the end its fire pipe reaches (the other end empty and greyed),
// the device's at its own section; when the results go, every field empties and greys.
TEST_F(PropertyWindows, ResultFieldsFollowTheDocumentsResults)
{
    TMine& mine = *doc->Mine();
    TBranch* ten = mine.Branches.Items(0);
    TBranchPropForm branch({});
    TUzelPropForm start;
    TUzelPropForm end;
    branch.Bind(doc.get(), ten);
    start.Bind(doc.get(), mine.FirstUzelWithNumber(1));
    end.Bind(doc.get(), mine.FirstUzelWithNumber(2));
    EXPECT_EQ(start.Field(QStringLiteral("Pressure")), QString());
    EXPECT_EQ(branch.Field(QStringLiteral("StartPressure")), QString());

    auto results = std::make_unique<THydroResults>();
    results->AddSection(ten, static_cast<TWaterPipePart*>(ten->FirePipe()->GetSection(0)), {5, 0, 5, 80, 75});
    results->AddSection(ten, static_cast<TWaterPipePart*>(ten->FirePipe()->GetSection(1)), {5, 0, 5, 74, 70});
    results->Reindex();
    doc->SetHydroResults(std::move(results));
    EXPECT_EQ(start.Field(QStringLiteral("Pressure")), QStringLiteral("80.0"));
    EXPECT_EQ(end.Field(QStringLiteral("Pressure")), QString()) << "the pipe stops short of node 2";
    EXPECT_EQ(branch.Field(QStringLiteral("StartPressure")), QStringLiteral("80.0"));
    EXPECT_EQ(branch.Field(QStringLiteral("EndPressure")), QString());
    EXPECT_EQ(branch.Field(QStringLiteral("DevicePressure")), QStringLiteral("74.0"));
    EXPECT_TRUE(branch.Pages()->isTabVisible(3));

    doc->SetHydroResults(nullptr);
    EXPECT_EQ(start.Field(QStringLiteral("Pressure")), QString());
    EXPECT_EQ(branch.Field(QStringLiteral("StartPressure")), QString());
    EXPECT_EQ(branch.Field(QStringLiteral("DevicePressure")), QString());
    EXPECT_FALSE(branch.Pages()->isTabVisible(3));
}
