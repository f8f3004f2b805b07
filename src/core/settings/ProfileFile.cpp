#include "core/settings/ProfileFile.h"

#include <QDir>

#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/Cp1251.h"
#include "core/file/FileError.h"

#include <QFileInfo>

namespace {

// Group 1, in file order.
struct FileColor {
    TProfileIndex profile;
    TColor TProfile::*field;
};

const FileColor kGroupColors[] = {
    {cpSchema, &TProfile::BackColor},         {cpBranch, &TProfile::BackColor},
    {cpBranch, &TProfile::BorderColor},       {cpUzel, &TProfile::BackColor},
    {cpUzel, &TProfile::BorderColor},         {cpGrid, &TProfile::BackColor},
    {cpSelected, &TProfile::BackColor},       {cpBranchNumber, &TProfile::BackColor},
    {cpBranchNumber, &TProfile::BorderColor}, {cpResult, &TProfile::BackColor},
    {cpResult, &TProfile::BorderColor},       {cpUzelNumber, &TProfile::BackColor},
    {cpUzelNumber, &TProfile::BorderColor},
};

// Group 2, in file order.
const TProfileIndex kGroupFonts[] = {cpBranchNumber, cpUzelNumber, cpComment, cpResult};

QString readErrorText(const QString& fileName)
{
    return QStringLiteral("Ошибка при чтении данных из файла %1").arg(fileName);
}

void writeFont(ByteWriter& w, const TFont2D& font)
{
    const QByteArray name = toCp1251(font.Name).left(TFont2D::kMaxNameLength);
    w.u32(font.Color);
    w.i32(qint32(name.size()));
    w.bytes(name);
    w.i32(font.Size);
    w.u8(font.Style);
}

TFont2D readFont(ByteReader& r, const QString& fileName)
{
    TFont2D font;
    font.Color = r.u32();
    const qint32 length = r.i32();
    if (length < 0 || length > TFont2D::kMaxNameLength)
        throw EFileError(fekMalformed, readErrorText(fileName)
                                           + QStringLiteral(": длина названия шрифта %1 вне пределов 0…%2")
                                                 .arg(length).arg(TFont2D::kMaxNameLength));
    font.Name = fromCp1251(r.bytes(length));
    font.Size = r.i32();
    font.Style = r.u8();
    if (!TFont2D::SizeUsable(font.Size))
        throw EFileError(fekMalformed, readErrorText(fileName)
                                           + QStringLiteral(": размер шрифта %1 вне пределов 1…%2")
                                                 .arg(font.Size).arg(kMaxFontSize));
    return font;
}

}  // namespace

namespace ProfileFile {

QByteArray Encode(const TColors2D& colors)
{
    ByteWriter w;
    for (const FileColor& c : kGroupColors)
        w.u32(colors[c.profile].*c.field);
    for (TProfileIndex i : kGroupFonts)
        writeFont(w, colors[i].Font);
    w.u8(colors[cpBranchNumber].Figure);
    w.u8(colors[cpUzelNumber].Figure);
    w.u32(colors[cpWaterArrow].BackColor);
    w.u32(colors[cpWaterArrow].BorderColor);
    const TProfile& textBlock = colors[cpTextBlock];
    writeFont(w, textBlock.Font);
    w.u32(textBlock.BackColor);
    w.u32(textBlock.BorderColor);
    w.boolean(textBlock.TransparentBack);
    w.boolean(textBlock.TransparentBorder);
    return w.data();
}

TColors2D Decode(QByteArrayView bytes, const TColors2D& current, const QString& fileName)
{
    TColors2D colors = current;
    try {
        ByteReader r(bytes);
        for (const FileColor& c : kGroupColors)
            colors[c.profile].*c.field = r.u32();
        for (TProfileIndex i : kGroupFonts)
            colors[i].Font = readFont(r, fileName);
        if (!r.atEnd()) {
            colors[cpBranchNumber].Figure = r.u8();
            colors[cpUzelNumber].Figure = r.u8();
        }
        if (!r.atEnd()) {
            colors[cpWaterArrow].BackColor = r.u32();
            colors[cpWaterArrow].BorderColor = r.u32();
        }
        if (!r.atEnd()) {
            TProfile& textBlock = colors[cpTextBlock];
            textBlock.Font = readFont(r, fileName);
            textBlock.BackColor = r.u32();
            textBlock.BorderColor = r.u32();
            textBlock.TransparentBack = r.boolean();
            textBlock.TransparentBorder = r.boolean();
        }
    } catch (const EFileError& e) {
        if (e.Kind() == fekTruncated)
            throw EFileError(fekTruncated, readErrorText(fileName));
        throw;
    }
    return colors;
}

void Read(const QString& path, TColors2D& colors)
{
    const QString fileName = FileNameOnly(path);
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxFileBytes)
        throw EFileError(fekMalformed, readErrorText(fileName) + QStringLiteral(": файл слишком велик"));
    const QByteArray bytes = ReadWholeFile(path);
    colors = Decode(bytes, colors, fileName);
}

void Write(const QString& path, const TColors2D& colors) { WriteFileAtomically(path, Encode(colors)); }

QString Folder(const QString& dataFolder)
{
    const QString folder = QDir::cleanPath(QDir(dataFolder).absoluteFilePath(QStringLiteral("Schemes")));
    QDir().mkpath(folder);
    return folder;
}

}  // namespace ProfileFile
