#include "core/services/MineMerge.h"

#include "core/tables/BulkNodeEdit.h"
#include "core/file/ClipboardRecords.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Errors.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QUuid>
#include <algorithm>
#include <climits>
#include <cmath>

namespace MineMerge {

namespace {

template <class Visit>
void ForEachDevice(const TMine& mine, Visit visit)
{
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (TDevice* d : p->Devices)
                visit(d);
}

// A copy through the file's own records, so every value the file keeps comes along.
TNetworkDocument CopyOf(const TMine& mine, const TDocumentSettings& settings, const std::vector<TBranch*>& order)
{
    const QByteArray body = NetworkFile::WriteBody(mine, settings, order, kCurrentStreamVersion);
    return NetworkFile::ReadBody(body, kCurrentStreamVersion, mine.Name());
}

QString NotesOrNone(const QString& notes) { return notes.isEmpty() ? QStringLiteral("отсутствуют") : notes; }

// Numbers, coordinates, schema positions, seams and plan positions of the attached copy as
// they will be in the merged mine. Branch ends are renumbered after the nodes, so every
// end finds its node again.
void Shift(TMine& attached, const TMergeNumbering& numbering, const TMergeRequest& request, int baseLayers,
           int basePositions)
{
    TBulkNodeEdit bulk(attached);
    for (TUzel* u : attached.Uzels) {
        const float sx = u->SX(), sy = u->SY();
        u->SetNumber(u->Number() + numbering.UzelOffset);
        u->SetX(u->X() + request.Dx);
        u->SetY(u->Y() + request.Dy);
        u->SetSX(static_cast<float>(sx + request.Dx * request.SchemaFactor));
        u->SetSY(static_cast<float>(sy + request.Dy * request.SchemaFactor));
    }
    for (TBranch* b : attached.Branches) {
        b->SetNumber(b->Number() + numbering.BranchOffset);
        b->SetStartNumber(b->StartNumber() + numbering.UzelOffset);
        b->SetEndNumber(b->EndNumber() + numbering.UzelOffset);
        // "No seam" and "no plan position" stay none.
        const int layer = b->LayerIndex();
        const int position = b->PLFIndex();
        b->SetLayerIndex(layer < 0 ? -1 : layer + baseLayers);
        b->SetPLFIndex(position < 0 ? -1 : position + basePositions);
    }
    ForEachDevice(attached, [&](TDevice* d) {
        if (d->Number() > 0)
            d->SetNumber(d->Number() + numbering.UzelOffset);
    });
}

void AppendLayers(TMine& target, const TMine& source)
{
    for (const TLayer* from : source.Layers) {
        TLayer* to = TLayer::Create(&target);
        to->SetNumber(from->Number());
        to->SetName(from->Name());
        to->SetColor(from->Color());
        to->SetVisible(from->Visible());
    }
    for (const TPLFPosition* from : source.PLFPositions) {
        TPLFPosition* to = TPLFPosition::Create(&target);
        to->SetNumber(from->Number());
        to->SetName(from->Name());
        to->SetColor(from->Color());
        to->SetVisible(from->Visible());
        to->SetPositionNo(from->PositionNo());
    }
}

}  // namespace

void CheckPreconditions(int openDocuments, const TMine& base)
{
    if (openDocuments < 2)
        throw EMineError(kTooFewDocuments);
    if (base.SurfaceUzels.Count() == 0)
        throw EMineError(kNoSurfaceUzels);
}

int DefaultFirstUzel(const TMine& base)
{
    long long largest = 0;
    for (const TUzel* u : base.Uzels)
        largest = std::max<long long>(largest, u->Number());
    ForEachDevice(base, [&](const TDevice* d) { largest = std::max<long long>(largest, d->Number()); });
    return static_cast<int>(std::min<long long>(largest + 1, INT_MAX));
}

int DefaultFirstBranch(const TMine& base)
{
    long long largest = 0;
    for (const TBranch* b : base.Branches)
        largest = std::max<long long>(largest, b->Number());
    return static_cast<int>(std::min<long long>(largest + 1, INT_MAX));
}

TMergeNumbering Numbering(const TMine& base, const TMine& attached, const TMergeRequest& request)
{
    if (!std::isfinite(request.Dx) || !std::isfinite(request.Dy) || !std::isfinite(request.SchemaFactor))
        throw EMineError(kBadNumber);
    TMergeNumbering n;
    const int defaultUzel = DefaultFirstUzel(base);
    const int defaultBranch = DefaultFirstBranch(base);
    n.FirstUzel = request.FirstUzel.value_or(defaultUzel);
    if (n.FirstUzel < defaultUzel)
        throw EMineError(kUzelsFrom.arg(defaultUzel));
    n.FirstBranch = request.FirstBranch.value_or(defaultBranch);
    if (n.FirstBranch < defaultBranch)
        throw EMineError(kBranchesFrom.arg(defaultBranch));

    std::optional<long long> smallestUzel, largestUzel, smallestBranch, largestBranch;
    const auto note = [](std::optional<long long>& smallest, std::optional<long long>& largest, long long v) {
        smallest = std::min(smallest.value_or(v), v);
        largest = std::max(largest.value_or(v), v);
    };
    for (const TUzel* u : attached.Uzels)
        note(smallestUzel, largestUzel, u->Number());
    ForEachDevice(attached, [&](const TDevice* d) {
        if (d->Number() > 0)
            note(smallestUzel, largestUzel, d->Number());
    });
    for (const TBranch* b : attached.Branches)
        note(smallestBranch, largestBranch, b->Number());
    const long long uzelOffset = smallestUzel ? n.FirstUzel - *smallestUzel : 0;
    const long long branchOffset = smallestBranch ? n.FirstBranch - *smallestBranch : 0;
    // Numbers past the integer range would wrap round onto the base mine's numbers.
    if ((largestUzel && *largestUzel + uzelOffset > INT_MAX) || (largestBranch && *largestBranch + branchOffset > INT_MAX) ||
        uzelOffset > INT_MAX || branchOffset > INT_MAX)
        throw EMineError(kBadNumber);
    n.UzelOffset = static_cast<int>(uzelOffset);
    n.BranchOffset = static_cast<int>(branchOffset);
    return n;
}

QString NotesText(const TMine& base, const TMine& attached, double dx, double dy)
{
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    return QString::asprintf("Эта шахта была получена в результате объединения шахт \"%s\" и \"%s\". Сдвиг "
                             "XY-координат для второй шахты составил %.1f м и %.1f м соответственно.",
                             base.Name().toUtf8().constData(), attached.Name().toUtf8().constData(), dx, dy) +
           crlf2 +
           QStringLiteral("Заметки основной шахты (%1).\r\n").arg(base.Name()) + NotesOrNone(base.Remark()) + crlf2 +
           QStringLiteral("Заметки присоединенной шахты (%1).\r\n").arg(attached.Name()) +
           NotesOrNone(attached.Remark());
}

TNetworkDocument Merge(const TMine& base, const TDocumentSettings& baseSettings,
                       const std::vector<TBranch*>& baseOrder, const TMine& attached, const TMergeRequest& request)
{
    const TMergeNumbering numbering = Numbering(base, attached, request);

    TNetworkDocument merged = CopyOf(base, baseSettings, baseOrder);
    TMine& mine = *merged.Mine;
    mine.SetGuid(QUuid::createUuid());
    mine.SetName(base.Name() + QStringLiteral(" + ") + attached.Name());
    mine.SetRemark(NotesText(base, attached, request.Dx, request.Dy));

    QByteArray uzels, branches;
    {
        // The renumbered copy goes as soon as its records are taken: large mines are common.
        TNetworkDocument other = CopyOf(attached, TDocumentSettings::Defaults(), {});
        Shift(*other.Mine, numbering, request, mine.Layers.Count(), mine.PLFPositions.Count());
        AppendLayers(mine, *other.Mine);
        uzels = EncodeUzels(other.Mine->Uzels.ToVector());
        branches = EncodeBranches(other.Mine->Branches.ToVector());
    }
    {
        TBulkNodeEdit bulk(mine);
        DecodeUzels(mine, uzels);
    }
    uzels.clear();
    const std::vector<TBranch*> added = DecodeBranches(mine, branches);
    merged.BranchOrder.insert(merged.BranchOrder.end(), added.begin(), added.end());
    merged.Version = kCurrentStreamVersion;
    mine.RecalcBounds();
    mine.SetModified(true, true);
    return merged;
}

}  // namespace MineMerge
