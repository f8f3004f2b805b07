#include "core/exchange/ExchangeFormats.h"

#include <QFileInfo>

namespace ExchangeFormats {

TFileFormat FormatOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot).toLower();
    if (extension == u".irv")
        return TFileFormat::Network;
    if (extension == u".mdf")
        return TFileFormat::Torvex;
    if (extension == u".txt")
        return TFileFormat::ResultsText;
    return TFileFormat::Unknown;
}

QString ImportedDocumentName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.left(dot)) + QStringLiteral(".irv");
}

}  // namespace ExchangeFormats
