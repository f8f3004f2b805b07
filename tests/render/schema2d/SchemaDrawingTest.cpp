// One description of a drawing serves a picture and a printed sheet alike: the results it
// carries are labelled in both, and its frame is the one the renderer draws in.

#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "render/export/PictureExport.h"
#include "render/print/SchemaSheets.h"
#include "render/schema2d/SchemaDrawing.h"
#include "render/schema2d/SchemaScene.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Two nodes 200 schema units apart, joined by a fire pipe of two sections with a hand-made
// results table: the first section flows, the second does not.
struct PipeWithResults {
    MineBuilder m;
    TBranch* branch = nullptr;
    THydroResults results;
    PipeWithResults()
    {
        for (auto [number, sx] : {std::pair{1, 0.f}, {2, 200.f}}) {
            TUzel* u = m.uzel(number, sx, 0);
            u->SetSX(sx);
            u->SetSY(0);
        }
        // A node above, so the result labels (above the pipe) lie inside the drawing's extent.
        TUzel* above = m.uzel(3, 100, -120);
        above->SetSX(100);
        above->SetSY(-120);
        branch = m.firePipe(1, 1, 2);
        m.device(branch, dkGate, 0.5, 3);
        auto* first = static_cast<TWaterPipePart*>(branch->FirePipe()->GetSection(0));
        auto* second = static_cast<TWaterPipePart*>(branch->FirePipe()->GetSection(1));
        results.AddSection(branch, first, {12.5, 0, 0, 10, 8});
        results.AddSection(branch, second, {0, 0, 0, 8, 7});
    }
    TSchemaDrawing Drawing(bool withResults) const
    {
        TSchemaDrawing drawing;
        drawing.Show.ResultBits = rbQ | rbDP;
        drawing.Show.WaterArrows = true;
        drawing.Results = withResults ? &results : nullptr;
        return drawing;
    }
};

int SectionLabels(const TDrawnObjects& drawn)
{
    return int(std::count_if(drawn.Labels.begin(), drawn.Labels.end(), [](const auto& label) {
        return label.Kind == TDrawnObjects::LabelKind::SectionResult;
    }));
}

int InkedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

}  // namespace

// An exported picture shows the results its drawing carries: one label a section of the pipe,
// written to every picture format alike; without results none.
TEST(SchemaDrawing, AnExportedPictureShowsTheResultsItCarries)
{
    TestTempDir dir;
    PipeWithResults pipe;
    TSchemaScene scene(pipe.m.mine());
    for (const char* name : {"r.png", "r.bmp", "r.svg"}) {
        SCOPED_TRACE(name);
        const QString path = dir.file(QString::fromLatin1(name));
        TSchemaPictureRequest request;
        request.Drawing = pipe.Drawing(true);
        const TExportedPicture with = PictureExport::Write(path, *PictureExport::FormatOf(path), scene, request);
        EXPECT_EQ(SectionLabels(with.Drawn), 2);
        request.Drawing = pipe.Drawing(false);
        const TExportedPicture without = PictureExport::Write(path, *PictureExport::FormatOf(path), scene, request);
        EXPECT_EQ(SectionLabels(without.Drawn), 0);
    }
}

// A printed sheet draws the same results: the sheet with them has the labels' ink more.
TEST(SchemaDrawing, APrintedSheetShowsTheResultsItCarries)
{
    PipeWithResults pipe;
    TSchemaScene scene(pipe.m.mine());
    const TPaperUnits units = TPaperUnits::ForDpi(96, 96);
    const auto page = [&](bool withResults) {
        const TSheetPainter sheets(scene, pipe.Drawing(withResults), TSheetJob(), units);
        const QSizeF cm = sheets.Layout().SheetCm();
        QImage image(QSize(int(cm.width() * units.X), int(cm.height() * units.Y)), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        sheets.PaintSheet(painter, 0, 0);
        return image;
    };
    const QImage withPage = page(true);
    if (const QString dir = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR"); !dir.isEmpty())
        withPage.save(dir + QStringLiteral("/sheet_with_results.png"));
    const int with = InkedPixels(withPage);
    const int without = InkedPixels(page(false));
    EXPECT_GT(with, without + 200) << with << " " << without;
}

// The frame: map scale, origin and limits as described, the extent the scene's for the
// switches, or the part's alone when a part is given.
TEST(SchemaDrawing, TheFrameIsTheDescribedOneWithTheSceneOrThePartExtent)
{
    PipeWithResults pipe;
    TSchemaScene scene(pipe.m.mine());
    TSchemaDrawing drawing;
    drawing.MapScale = 1000;
    drawing.Origin = QPointF(30, -40);
    drawing.Limits.MaxLimScale = 2.5;
    TViewGeometry frame = drawing.Frame(scene);
    EXPECT_EQ(frame.MapScale(), 1000);
    EXPECT_EQ(frame.Origin(), QPointF(30, -40));
    EXPECT_DOUBLE_EQ(frame.Limits().MaxLimScale, 2.5);
    EXPECT_EQ(frame.Extent(), QRectF(0, -120, 200, 120));
    EXPECT_GT(frame.LabelOverhang().right() + frame.LabelOverhang().bottom(), 0) << "node numbers reach out";

    drawing.Part = QRectF(50, -10, 60, 20);
    frame = drawing.Frame(scene);
    EXPECT_EQ(frame.Extent(), *drawing.Part);
    EXPECT_EQ(frame.LabelOverhang(), QMarginsF());
}
