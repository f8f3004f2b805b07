#include "core/equipment/PumpStore.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace {
double Bounded(double v) { return std::clamp(v, -kMaxPumpValue, kMaxPumpValue); }
TBasePoint Bounded(const TBasePoint& p) { return {Bounded(p.Q), Bounded(p.H)}; }
bool IsNumber(const TBasePoint& p) { return !std::isnan(p.Q) && !std::isnan(p.H); }
}  // namespace

void TPumpStore::SetRange(TPumpRange which, double value)
{
    if (std::isnan(value))
        return;
    ranges_[which] = Bounded(value);
    const int min = which & ~1;
    if (ranges_[min] == ranges_[min + 1])
        ranges_[min + 1] = ranges_[min] + 10 > kMaxPumpValue ? ranges_[min] - 10 : ranges_[min] + 10;
    modified_ = true;
}

void TPumpStore::SetRangesAsRead(double minQ, double maxQ, double minH, double maxH)
{
    ranges_[prMinQ] = minQ;
    ranges_[prMaxQ] = maxQ;
    ranges_[prMinH] = minH;
    ranges_[prMaxH] = maxH;
}

int TPumpStore::InsertPoint(const TBasePoint& point)
{
    if (!IsNumber(point))
        return -1;
    modified_ = true;
    return points_.Insert(Bounded(point));
}

int TPumpStore::ReplacePoint(int index, const TBasePoint& point)
{
    if (!IsNumber(point))
        return index;
    const int to = points_.Replace(index, Bounded(point));
    modified_ = true;
    return to;
}

void TPumpStore::DeletePoint(int index)
{
    points_.Delete(index);
    modified_ = true;
}

void TPumpStore::CopyFrom(const TPumpStore& other)
{
    for (int i = 0; i < 4; ++i)
        ranges_[i] = other.ranges_[i];
    points_.Suspend();
    points_.Assign(other.points_.Points());
    points_.Resume();
    modified_ = true;
}

namespace {
QString Bound(double v) { return QString::number(std::round(v), 'f', 0); }
}  // namespace

QString TPumpStore::FlowRefusal(double q) const
{
    if (q >= ranges_[prMinQ] && q <= ranges_[prMaxQ])
        return {};
    return QStringLiteral("Величина расхода должна лежать в пределах от %1 до %2.")
        .arg(Bound(ranges_[prMinQ]), Bound(ranges_[prMaxQ]));
}

QString TPumpStore::HeadRefusal(double h) const
{
    if (h >= ranges_[prMinH] && h <= ranges_[prMaxH])
        return {};
    return QStringLiteral("Величина депрессии должна лежать в пределах от %1 до %2.")
        .arg(Bound(ranges_[prMinH]), Bound(ranges_[prMaxH]));
}

bool PumpNameHasForbiddenCharacters(const QString& name)
{
    for (QChar c : {u':', u'/', u'\\', u';'})
        if (name.contains(c))
            return true;
    return false;
}

QString PumpFilePath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name + PumpTexts::kFileExtension;
    return QDir(folder).filePath(name + PumpTexts::kFileExtension);
}
