#include "core/tables/TableCells.h"

#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <optional>

namespace TableCells {

QString ShortestText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    QString text = QLocale::c().toString(value, 'g', 15);
    if (!text.contains(QLatin1Char('e')) && !text.contains(QLatin1Char('E')))
        return text;
    // Very large or very small values: plain digits, which the cell filters accept.
    text = QString::number(value, 'f', std::max(0, 14 - static_cast<int>(std::floor(std::log10(std::fabs(value))))));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString FixedText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

namespace {

const TColumnDef* Def(TTableKind kind, int param)
{
    const auto& defs = TableColumns::Defs(kind);
    if (param < 0 || param >= static_cast<int>(defs.size()))
        return nullptr;
    return &defs[static_cast<size_t>(param)];
}

int Decimals(TTableKind kind, int param)
{
    const TColumnDef* d = Def(kind, param);
    return d ? d->Decimals : 0;
}

bool FireLaid(const TBranch& branch)
{
    return IsLaid(branch.FirePipe());
}

double FromStart(const TBranch& branch)
{
    return branch.Length() * branch.FirePipe()->StartFrac();
}

double FromEnd(const TBranch& branch)
{
    return (1.0 - branch.FirePipe()->EndFrac()) * branch.Length();
}

QString LayerName(const TBranch& branch)
{
    const int i = branch.LayerIndex();
    return i >= 0 ? branch.Mine()->Layers.Items(i)->Name() : QString();
}

QString PLFName(const TBranch& branch)
{
    const int i = branch.PLFIndex();
    return i >= 0 ? branch.Mine()->PLFPositions.Items(i)->Name() : QString();
}


// The values the tables show as decimal numbers (with the column's decimals, or in full
// for editing); none for the other columns.
std::optional<double> UzelMeasure(const TUzel& uzel, int param)
{
    switch (param) {
    case upX: return uzel.X();
    case upY: return uzel.Y();
    case upZ: return uzel.Z();
    default: return std::nullopt;
    }
}

std::optional<double> BranchMeasure(const TBranch& branch, int param)
{
    switch (param) {
    case bpL: return branch.Length();
    case bpAngle: return branch.Angle();
    case bpAirQ: return branch.AirQ();
    case bpFirePFromS: return FromStart(branch);
    case bpFirePFromE: return FromEnd(branch);
    case bpFirePK: return branch.FirePipe()->K();
    default: return std::nullopt;
    }
}

// The branch's own numbers and comment, shown and edited alike.
std::optional<QString> BranchOwnText(const TBranch& branch, int param)
{
    switch (param) {
    case bpNum: return QString::number(branch.Number());
    case bpNumS: return QString::number(branch.StartNumber());
    case bpNumE: return QString::number(branch.EndNumber());
    case bpRemark: return branch.Remark();
    default: return std::nullopt;
    }
}

bool IsFireColumn(int param)
{
    switch (param) {
    case bpFirePDiam:
    case bpFirePWall:
    case bpFirePFromS:
    case bpFirePFromE:
    case bpFirePK:
        return true;
    default:
        return false;
    }
}

}  // namespace

QString UzelText(const TUzel& uzel, int param)
{
    if (param == upNum)
        return QString::number(uzel.Number());
    if (const auto value = UzelMeasure(uzel, param))
        return FixedText(*value, Decimals(TTableKind::Uzels, param));
    return QString();
}

QString UzelEditText(const TUzel& uzel, int param)
{
    if (param == upNum)
        return QString::number(uzel.Number());
    if (const auto value = UzelMeasure(uzel, param))
        return ShortestText(*value);
    return QString();
}

QString BranchText(const TBranch& branch, int param)
{
    if (const auto text = BranchOwnText(branch, param))
        return *text;
    switch (param) {
    case bpPLF:
        return PLFName(branch);
    case bpLayer:
        return LayerName(branch);
    default:
        break;
    }
    // The pipe's columns stay empty while the fire pipe is not laid.
    if (IsFireColumn(param) && !FireLaid(branch))
        return QString();
    if (const auto value = BranchMeasure(branch, param))
        return FixedText(*value, Decimals(TTableKind::Branches, param));
    switch (param) {
    case bpFirePDiam:
        return QString::number(branch.FirePipe()->Diameter());
    case bpFirePWall:
        return QString::number(branch.FirePipe()->WallThickness());
    default:
        return QString();
    }
}

QString BranchEditText(const TBranch& branch, int param)
{
    if (const auto text = BranchOwnText(branch, param))
        return *text;
    switch (param) {
    case bpFirePDiam:
        return FireLaid(branch) ? QString::number(branch.FirePipe()->Diameter()) : QString();
    case bpFirePWall:
        return QString::number(branch.FirePipe()->WallThickness());
    default:
        break;
    }
    if (const auto value = BranchMeasure(branch, param))
        return ShortestText(*value);
    return QStringLiteral("0");
}

bool UzelEditable(int param)
{
    return param >= upNum && param <= upZ;
}

bool BranchEditable(const TBranch& branch, int param)
{
    switch (param) {
    case bpNum:
    case bpNumS:
    case bpNumE:
    case bpRemark:
    case bpAirQ:
    case bpFirePDiam:
        return true;
    case bpFirePWall:
    case bpFirePFromS:
    case bpFirePFromE:
    case bpFirePK:
        return FireLaid(branch);
    default:
        return false;
    }
}

namespace {
bool IsSeparator(QChar ch)
{
    return ch == QLatin1Char(',') || ch == QLatin1Char('.');
}
}  // namespace

bool AcceptsChar(TTableKind kind, int param, QChar ch)
{
    const bool digit = ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    if (kind == TTableKind::Uzels) {
        if (digit || IsSeparator(ch))
            return true;
        return ch == QLatin1Char('-') && (param == upX || param == upY || param == upZ);
    }
    if (kind != TTableKind::Branches)
        return false;
    switch (param) {
    case bpRemark:
        return true;
    case bpAirQ:
        return digit || IsSeparator(ch) || ch == QLatin1Char('-');
    case bpFirePFromS:
    case bpFirePFromE:
    case bpFirePK:
        return digit || IsSeparator(ch);
    default:
        return digit;
    }
}

bool AcceptsText(TTableKind kind, int param, const QString& text)
{
    for (QChar ch : text)
        if (!AcceptsChar(kind, param, ch))
            return false;
    return true;
}

bool NormalizesSeparator(TTableKind kind, int param)
{
    if (kind == TTableKind::Uzels)
        return param == upX || param == upY || param == upZ;
    return Decimals(kind, param) > 0;
}

}  // namespace TableCells
