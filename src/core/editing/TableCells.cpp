#include "core/editing/TableCells.h"

#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

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

}  // namespace

QString UzelText(const TUzel& uzel, int param)
{
    switch (param) {
    case upNum:
        return QString::number(uzel.Number());
    case upX:
        return FixedText(uzel.X(), Decimals(TTableKind::Uzels, param));
    case upY:
        return FixedText(uzel.Y(), Decimals(TTableKind::Uzels, param));
    case upZ:
        return FixedText(uzel.Z(), Decimals(TTableKind::Uzels, param));
    default:
        return QString();
    }
}

QString UzelEditText(const TUzel& uzel, int param)
{
    switch (param) {
    case upNum:
        return QString::number(uzel.Number());
    case upX:
        return ShortestText(uzel.X());
    case upY:
        return ShortestText(uzel.Y());
    case upZ:
        return ShortestText(uzel.Z());
    default:
        return QString();
    }
}

QString BranchText(const TBranch& branch, int param)
{
    const int dec = Decimals(TTableKind::Branches, param);
    const TWaterPipe* fire = branch.FirePipe();
    switch (param) {
    case bpNum:
        return QString::number(branch.Number());
    case bpNumS:
        return QString::number(branch.StartNumber());
    case bpNumE:
        return QString::number(branch.EndNumber());
    case bpL:
        return FixedText(branch.Length(), dec);
    case bpAngle:
        return FixedText(branch.Angle(), dec);
    case bpRemark:
        return branch.Remark();
    case bpAirQ:
        return FixedText(branch.AirQ(), dec);
    case bpPLF:
        return PLFName(branch);
    case bpLayer:
        return LayerName(branch);
    default:
        break;
    }
    if (!FireLaid(branch))
        return QString();
    switch (param) {
    case bpFirePDiam:
        return QString::number(fire->Diameter());
    case bpFirePWall:
        return QString::number(fire->WallThickness());
    case bpFirePFromS:
        return FixedText(FromStart(branch), dec);
    case bpFirePFromE:
        return FixedText(FromEnd(branch), dec);
    case bpFirePK:
        return FixedText(fire->K(), dec);
    default:
        return QString();
    }
}

QString BranchEditText(const TBranch& branch, int param)
{
    const TWaterPipe* fire = branch.FirePipe();
    switch (param) {
    case bpNum:
        return QString::number(branch.Number());
    case bpNumS:
        return QString::number(branch.StartNumber());
    case bpNumE:
        return QString::number(branch.EndNumber());
    case bpL:
        return ShortestText(branch.Length());
    case bpAngle:
        return ShortestText(branch.Angle());
    case bpRemark:
        return branch.Remark();
    case bpAirQ:
        return ShortestText(branch.AirQ());
    case bpFirePDiam:
        return FireLaid(branch) ? QString::number(fire->Diameter()) : QString();
    case bpFirePWall:
        return QString::number(fire->WallThickness());
    case bpFirePFromS:
        return ShortestText(FromStart(branch));
    case bpFirePFromE:
        return ShortestText(FromEnd(branch));
    case bpFirePK:
        return ShortestText(fire->K());
    default:
        return QStringLiteral("0");
    }
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
