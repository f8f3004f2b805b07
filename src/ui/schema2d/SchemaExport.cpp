#include "ui/schema2d/SchemaExport.h"

#include "render/schema2d/RenderContext.h"
#include "ui/common/FileDialogs.h"
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
            QStringLiteral("Windows Metafile (*.emf)"), QStringLiteral("SVG (*.svg)"), QStringLiteral("PDF (*.pdf)")};
}

std::optional<TPictureFormat> FormatOf(const QString& path)
{
    const std::optional<TPictureFormat> format = PictureExport::FormatOf(path);
    if (format == TPictureFormat::Png)
        return std::nullopt;
    return format;
}

QString Folder()
{
    if (LastFolder().isEmpty()) {
        const QString images = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../Images")).absolutePath();
        if (QFileInfo(images).isDir())
            return images;
    }
    return LastFolder();
}

TSchemaPictureRequest RequestOf(const TRenderContext& context)
{
    TSchemaPictureRequest request;
    request.Show = context.Show;
    request.Colors = context.Colors;
    request.Limits = context.View.Limits();
    request.MapScale = context.View.MapScale();
    request.Origin = context.View.Origin();
    request.GridStepMetres = context.GridStepMetres;
    request.BlackWhite = context.BlackWhite;
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
    const std::optional<TPictureFormat> format = FormatOf(answer.Path);
    if (!format)
        return;
    // The window's context is copied: the export draws with its own view geometry.
    const TRenderContext context = window.Context();
    TSaveBMPForm form(answer.Path, *format, *scene, RequestOf(context), VisibleOf(context.View), &window);
    form.SetHelpHandler(help);
    form.exec();
}

}  // namespace SchemaExport
