#include "core/exchange/ResultsText.h"

#include "core/tables/TableCells.h"
#include "core/tables/TableColumns.h"
#include "core/file/AtomicFile.h"
#include "core/file/Cp1251.h"
#include "core/file/FileError.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <QDir>
#include <QFileInfo>

namespace {

// System error codes the reasons are chosen by.
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;

const QString kLineEnd = QStringLiteral("\r\n");

QString OneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& ch : text)
        if (ch == u'\t' || ch == u'\r' || ch == u'\n')
            ch = u' ';
    return text;
}

QString UnitLine(const QString& unit)
{
    if (unit.startsWith(QStringLiteral("\r\n")))
        return unit.mid(2);
    return unit.startsWith(u'\n') ? unit.mid(1) : unit;
}

// What went wrong, told from the state of the target after the write failed.
int FailureCode(const QString& path)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists() || !folder.isDir())
        return kPathNotFound;
    if (target.isDir() || !folder.isWritable() || (target.exists() && !target.isWritable()))
        return kAccessDenied;
    return 0;
}

}  // namespace

namespace ResultsText {

QString SectionCell(const THydroBranch& row, int param, const std::function<QString(double)>& number)
{
    const TBranch& b = *row.Branch;
    const TWaterPipePart& s = *row.Section;
    const TSectionResult& v = row.Values;
    const auto* pipe = dynamic_cast<const TWaterPipe*>(s.OwnerPipeOf());
    switch (param) {
    case hbpNum: return QString::number(b.Number());
    case hbpNumS: return QString::number(s.SectionEndNumbers(1));
    case hbpNumE: return QString::number(s.SectionEndNumbers(2));
    case hbpL: return number(s.SectionLength());
    case hbpK: return pipe ? number(pipe->K()) : QString();
    case hbpLk: return number(s.SectionLK());
    case hbpAngle: return number(b.Angle());
    case hbpQ: return number(v.Q);
    case hbpV: return number(s.SectionVelocity(v.Q));
    case hbpD: return pipe ? number(pipe->Diameter()) : QString();
    case hbp100i: return number(s.SectionGradient(v.R, v.Q));
    case hbpR: return number(v.R);
    case hbpdZ: return number(s.SectionDZ());
    case hbpP1: return number(v.P1);
    case hbpP2: return number(v.P2);
    case hbpRemark: return b.Remark();
    case hbpDeltaP: return number(v.DeltaP);
    default: return QString();
    }
}

QString CellText(const THydroBranch& row, int param, int decimals)
{
    const QString text = SectionCell(row, param,
                                     [decimals](double v) { return TableCells::FixedText(v, decimals); });
    return param == hbpRemark ? OneLine(text) : text;
}

QStringList WasherCells(const TWasherRow& row)
{
    const auto fixed = [](double v) { return TableCells::FixedText(v, 1); };
    const TCrane* h = row.Hydrant;
    return {QString::number(h ? h->Number() : 0),
            fixed(row.Pressure),
            fixed(row.Excess()),
            QString::asprintf("%d - %.2f", row.Washer, double(TCrane::WasherSize(row.Washer))),
            fixed(row.Drop()),
            fixed(row.After()),
            h && h->Orifice() ? fixed(h->OrificeDiameter()) : QStringLiteral("-")};
}

QStringList LowerCells(const TLowerRow& row)
{
    return {QString::number(row.Hydrant ? row.Hydrant->Number() : 0), TableCells::FixedText(row.Pressure, 1),
            TableCells::FixedText(row.Shortage(), 1)};
}

QByteArray Build(const std::vector<THydroBranch>& rows, const TColumnSet& columns)
{
    QString text;
    for (int i = 0; i < columns.Count(); ++i) {
        const TColumnDescriptor& col = columns.At(i);
        if (col.Visible)
            text += u'\t' + col.Def.Heading + u' ' + UnitLine(col.Def.Unit);
    }
    text += kLineEnd;
    for (const THydroBranch& row : rows) {
        for (int i = 0; i < columns.Count(); ++i) {
            const TColumnDescriptor& col = columns.At(i);
            if (col.Visible)
                text += u'\t' + CellText(row, col.Def.Param, col.Def.Decimals);
        }
        text += kLineEnd;
    }
    return toCp1251(text);
}

void Export(const QString& path, const std::vector<THydroBranch>* rows, const TColumnSet& columns)
{
    if (!rows)
        throw Exception(kNoResults);
    const QByteArray data = Build(*rows, columns);
    try {
        WriteFileAtomically(path, data);
    } catch (const EFileError&) {
        throw Exception(QStringLiteral("Ошибка при экспорте результатов в файл %1:\r\n%2")
                            .arg(FileNameOnly(path), ReasonText(FailureCode(path))));
    }
}

QString ReasonText(int code)
{
    switch (code) {
    case kFileNotFound:
        return QStringLiteral("файл не найден");
    case kPathNotFound:
        return QStringLiteral("путь не найден");
    case kAccessDenied:
        return QStringLiteral("отказано в доступе");
    case kSharingViolation:
        return QStringLiteral("файл занят другим приложением");
    default:
        return QStringLiteral("неизвестная ошибка");
    }
}

}  // namespace ResultsText
