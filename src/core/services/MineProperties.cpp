#include "core/services/MineProperties.h"

#include "core/tables/TableColumns.h"
#include "core/model/Mine.h"

namespace MineProperties {

TMineProperties Read(const TMine& mine)
{
    return {mine.Name(), mine.Remark(), mine.CenterX(), mine.CenterY(), mine.CenterZ()};
}

QString CleanRemark(const QString& remark)
{
    QString clean = remark;
    clean.remove(QLatin1Char('\'')).remove(QLatin1Char(';'));
    return clean;
}

TCenterShift Apply(TMine& mine, const TMineProperties& properties)
{
    const TCenterShift shift{properties.CenterX - mine.CenterX(), properties.CenterY - mine.CenterY()};
    mine.SetName(properties.Name);
    mine.SetRemark(CleanRemark(properties.Remark));
    mine.SetCenter(1, properties.CenterX);
    mine.SetCenter(2, properties.CenterY);
    mine.SetCenter(3, properties.CenterZ);
    return shift;
}

void SetColumnVisibility(TColumnSet& columns, const std::vector<bool>& visible)
{
    for (int i = 1; i < columns.Count() && i < static_cast<int>(visible.size()); ++i)
        columns.At(i).Visible = visible[static_cast<size_t>(i)];
}

QString FileText(const QString& path)
{
    return path.isEmpty() ? kNotSaved : path;
}

}  // namespace MineProperties
