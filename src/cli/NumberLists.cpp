#include "NumberLists.h"

#include <QStringList>
#include <cmath>

namespace Cli {

std::optional<std::vector<double>> ParseDoubles(const QString& text, int count)
{
    std::vector<double> values;
    for (const QString& piece : text.split(u',')) {
        bool ok = false;
        const double v = piece.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v))
            return std::nullopt;
        values.push_back(v);
    }
    if (count > 0 && static_cast<int>(values.size()) != count)
        return std::nullopt;
    return values;
}

std::optional<std::vector<int>> ParseIntegers(const QString& text)
{
    std::vector<int> values;
    for (const QString& piece : text.split(u',')) {
        bool ok = false;
        const int v = piece.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        values.push_back(v);
    }
    return values;
}

}  // namespace Cli
