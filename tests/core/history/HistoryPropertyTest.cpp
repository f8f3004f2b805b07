// Random edits through every editing service of the core, each recorded as a window would
// record it, then undone, redone and branched off: the document must come back byte for byte
// with its objects' identities, and every scope must have kept what its action changed.

#include "HistoryDocument.h"

#include "core/devices/DeviceApply.h"
#include "core/devices/DeviceDraft.h"
#include "core/devices/PipeEdits.h"
#include "core/exchange/MineGenerator.h"
#include "core/file/ClipboardRecords.h"
#include "core/model/Layer.h"
#include "core/model/TextBlock2D.h"
#include "core/schema/SchemaDrags.h"
#include "core/schema/SchemaPositions.h"
#include "core/schema/TextBlockDraft.h"
#include "core/services/BranchSplit.h"
#include "core/services/DeviceRenumbering.h"
#include "core/services/LayerEdits.h"
#include "core/services/NodeTransform.h"
#include "core/tables/PasteEdits.h"
#include "core/tables/TableEdits.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace {

using Rng = std::mt19937;

int Pick(Rng& rng, int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); }
double Uniform(Rng& rng, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
bool Chance(Rng& rng, double p) { return Uniform(rng, 0, 1) < p; }

TUzel* AnyUzel(TMine& mine, Rng& rng)
{
    return mine.Uzels.Count() ? mine.Uzels.Items(Pick(rng, mine.Uzels.Count())) : nullptr;
}

TBranch* AnyBranch(TMine& mine, Rng& rng)
{
    return mine.Branches.Count() ? mine.Branches.Items(Pick(rng, mine.Branches.Count())) : nullptr;
}

std::vector<TDevice*> AllDevices(const TMine& mine)
{
    std::vector<TDevice*> out;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (TDevice* d : p->Devices)
                out.push_back(d);
    return out;
}

TDevice* AnyDevice(TMine& mine, Rng& rng)
{
    const std::vector<TDevice*> all = AllDevices(mine);
    return all.empty() ? nullptr : all[static_cast<size_t>(Pick(rng, static_cast<int>(all.size())))];
}

// A linked branch with its fire pipe laid and a length, if the mine has one near the pick.
TBranch* FireBranch(TMine& mine, Rng& rng)
{
    for (int tries = 0; tries < 30; ++tries) {
        TBranch* b = AnyBranch(mine, rng);
        if (b && b->Linked() && b->Length() > 1 && IsLaid(b->FirePipe()))
            return b;
    }
    return nullptr;
}

QString Decimal(Rng& rng, double lo, double hi) { return QString::number(Uniform(rng, lo, hi), 'f', 2); }

// The scope a window uses for an action, now and then widened to the whole mine (a wrapper
// that is unsure), which must record the same.
TEditScope Widened(Rng& rng, TEditScope narrow) { return Chance(rng, 0.2) ? TEditScope::WholeMine : narrow; }

struct Edit {
    const char* Name;
    std::function<void(HistoryDocument&, Rng&)> Run;
};

std::vector<Edit> Edits()
{
    const TSchemaFrame frame;
    return {
        {"node cell",
         [frame](HistoryDocument& d, Rng& rng) {
             TUzel* u = AnyUzel(*d.Mine, rng);
             if (!u)
                 return;
             const int param = Pick(rng, kUzelColCount);
             const QString text = param == upNum ? QString::number(1 + Pick(rng, 400)) : Decimal(rng, -500, 500);
             TEditTransaction tx(&d.History, QStringLiteral("Изменение ячейки"), Widened(rng, TEditScope::Objects));
             tx.Touch(u);
             TableEdits::ApplyUzelCell(*u, param, text, frame);
             tx.Commit();
         }},
        {"branch cell",
         [](HistoryDocument& d, Rng& rng) {
             TBranch* b = AnyBranch(*d.Mine, rng);
             if (!b)
                 return;
             static const int params[] = {bpNum,       bpNumS,      bpNumE,       bpRemark,     bpAirQ,
                                          bpFirePDiam, bpFirePWall, bpFirePFromS, bpFirePFromE, bpFirePK};
             const int param = params[Pick(rng, std::size(params))];
             QString text;
             switch (param) {
             case bpNum: text = QString::number(1 + Pick(rng, 400)); break;
             case bpNumS:
             case bpNumE: {
                 const TUzel* u = AnyUzel(*d.Mine, rng);
                 text = QString::number(u && Chance(rng, 0.8) ? u->Number() : 1 + Pick(rng, 400));
                 break;
             }
             case bpRemark: text = QStringLiteral("участок %1").arg(Pick(rng, 1000)); break;
             case bpFirePDiam: text = Chance(rng, 0.2) ? QString() : QString::number(50 + Pick(rng, 250)); break;
             case bpFirePWall: text = QString::number(1 + Pick(rng, 12)); break;
             case bpFirePK: text = Decimal(rng, 0.8, 2.2); break;
             default: text = Decimal(rng, 0, 120); break;
             }
             TEditTransaction tx(&d.History, QStringLiteral("Изменение ячейки"), Widened(rng, TEditScope::Objects));
             tx.Touch(b);
             TableEdits::ApplyBranchCell(*b, param, text);
             tx.Commit();
         }},
        {"surface",
         [](HistoryDocument& d, Rng& rng) {
             TUzel* u = AnyUzel(*d.Mine, rng);
             if (!u)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Поверхностный узел"), Widened(rng, TEditScope::Objects));
             tx.Touch(u);
             TableEdits::ToggleSurface(*u);
             tx.Commit();
         }},
        {"add node",
         [frame](HistoryDocument& d, Rng& rng) {
             TEditTransaction tx(&d.History, QStringLiteral("Добавление узла"), Widened(rng, TEditScope::Structure));
             TUzel* u = TableEdits::AddUzel(*d.Mine);
             TableEdits::ApplyUzelCell(*u, upX, Decimal(rng, -500, 500), frame);
             TableEdits::ApplyUzelCell(*u, upZ, Decimal(rng, -300, 0), frame);
             tx.Commit();
         }},
        {"add branch",
         [](HistoryDocument& d, Rng& rng) {
             const TUzel* a = AnyUzel(*d.Mine, rng);
             const TUzel* z = AnyUzel(*d.Mine, rng);
             TEditTransaction tx(&d.History, QStringLiteral("Добавление ветви"), Widened(rng, TEditScope::Structure));
             TBranch* b = TableEdits::AddBranch(*d.Mine, Pick(rng, 3) - 1, Pick(rng, 3) - 1);
             if (a && z) {
                 TableEdits::ApplyBranchCell(*b, bpNumS, QString::number(a->Number()));
                 TableEdits::ApplyBranchCell(*b, bpNumE, QString::number(z->Number()));
             }
             tx.Commit();
         }},
        {"delete node",
         [](HistoryDocument& d, Rng& rng) {
             TUzel* u = AnyUzel(*d.Mine, rng);
             if (!u)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Удаление узла"), Widened(rng, TEditScope::Structure));
             tx.Touch(u);
             TableEdits::DeleteUzel(*d.Mine, u, Chance(rng, 0.5));
             tx.Commit();
         }},
        {"delete branches",
         [](HistoryDocument& d, Rng& rng) {
             std::vector<TBranch*> gone;
             for (int k = 1 + Pick(rng, 4); k > 0; --k)
                 if (TBranch* b = AnyBranch(*d.Mine, rng))
                     gone.push_back(b);
             TEditTransaction tx(&d.History, QStringLiteral("Удаление ветвей (%1)").arg(gone.size()),
                                 Widened(rng, TEditScope::Structure));
             for (TBranch* b : gone)
                 tx.Touch(b);
             TableEdits::DeleteBranches(*d.Mine, gone);
             tx.Commit();
         }},
        {"add device",
         [](HistoryDocument& d, Rng& rng) {
             TBranch* b = FireBranch(*d.Mine, rng);
             if (!b)
                 return;
             static const int kinds[] = {dkGate, dkCrane, dkFireMachine, dkNumberDev};
             TDeviceDraft draft =
                 DeviceDrafts::ForNewDevice(*b, kinds[Pick(rng, std::size(kinds))], 0, Uniform(rng, 0.05, 0.95));
             TEditTransaction tx(&d.History, QStringLiteral("Добавление устройства"),
                                 Widened(rng, TEditScope::Objects));
             tx.Touch(b);
             DeviceApply::Apply(*b, draft, nullptr);
             tx.Commit();
         }},
        {"change device",
         [](HistoryDocument& d, Rng& rng) {
             TDevice* device = AnyDevice(*d.Mine, rng);
             if (!device)
                 return;
             TDeviceDraft draft = DeviceDrafts::ForDevice(*device);
             draft.Number = 1 + Pick(rng, 600);
             draft.PPZNumber = QStringLiteral("П-%1").arg(Pick(rng, 50));
             if (Chance(rng, 0.5))
                 draft.Position = Uniform(rng, 0.05, 0.95);
             TEditTransaction tx(&d.History, QStringLiteral("Изменение устройства"),
                                 Widened(rng, TEditScope::Objects));
             tx.Touch(device);
             DeviceApply::Apply(*device->Branch(), draft, device);
             tx.Commit();
         }},
        {"delete device",
         [](HistoryDocument& d, Rng& rng) {
             TDevice* device = AnyDevice(*d.Mine, rng);
             if (!device)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Удаление устройства"), Widened(rng, TEditScope::Objects));
             tx.Touch(device);
             PipeEdits::DeleteDevice(device);
             tx.Commit();
         }},
        {"duplicate device",
         [](HistoryDocument& d, Rng& rng) {
             TDevice* device = AnyDevice(*d.Mine, rng);
             if (!device || device->GetKind() == dkConnection || !device->Branch()->Linked())
                 return;
             TBranch& b = *device->Branch();
             const TDeviceDraft draft = DeviceDrafts::ForDevice(*device);
             TEditTransaction tx(&d.History, QStringLiteral("Добавление устройства"),
                                 Widened(rng, TEditScope::Objects));
             tx.Touch(device);
             DeviceApply::Duplicate(b, draft, device, Chance(rng, 0.5) ? 1 : -1, Uniform(rng, 1, 20));
             tx.Commit();
         }},
        {"water pipe",
         [](HistoryDocument& d, Rng& rng) {
             TBranch* b = AnyBranch(*d.Mine, rng);
             if (!b)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Трубопровод"), Widened(rng, TEditScope::Objects));
             tx.Touch(b);
             TWaterPipe* pipe = b->WaterPipe(Pick(rng, 3));
             switch (Pick(rng, 4)) {
             case 0: TableEdits::SetFirePipeLaid(*b, !IsLaid(b->FirePipe())); break;
             case 1: pipe->SetPresent(!pipe->Present()); break;
             case 2: PipeEdits::ApplyDiameter(*pipe, QString::number(40 + Pick(rng, 300))); break;
             default:
                 PipeEdits::SetPlacement(*pipe, Chance(rng, 0.5) ? TPipePlacement::FromStart : TPipePlacement::Through);
                 break;
             }
             tx.Commit();
         }},
        {"gas pipe",
         [](HistoryDocument& d, Rng& rng) {
             TBranch* b = AnyBranch(*d.Mine, rng);
             if (!b)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Газопровод"), Widened(rng, TEditScope::Objects));
             tx.Touch(b);
             if (b->GasPipeCount() > 0 && Chance(rng, 0.5)) {
                 auto* gas = static_cast<TGasPipe*>(b->Pipes.Items(3 + Pick(rng, b->GasPipeCount())));
                 PipeEdits::DeleteGasPipe(*b, gas);
             } else {
                 PipeEdits::ApplyMixtureFlow(*PipeEdits::AddGasPipe(*b), Decimal(rng, 1, 40));
             }
             tx.Commit();
         }},
        {"drag nodes",
         [](HistoryDocument& d, Rng& rng) {
             d.Mine->Selection.Clear();
             for (int k = 1 + Pick(rng, 6); k > 0; --k)
                 if (TUzel* u = AnyUzel(*d.Mine, rng))
                     u->SetSelected(true);
             std::vector<TUzel*> moving;
             for (TUzel* u : d.Mine->Uzels)
                 if (u->Selected())
                     moving.push_back(u);
             TEditTransaction tx(&d.History, QStringLiteral("Перемещение узлов (%1)").arg(moving.size()),
                                 Widened(rng, TEditScope::Objects));
             for (TUzel* u : moving)
                 tx.Touch(u);
             SchemaDrags::MoveSelectedUzels(*d.Mine, QPointF(Uniform(rng, -80, 80), Uniform(rng, -80, 80)), 1.5);
             tx.Commit();
         }},
        {"move label",
         [](HistoryDocument& d, Rng& rng) {
             TMineObject* owner = Chance(rng, 0.5) ? static_cast<TMineObject*>(AnyUzel(*d.Mine, rng))
                                                   : static_cast<TMineObject*>(AnyBranch(*d.Mine, rng));
             if (!owner)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Перемещение подписи"), Widened(rng, TEditScope::Objects));
             tx.Touch(owner);
             SchemaDrags::MoveLabel(*owner, false, QPointF(Uniform(rng, -30, 30), Uniform(rng, -30, 30)), 1.0);
             tx.Commit();
         }},
        {"split",
         [](HistoryDocument& d, Rng& rng) {
             TBranch* b = AnyBranch(*d.Mine, rng);
             if (!b || !b->Linked() || b->Length() <= 0)
                 return;
             const TSplitPlan plan = BranchSplit::Plan(*d.Mine, *b, 1 + Pick(rng, 3), TSplitNumbering::Free,
                                                       TSplitNumbering::AfterMax);
             TEditTransaction tx(&d.History, QStringLiteral("Разделение ветви"), Widened(rng, TEditScope::Structure));
             tx.Touch(b);
             BranchSplit::Execute(*d.Mine, plan);
             tx.Commit();
         }},
        {"transform",
         [](HistoryDocument& d, Rng& rng) {
             std::vector<TUzel*> nodes = d.Mine->Uzels.ToVector();
             if (Chance(rng, 0.5) && !nodes.empty())
                 nodes.resize(static_cast<size_t>(1 + Pick(rng, static_cast<int>(nodes.size()))));
             TTransformRequest r;
             r.Kind = static_cast<TTransformKind>(Pick(rng, 3));
             r.Kx = Uniform(rng, 0.5, 2);
             r.Dy = Uniform(rng, -100, 100);
             r.AngleDegrees = Uniform(rng, -90, 90);
             r.SchemaOnly = Chance(rng, 0.3);
             r.SchemaFactor = SchemaFactor(kDefaultMapScale);
             TEditTransaction tx(&d.History, QStringLiteral("Трансформация"));
             NodeTransform::Apply(*d.Mine, nodes, r);
             tx.Commit();
         }},
        {"renumber devices",
         [](HistoryDocument& d, Rng& rng) {
             TEditTransaction tx(&d.History, QStringLiteral("Перенумерация"));
             DeviceRenumbering::Renumber(*d.Mine, Chance(rng, 0.5) ? DeviceRenumbering::TMode::AfterMaximum
                                                                   : DeviceRenumbering::TMode::FillFree);
             tx.Commit();
         }},
        {"paste nodes",
         [](HistoryDocument& d, Rng& rng) {
             std::vector<TUzel*> copied;
             for (int k = 1 + Pick(rng, 3); k > 0; --k)
                 if (TUzel* u = AnyUzel(*d.Mine, rng))
                     copied.push_back(u);
             const QByteArray block = EncodeUzels(copied);
             TEditTransaction tx(&d.History, QStringLiteral("Вставка"),
                                 Chance(rng, 0.5) ? TEditScope::Structure : TEditScope::WholeMine);
             PasteEdits::PasteUzels(*d.Mine, block);
             tx.Commit();
         }},
        {"paste branches",
         [](HistoryDocument& d, Rng& rng) {
             std::vector<TBranch*> copied;
             for (int k = 1 + Pick(rng, 3); k > 0; --k)
                 if (TBranch* b = AnyBranch(*d.Mine, rng))
                     copied.push_back(b);
             const QByteArray block = EncodeBranches(copied);
             TEditTransaction tx(&d.History, QStringLiteral("Вставка"),
                                 Chance(rng, 0.5) ? TEditScope::Structure : TEditScope::WholeMine);
             PasteEdits::PasteBranches(*d.Mine, block);
             tx.Commit();
         }},
        {"seams",
         [](HistoryDocument& d, Rng& rng) {
             const TLayerKind kind = Chance(rng, 0.5) ? TLayerKind::Seams : TLayerKind::Positions;
             const int count = LayerEdits::Count(*d.Mine, kind);
             const int choice = Pick(rng, 4);
             if (choice == 3 && count > 0) {
                 // Branches on the seam lose it: the whole mine.
                 TEditTransaction tx(&d.History, QStringLiteral("Удаление пласта"));
                 LayerEdits::Remove(*d.Mine, kind, Pick(rng, count));
                 tx.Commit();
                 return;
             }
             TEditTransaction tx(&d.History, QStringLiteral("Свойства пласта"), Widened(rng, TEditScope::Objects));
             tx.TouchSeams();
             if (choice == 0 || count == 0)
                 LayerEdits::Add(*d.Mine, kind, QStringLiteral("Пласт %1").arg(Pick(rng, 100000)));
             else if (choice == 1)
                 LayerEdits::Rename(*d.Mine, kind, Pick(rng, count), QStringLiteral("Пласт %1").arg(Pick(rng, 100000)));
             else
                 LayerEdits::SetColor(*d.Mine, kind, Pick(rng, count), Pick(rng, 0xFFFFFF));
             tx.Commit();
         }},
        {"text block",
         [](HistoryDocument& d, Rng& rng) {
             TTextBlock2DList& blocks = d.Mine->TextBlocks;
             TEditTransaction tx(&d.History, QStringLiteral("Текстовый блок"), Widened(rng, TEditScope::Objects));
             tx.TouchTextBlocks();
             const int choice = blocks.Count() ? Pick(rng, 3) : 0;
             if (choice == 0) {
                 TTextBlockDraft draft = TTextBlockDraft::New(Pick(rng, 2000), Pick(rng, 2000));
                 draft.Text = QStringLiteral("Блок %1").arg(Pick(rng, 1000));
                 draft.CreateIn(blocks);
             } else {
                 TTextBlock2D* block = blocks.Items(Pick(rng, blocks.Count()));
                 if (choice == 1) {
                     TTextBlockDraft draft = TTextBlockDraft::Of(*block);
                     draft.Left += Pick(rng, 200) - 100;
                     draft.Text += QStringLiteral(" и ещё");
                     draft.Angle = Uniform(rng, -45, 45);
                     draft.ApplyTo(*block);
                 } else {
                     blocks.Remove(block);
                 }
             }
             tx.Commit();
         }},
        {"sort",
         [](HistoryDocument& d, Rng& rng) {
             const bool nodes = Chance(rng, 0.4);
             TEditTransaction tx(&d.History, nodes ? QStringLiteral("Сортировка узлов") : QStringLiteral("Сортировка ветвей"),
                                 Widened(rng, TEditScope::Structure));
             if (nodes)
                 d.Rows->SortUzels(Pick(rng, kUzelColCount));
             else
                 d.Rows->SortBranches(Pick(rng, 6));
             tx.Commit();
         }},
        {"compound",
         [](HistoryDocument& d, Rng& rng) {
             // One action that deletes, adds and sorts: full orders with pieces that come and go.
             TBranch* b = AnyBranch(*d.Mine, rng);
             TUzel* u = AnyUzel(*d.Mine, rng);
             if (!b || !u)
                 return;
             TEditTransaction tx(&d.History, QStringLiteral("Правка"), Widened(rng, TEditScope::Structure));
             tx.Touch(b);
             tx.Touch(u);
             TableEdits::DeleteBranch(*d.Mine, b);
             TableEdits::AddBranch(*d.Mine);
             if (Chance(rng, 0.5))
                 d.Rows->SortUzels(Pick(rng, kUzelColCount));
             d.Rows->SortBranches(Pick(rng, 6));
             TableEdits::DeleteUzel(*d.Mine, u, Chance(rng, 0.5));
             TableEdits::AddUzel(*d.Mine);
             tx.Commit();
         }},
        {"mine properties",
         [](HistoryDocument& d, Rng& rng) {
             TEditTransaction tx(&d.History, QStringLiteral("Свойства шахты"), Widened(rng, TEditScope::Objects));
             tx.TouchHeader();
             tx.TouchSettings();
             d.Mine->SetRemark(QStringLiteral("Примечание %1").arg(Pick(rng, 1000)));
             d.Settings.DummyZ = 50 + Pick(rng, 200);
             tx.Commit();
         }},
        {"nested",
         [](HistoryDocument& d, Rng& rng) {
             // A wrapper around a wrapper: the inner one joins the outer one.
             TBranch* b = AnyBranch(*d.Mine, rng);
             TUzel* u = AnyUzel(*d.Mine, rng);
             if (!b || !u)
                 return;
             TEditTransaction outer(&d.History, QStringLiteral("Изменение ячейки"), TEditScope::Objects);
             {
                 TEditTransaction inner(&d.History, QStringLiteral("Изменение ячейки"), TEditScope::Objects);
                 inner.Touch(b);
                 TableEdits::ApplyBranchCell(*b, bpRemark, QStringLiteral("вложенная правка"));
                 EXPECT_FALSE(inner.Commit());
             }
             outer.Touch(u);
             TableEdits::ApplyUzelCell(*u, upZ, QString::number(-Pick(rng, 300)), TSchemaFrame());
             outer.Commit();
         }},
    };
}

// Where two bodies part: the first differing byte and the bytes around it.
std::string FirstDifference(const QByteArray& a, const QByteArray& b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const qsizetype from = std::max<qsizetype>(0, i - 16);
    return QStringLiteral("sizes %1 and %2, first difference at %3: %4 | %5")
        .arg(a.size())
        .arg(b.size())
        .arg(i)
        .arg(QString::fromLatin1(a.mid(from, 40).toHex(' ')), QString::fromLatin1(b.mid(from, 40).toHex(' ')))
        .toStdString();
}

struct Snapshot {
    QByteArray Body;
    std::vector<uint64_t> Identities;
};

Snapshot Take(HistoryDocument& d) { return {d.Body(), d.Identities()}; }

// Runs one edit. A refused edit must leave the document as it was; an edit that records
// nothing must have changed nothing; none may change what its scope did not keep.
void RunEdit(HistoryDocument& d, const Edit& edit, Rng& rng, std::vector<Snapshot>& snapshots)
{
    const int uncaptured = TEditTransaction::UncapturedTotal();
    const int position = d.History.Position();
    bool refused = false;
    try {
        edit.Run(d, rng);
    } catch (const std::exception&) {
        refused = true;
    }
    d.Settle();
    ASSERT_EQ(TEditTransaction::UncapturedTotal(), uncaptured) << edit.Name << " changed what it did not keep";
    ASSERT_TRUE(d.RowsSound()) << edit.Name;
    ASSERT_FALSE(d.History.Open()) << edit.Name;
    Snapshot now = Take(d);
    if (d.History.Position() == position) {
        ASSERT_TRUE(now.Body == snapshots.back().Body)
            << edit.Name << (refused ? ": refused" : ": recorded nothing") << " but changed the document; "
            << FirstDifference(now.Body, snapshots.back().Body);
        ASSERT_EQ(now.Identities, snapshots.back().Identities) << edit.Name;
        return;
    }
    ASSERT_FALSE(refused) << edit.Name;
    ASSERT_EQ(d.History.Position(), position + 1) << edit.Name;
    ASSERT_FALSE(d.History.CanRedo());
    snapshots.push_back(std::move(now));
}

class HistoryProperty : public ::testing::TestWithParam<uint64_t> {};

TEST_P(HistoryProperty, RandomEditsUndoRedoAndBranchOffToTheSameBytes)
{
    const uint64_t seed = GetParam();
    HistoryDocument d(MineGenerator::Generate(60 + static_cast<int>(seed) * 35, seed));
    d.History.SetLimits(1000, qint64(1) << 40);
    ASSERT_TRUE(BodyReadsBack(d.Body())) << "the generated mine must survive its own file";
    ASSERT_GT(d.Mine->TextBlocks.Count() + d.Mine->Layers.Count(), 0);

    const std::vector<Edit> edits = Edits();
    Rng rng(static_cast<Rng::result_type>(seed * 7919));
    std::vector<Snapshot> snapshots{Take(d)};
    std::vector<const char*> names;
    for (int i = 0; i < 200; ++i) {
        const Edit& edit = edits[static_cast<size_t>(Pick(rng, static_cast<int>(edits.size())))];
        const int before = d.History.Position();
        ASSERT_NO_FATAL_FAILURE(RunEdit(d, edit, rng, snapshots)) << "edit " << i;
        if (d.History.Position() > before)
            names.push_back(edit.Name);
    }
    const int steps = d.History.Position();
    ASSERT_EQ(static_cast<size_t>(steps) + 1, snapshots.size());
    ASSERT_GT(steps, 120) << "most edits should change something";
    ASSERT_TRUE(BodyReadsBack(snapshots.back().Body));

    // Every serial the original mine had.
    std::vector<std::pair<TObjectKind, uint64_t>> original;
    {
        HistoryDocument fresh(MineGenerator::Generate(60 + static_cast<int>(seed) * 35, seed));
        for (const TUzel* u : fresh.Mine->Uzels)
            original.emplace_back(TObjectKind::Uzel, u->Serial());
        for (const TBranch* b : fresh.Mine->Branches)
            original.emplace_back(TObjectKind::Branch, b->Serial());
        for (const TDevice* dev : AllDevices(*fresh.Mine))
            original.emplace_back(TObjectKind::Device, dev->Serial());
    }

    for (int k = steps; k > 0; --k) {
        ASSERT_TRUE(d.History.Undo());
        d.Settle();
        ASSERT_TRUE(d.RowsSound());
        const Snapshot now = Take(d);
        ASSERT_TRUE(now.Body == snapshots[static_cast<size_t>(k - 1)].Body)
            << "undoing step " << k << ", " << names[k - 1] << ": "
            << FirstDifference(now.Body, snapshots[static_cast<size_t>(k - 1)].Body);
        ASSERT_EQ(now.Identities, snapshots[static_cast<size_t>(k - 1)].Identities)
            << "undoing step " << k << ", " << names[k - 1];
    }
    EXPECT_FALSE(d.History.CanUndo());
    for (const auto& [kind, serial] : original) {
        const TMineObject* o = d.Mine->FindObject(kind, serial);
        ASSERT_NE(o, nullptr) << serial;
        EXPECT_EQ(o->ObjectKind(), kind);
    }

    for (int k = 1; k <= steps; ++k) {
        ASSERT_TRUE(d.History.Redo());
        d.Settle();
        const Snapshot now = Take(d);
        ASSERT_TRUE(now.Body == snapshots[static_cast<size_t>(k)].Body)
            << "redoing step " << k << ", " << names[k - 1] << ": " << FirstDifference(now.Body, snapshots[static_cast<size_t>(k)].Body);
        ASSERT_EQ(now.Identities, snapshots[static_cast<size_t>(k)].Identities) << "redoing step " << k;
    }
    EXPECT_FALSE(d.History.CanRedo());

    // Half undone in one walk, then a new edit ends the undone steps.
    ASSERT_TRUE(d.History.GoTo(steps / 2));
    d.Settle();
    ASSERT_EQ(d.Body(), snapshots[static_cast<size_t>(steps / 2)].Body);
    snapshots.resize(static_cast<size_t>(steps / 2) + 1);
    for (int tries = 0; d.History.Position() == steps / 2 && tries < 20; ++tries)
        ASSERT_NO_FATAL_FAILURE(RunEdit(d, edits[static_cast<size_t>(Pick(rng, static_cast<int>(edits.size())))], rng, snapshots));
    ASSERT_EQ(d.History.Position(), steps / 2 + 1);
    EXPECT_FALSE(d.History.CanRedo());
    EXPECT_EQ(d.History.Count(), steps / 2 + 1);
    EXPECT_TRUE(BodyReadsBack(d.Body()));

    ASSERT_TRUE(d.History.GoTo(0));
    d.Settle();
    EXPECT_EQ(d.Body(), snapshots.front().Body);
    EXPECT_EQ(d.Identities(), snapshots.front().Identities);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HistoryProperty, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
