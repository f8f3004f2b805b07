#include "core/equipment/ReducerFileNames.h"

#include "core/equipment/ReducerFile.h"

#include <QDir>
#include <QFileInfo>

namespace ReducerFileNames {

QString Clean(const QString& modelName)
{
    static const QString kRemoved = QStringLiteral(",./:;<>\\|");
    QString out;
    out.reserve(modelName.size());
    for (const QChar ch : modelName)
        if (!kRemoved.contains(ch) && ch.unicode() >= 0x20 && ch.unicode() != 0x7F)
            out += ch;
    return out;
}

QString NewFile(const QString& folder, const QString& modelName)
{
    const QDir dir(folder);
    const QString name = Clean(modelName);
    const auto exists = [&](const QString& fileName) { return QFileInfo::exists(dir.filePath(fileName)); };
    if (name.isEmpty()) {
        for (unsigned n = 1;; ++n) {
            const QString candidate = QStringLiteral("rdc") + QStringLiteral("%1").arg(n, 4, 16, QLatin1Char('0')).toUpper() + ReducerFile::kExtension;
            if (!exists(candidate))
                return dir.filePath(candidate);
        }
    }
    QString candidate = name + ReducerFile::kExtension;
    for (int n = 0; exists(candidate); ++n)
        candidate = QStringLiteral("%1[%2]%3").arg(name).arg(n).arg(ReducerFile::kExtension);
    return dir.filePath(candidate);
}

}  // namespace ReducerFileNames
