#include "ui/schema2d/SchemaExport.h"

#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/schema2d/SaveBMPForm.h"
#include "ui/schema2d/Shema2DForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace SchemaExport {
namespace {

QString& LastFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

QStringList Filters()
{
    return {QStringLiteral("Windows Bitmap (*.bmp)"), QStringLiteral("JPEG (*.jpg)"),
            QStringLiteral("Windows Metafile (*.emf)"), QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
            QStringLiteral("PDF (*.pdf)")};
}

std::optional<TPictureFormat> FormatOf(const QString& path) { return PictureExport::FormatOf(path); }

QString Folder()
{
    if (LastFolder().isEmpty()) {
        const QString images = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../Images")).absolutePath();
        if (QFileInfo(images).isDir())
            return images;
    }
    return LastFolder();
}

TSchemaPictureRequest RequestOf(const TSchemaDrawing& drawing)
{
    TSchemaPictureRequest request;
    request.Drawing = drawing;
    return request;
}

TVisiblePart VisibleOf(const TViewGeometry& view)
{
    return TVisiblePart{view.Scale(), view.ScrollPosition(), view.VisibleSize()};
}

void Run(TShema2DForm& window, const std::function<void(int)>& help)
{
    TSchemaScene* scene = window.Scene();
    if (!scene)
        return;
    TSaveRequest request;
    request.Title = SaveBMPTexts::kFileDialogTitle;
    request.Folder = Folder();
    request.Filters = Filters();
    request.DefaultSuffix = QStringLiteral("bmp");
    const TSaveAnswer answer = FileDialogs::Save(&window, request);
    if (!answer.Accepted)
        return;
    LastFolder() = QFileInfo(answer.Path).absolutePath();
    Export(window, answer.Path, help);
}

bool Export(TShema2DForm& window, const QString& path, const std::function<void(int)>& help)
{
    TSchemaScene* scene = window.Scene();
    if (!scene)
        return false;
    const std::optional<TPictureFormat> format = FormatOf(path);
    if (!format) {
        // Nothing is written: said, not passed over in silence.
        MessageBoxes::Error(&window, kUnknownExtension);
        return false;
    }
    // The window's drawing is copied: the export draws with its own view geometry.
    TSaveBMPForm form(path, *format, *scene, RequestOf(window.Drawing()), VisibleOf(window.View()), &window);
    form.SetHelpHandler(help);
    form.exec();
    return true;
}

}  // namespace SchemaExport
