// Every window that keeps objects of a mine lets go of them when they are freed. The schema
// window (its scene, hit index, pressed and found objects), the 3D window, the node and branch
// property windows, the device panel and the all-devices table stay open while nodes, branches
// and devices are deleted, cut and pasted through the main window's commands, and after every
// step each of them is drawn and asked again — at once, before any queued work has run, and
// once it has. Under AddressSanitizer a freed object read anywhere fails the test; the 3D
// window draws under a virtual X server (and is left out where there is no OpenGL).

#include "ui/document/DocumentTestSupport.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/MineWatch.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "render/schema2d/SchemaScene.h"
#include "ui/app/DevicePanel.h"
#include "ui/app/MainForm.h"
#include "ui/devices/AllDevForm.h"
#include "ui/editing/PropertyWindows.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/Shema2DForm.h"
#include "ui/topology3d/TopolChemaForm.h"
#include "ui/topology3d/TopologyGlView.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <algorithm>

namespace {

class ObjectLifetime : public DocumentTest {
protected:
    // Everything that keeps pointers into the document's mine, open at once.
    struct Windows {
        TMainForm* Main = nullptr;
        TChildForm* Doc = nullptr;
        TShema2DForm* Schema = nullptr;
        QPointer<TTopolChemaForm> Topology;
        std::unique_ptr<TAllDevForm> AllDevices;
    };

    Windows Open(TMainForm& main, const QString& path)
    {
        Windows w;
        w.Main = &main;
        w.Doc = main.OpenPath(path);
        if (!w.Doc)
            return w;
        w.Schema = main.OpenSchema();
        w.Schema->resize(900, 650);
        w.Schema->show();
        w.Schema->FitWhole();
        w.Topology = main.OpenTopology();
        TMine& mine = *w.Doc->Mine();
        main.ShowProperties(w.Doc, mine.Uzels.Last());
        main.ShowProperties(w.Doc, mine.Branches.Last());
        w.AllDevices = std::make_unique<TAllDevForm>(*w.Doc, config, TAllDevicesHooks{}, main.DevicePanel()->LayerBox(),
                                                     main.DevicePanel()->PLFBox(), nullptr);
        w.AllDevices->show();
        Activate(w);
        Settle();
        return w;
    }

    // The document window in front again, as the user goes back to it from the schema.
    static void Activate(const Windows& w)
    {
        for (QMdiSubWindow* sub : w.Main->MdiArea()->subWindowList())
            if (sub->widget() == w.Doc)
                w.Main->MdiArea()->setActiveSubWindow(sub);
        w.Main->UpdateActions();
    }

    // Every window is drawn and asked what it shows; the schema is also asked what lies under
    // a few points, and a mouse press is left standing on whatever is there.
    static void Touch(const Windows& w)
    {
        ASSERT_NE(w.Schema, nullptr);
        const QSize panel = w.Schema->Panel()->size();
        for (const QPointF at : {QPointF(panel.width() / 2.0, panel.height() / 2.0), QPointF(40, 40),
                                 QPointF(panel.width() - 40.0, panel.height() - 40.0)}) {
            w.Schema->HitAt(at);
            w.Schema->Move(at);
        }
        w.Schema->Panel()->grab();
        w.Schema->grab();
        if (w.Topology) {
            if (TTopologyGlView* gl = w.Topology->GlView(); gl && gl->isValid())
                gl->Picture();
            w.Topology->grab();
        }
        if (TUzelPropForm* u = w.Main->UzelProperties()) {
            u->Field(QStringLiteral("X"));
            u->grab();
        }
        if (TBranchPropForm* b = w.Main->BranchProperties()) {
            b->Field(QStringLiteral("Length"));
            for (int page = 0; page < b->Pages()->count(); ++page) {
                b->Pages()->setCurrentIndex(page);
                b->grab();
            }
            b->ChooseQuantity(7);
        }
        w.Main->DevicePanel()->SelectedDevice();
        w.Main->DevicePanel()->grab();
        if (w.AllDevices)
            w.AllDevices->grab();
        w.Main->UpdateActions();
    }

    // A command through the main window, as the menu gives it; every window is touched right
    // after it (nothing queued has run yet) and again once the queue has settled.
    void Command(const Windows& w, const char* name)
    {
        Activate(w);
        QAction* action = w.Main->Action(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        Touch(w);
        Settle();
        Touch(w);
        Settle();
    }

    // The windows keep the object: the property windows show it, the schema blinks it and a
    // mouse press rests on it.
    static void Hold(const Windows& w, TMineObject* object)
    {
        w.Main->ShowProperties(w.Doc, object);
        w.Schema->FindObject(object);
        const QSize panel = w.Schema->Panel()->size();
        w.Schema->Press(QPointF(panel.width() / 2.0, panel.height() / 2.0), Qt::LeftButton, Qt::NoModifier);
    }
};

}  // namespace

// The road that lost every unsaved document: the sample, the schema (F7), back to the document,
// Ctrl+End in the node table, "Правка → Вырезать", then the delete-node button with "Да".
TEST_F(ObjectLifetime, CuttingTheLastNodeWithTheSchemaOpen)
{
    TMainForm main(config);
    Windows w = Open(main, QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv"));
    ASSERT_NE(w.Doc, nullptr);
    TMine& mine = *w.Doc->Mine();
    const int uzels = mine.Uzels.Count();

    w.Doc->FocusGrid(w.Doc->UzelGrid());
    QTest::keyClick(w.Doc->UzelGrid(), Qt::Key_End, Qt::ControlModifier);
    ASSERT_EQ(w.Doc->CurrentUzel(), mine.Uzels.Last());
    Hold(w, mine.Uzels.Last());
    Command(w, "actCutToClipboard");
    EXPECT_EQ(mine.Uzels.Count(), uzels - 1);

    QTest::keyClick(w.Doc->UzelGrid(), Qt::Key_End, Qt::ControlModifier);
    TUzel* last = w.Doc->CurrentUzel();
    ASSERT_NE(last, nullptr);
    Hold(w, last);
    messages.Answer(TMsgAnswer::Yes);
    messages.Answer(TMsgAnswer::Yes);
    Command(w, "actDelUzel");
    EXPECT_EQ(mine.Uzels.Count(), uzels - 2);
    EXPECT_EQ(main.UzelProperties()->Uzel(), nullptr);
    EXPECT_EQ(main.UzelProperties()->windowTitle(), QStringLiteral("Свойства узла"));
    // The scene draws what the mine holds now.
    for (const TBranch* b : w.Schema->Scene()->VisibleBranches())
        EXPECT_GE(mine.Branches.IndexOf(b), 0);
    w.Schema->FitWhole();
    Settle();
    Pictures::Take(w.Schema, QStringLiteral("lifetime-schema-after-cut"));
    if (w.Topology)
        Pictures::Take(w.Topology, QStringLiteral("lifetime-topology-after-cut"));
}

// Nodes, branches and devices go and come back by every command that frees or makes them,
// with every window that keeps them open; then a file is read into the same document, so the
// whole mine goes.
TEST_F(ObjectLifetime, EveryWindowLetsGoOfWhatIsDeletedCutAndPasted)
{
    TMainForm main(config);
    Windows w = Open(main, QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv"));
    ASSERT_NE(w.Doc, nullptr);
    TMine& mine = *w.Doc->Mine();
    const int branches = mine.Branches.Count();

    // Nodes: cut with their branches gone by the node's deletion, pasted back.
    w.Doc->FocusGrid(w.Doc->UzelGrid());
    w.Doc->UzelGrid()->SetCurrentCell(0, 0);
    Hold(w, w.Doc->CurrentUzel());
    Command(w, "actCutToClipboard");
    Command(w, "actPasteFromClipboard");

    // A node with its branches ("Нет": the branches go too).
    TUzel* busy = nullptr;
    for (TUzel* u : mine.Uzels)
        if (u->IncidentCount() >= 2)
            busy = u;
    ASSERT_NE(busy, nullptr);
    w.Doc->ShowUzel(busy);
    Hold(w, busy->Branches.First());
    Hold(w, busy);
    messages.Answer(TMsgAnswer::No);
    Command(w, "actDelUzel");
    EXPECT_LT(mine.Branches.Count(), branches);

    // Branches: one deleted, then several cut and pasted.
    w.Doc->ShowBranch(mine.Branches.Items(0));
    Hold(w, mine.Branches.Items(0));
    messages.Answer(TMsgAnswer::Yes);
    Command(w, "actDelBranch");
    w.Doc->FocusGrid(w.Doc->BranchGrid());
    w.Doc->BranchGrid()->SetCurrentCell(0, 0);
    Hold(w, w.Doc->CurrentBranch());
    Command(w, "actCutToClipboard");
    Command(w, "actPasteFromClipboard");

    // A device, from the device panel, held by the schema and the all-devices table.
    TDevice* device = nullptr;
    for (TBranch* b : mine.Branches)
        if (b->FirePipe() && b->FirePipe()->Devices.Count() > 0)
            device = b->FirePipe()->Devices.First();
    ASSERT_NE(device, nullptr);
    TBranch* carrier = device->Branch();
    w.Doc->ShowBranch(carrier);
    Hold(w, carrier);
    Hold(w, device);
    Settle();
    main.DevicePanel()->DevBox()->setCurrentRow(0);
    ASSERT_NE(main.DevicePanel()->SelectedDevice(), nullptr);
    const int devices = carrier->FirePipe()->Devices.Count();
    messages.Answer(TMsgAnswer::Yes);
    Command(w, "actDelDevice");
    EXPECT_EQ(carrier->FirePipe()->Devices.Count(), devices - 1);

    // The branch that carried it, and with it its pipes and the rest of its devices.
    w.Doc->ShowBranch(carrier);
    Hold(w, carrier);
    messages.Answer(TMsgAnswer::Yes);
    Command(w, "actDelBranch");
    EXPECT_EQ(main.BranchProperties()->Branch(), nullptr);

    // Another file read into the document: the whole mine goes under every window.
    Hold(w, mine.Branches.Last());
    ASSERT_TRUE(w.Doc->OpenFile(WriteMine(QStringLiteral("other.irv"), Line)));
    Touch(w);
    Settle();
    Touch(w);
    EXPECT_EQ(&w.Schema->Scene()->Mine(), w.Doc->Mine());
    EXPECT_EQ(w.Schema->Scene()->VisibleBranches().size(), 4u);
    EXPECT_EQ(main.BranchProperties()->Branch(), nullptr);
}

// The scene on its own: an object freed under it, even when as many come as went, and its mine
// going, leave it with only what the mine holds.
TEST_F(ObjectLifetime, SceneRebuildsItselfWhenObjectsOrItsMineGo)
{
    auto mb = std::make_unique<MineBuilder>();
    Line(*mb);
    TMine& mine = mb->mine();
    TSchemaScene scene(mine);
    ASSERT_EQ(scene.VisibleBranches().size(), 4u);
    std::vector<const TMineObject*> heard;
    scene.SetOnObjectGone([&](const TMineObject* gone) { heard.push_back(gone); });

    // One branch goes and another comes: the counts agree, the stored order must not be trusted.
    TBranch* gone = mine.Branches.Items(1);
    mine.DeleteBranch(gone);
    mb->firePipe(50, 2, 4);
    // Told of the branch (and of its pipe's sections before it).
    EXPECT_NE(std::find(heard.begin(), heard.end(), static_cast<const TMineObject*>(gone)), heard.end());
    ASSERT_EQ(scene.VisibleBranches().size(), 4u);
    for (const TBranch* b : scene.VisibleBranches())
        EXPECT_GE(mine.Branches.IndexOf(b), 0);
    EXPECT_EQ(scene.DrawingOrder().back()->Number(), 50);

    // A node goes: its branches stay in the mine, unlinked, and leave the drawing.
    mine.DeleteUzel(mine.FirstUzelWithNumber(1));
    EXPECT_EQ(scene.VisibleBranches().size(), 2u);
    EXPECT_EQ(scene.VisibleCounts().size(), 3u);

    heard.clear();
    mb.reset();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard.front(), nullptr);
    EXPECT_TRUE(scene.MineGone());
    EXPECT_TRUE(scene.VisibleBranches().empty());
    EXPECT_TRUE(scene.IsolatedUzels().empty());
}
