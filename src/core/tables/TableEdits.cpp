#include "core/tables/TableEdits.h"

#include "core/file/Cp1251.h"
#include "core/services/FreeNumberEntries.h"
#include "core/tables/TableColumns.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_set>

namespace TableEdits {

int ParseInteger(const QString& text)
{
    bool ok = false;
    const qlonglong v = QLocale::c().toLongLong(text.trimmed(), &ok);
    if (!ok || v < INT_MIN || v > INT_MAX)
        throw EConvertError(TableEditTexts::kBadNumber);
    return static_cast<int>(v);
}

double ParseFloat(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        throw EConvertError(TableEditTexts::kBadNumber);
    return v;
}

void ApplyUzelCell(TUzel& uzel, int param, const QString& text, const TSchemaFrame& frame)
{
    switch (param) {
    case upNum:
        uzel.SetNumber(ParseInteger(text));
        break;
    case upX: {
        const double x = ParseFloat(text);
        if (x != uzel.X()) {
            uzel.SetX(x);
            SchemaPositions::FollowCoordinates(uzel, frame, true, false);
        }
        break;
    }
    case upY: {
        const double y = ParseFloat(text);
        if (y != uzel.Y()) {
            uzel.SetY(y);
            SchemaPositions::FollowCoordinates(uzel, frame, false, true);
        }
        break;
    }
    case upZ:
        uzel.SetZ(ParseFloat(text));
        break;
    default:
        break;
    }
}

namespace {

// A distance typed in metres, kept in single precision and limited to the branch.
double TypedDistance(const TBranch& branch, const QString& text)
{
    const float d = static_cast<float>(ParseFloat(text));
    return std::min(static_cast<double>(d), branch.Length());
}

}  // namespace

void ApplyBranchCell(TBranch& branch, int param, const QString& text)
{
    TWaterPipe* fire = branch.FirePipe();
    switch (param) {
    case bpNum:
        branch.SetNumber(ParseInteger(text));
        break;
    case bpNumS: {
        const int n = ParseInteger(text);
        if (n != branch.StartNumber()) {
            branch.SetStartNumber(n);
            branch.Changed(true);  // relinking reports nothing by itself
        }
        break;
    }
    case bpNumE: {
        const int n = ParseInteger(text);
        if (n != branch.EndNumber()) {
            branch.SetEndNumber(n);
            branch.Changed(true);
        }
        break;
    }
    case bpRemark:
        if (const QString refusal = Cp1251Refusal(text); !refusal.isEmpty())
            throw ETableEditError(refusal);
        branch.SetRemark(text);
        break;
    case bpAirQ:
        branch.SetAirQ(ParseFloat(text));
        break;
    case bpFirePDiam: {
        if (text.trimmed().isEmpty()) {
            fire->SetPresent(false);
            break;
        }
        const int d = ParseInteger(text);
        if (static_cast<long long>(d) <= 2LL * fire->WallThickness())
            throw ETableEditError(TableEditTexts::kBadDiameter);
        fire->SetDiameter(d);
        fire->SetPresent(true);
        break;
    }
    case bpFirePWall: {
        const int w = ParseInteger(text);
        if (2LL * w >= fire->Diameter())
            throw ETableEditError(TableEditTexts::kBadDiameter);
        fire->SetWallThickness(w);
        break;
    }
    case bpFirePFromS: {
        // Only the start moves: the pipe's end stays where it is.
        const double d = TypedDistance(branch, text);
        fire->SetExtent(1, d > 0 ? d / branch.Length() : 0.0);
        break;
    }
    case bpFirePFromE: {
        const double d = TypedDistance(branch, text);
        fire->SetExtent(2, d > 0 ? 1.0 - d / branch.Length() : 1.0);
        break;
    }
    case bpFirePK:
        fire->SetK(ParseFloat(text));
        break;
    default:
        // Length and angle are computed; seams and plan positions come from their boxes.
        break;
    }
}

void SetFirePipeLaid(TBranch& branch, bool laid)
{
    branch.FirePipe()->SetPresent(laid);
}

int NextUzelNumber(const TMine& mine)
{
    int largest = 0;
    for (const TUzel* u : mine.Uzels)
        largest = std::max(largest, u->Number());
    return largest == INT_MAX ? INT_MAX : largest + 1;
}

int NextBranchNumber(const TMine& mine)
{
    int largest = 0;
    for (const TBranch* b : mine.Branches)
        largest = std::max(largest, b->Number());
    return largest == INT_MAX ? INT_MAX : largest + 1;
}

TUzel* AddUzel(TMine& mine)
{
    // Nodes share their numbers with every device: the chooser's first entry over both.
    const int number = FreeNumberEntries::FirstFree(mine, nsUzels | nsWaterDevices | nsGasDevices, {}, true);
    return TUzel::Create(&mine, number > 0 ? number : NextUzelNumber(mine));
}

TBranch* AddBranch(TMine& mine, int defaultLayer, int defaultPLF)
{
    TBranch* b = TBranch::Create(&mine, NextBranchNumber(mine), 0, 0);
    if (defaultLayer >= 0 && defaultLayer < mine.Layers.Count())
        b->SetLayerIndex(defaultLayer);
    if (defaultPLF >= 0 && defaultPLF < mine.PLFPositions.Count())
        b->SetPLFIndex(defaultPLF);
    return b;
}

int DeleteUzel(TMine& mine, TUzel* uzel, bool withBranches)
{
    if (!uzel || !mine.Uzels.Contains(uzel))
        return 0;
    int deleted = 0;
    if (withBranches) {
        // A loop is listed twice among the incident branches; delete it once.
        std::vector<TBranch*> joined = uzel->Branches.ToVector();
        std::sort(joined.begin(), joined.end());
        joined.erase(std::unique(joined.begin(), joined.end()), joined.end());
        for (TBranch* b : joined) {
            mine.DeleteBranch(b);
            ++deleted;
        }
    }
    mine.DeleteUzel(uzel);
    return deleted;
}

void DeleteBranch(TMine& mine, TBranch* branch)
{
    if (branch && mine.Branches.Contains(branch))
        mine.DeleteBranch(branch);
}

void DeleteUzels(TMine& mine, const std::vector<TUzel*>& uzels)
{
    std::unordered_set<const TUzel*> wanted(uzels.begin(), uzels.end());
    // Walk the mine's own list, so a pointer to a node already gone is never followed.
    for (TUzel* u : mine.Uzels.ToVector())
        if (wanted.count(u))
            mine.DeleteUzel(u);
}

void DeleteBranches(TMine& mine, const std::vector<TBranch*>& branches)
{
    std::unordered_set<const TBranch*> wanted(branches.begin(), branches.end());
    for (TBranch* b : mine.Branches.ToVector())
        if (wanted.count(b))
            mine.DeleteBranch(b);
}

void ToggleSurface(TUzel& uzel)
{
    uzel.SetSurface(!uzel.Surface());
}

}  // namespace TableEdits
