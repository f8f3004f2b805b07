// A picture of the part a window shows: its size and scale follow the export scale, past the
// screen's zoom range, and each side stays capped.

#include "core/file/NetworkFile.h"
#include "core/model/Errors.h"
#include "render/export/PictureExport.h"
#include "render/schema2d/SchemaScene.h"

#include <gtest/gtest.h>

namespace {

TEST(VisiblePartPicture, SizeAndScaleFollowTheExportScaleWithinTheSideCap)
{
    TNetworkDocument doc = NetworkFile::Read(QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv"));
    TSchemaScene scene(*doc.Mine);
    TSchemaPictureRequest request;
    request.Visible = TVisiblePart{4, QPoint(100, 50), QSize(801, 600)};
    request.Scale = 10;
    // 4 × 10 is beyond the window's 3000 %: a picture is not held to it.
    const TPicturePlan plan = SchemaPicture::Plan(scene, request, /*banded=*/true);
    EXPECT_EQ(plan.Size, QSize(8010, 6000));
    EXPECT_DOUBLE_EQ(plan.Scale, 40);
    EXPECT_EQ(plan.Context.View.ScrollPosition(), QPoint(1000, 500));
    EXPECT_EQ(PictureExport::PictureSize(scene, request, TPictureFormat::Jpeg), QSize(8010, 6000));

    request.Scale = 0.5;
    EXPECT_EQ(PictureExport::PictureSize(scene, request, TPictureFormat::Bmp), QSize(401, 300));
    request.Scale = 30;
    request.Visible->Size = QSize(1200, 600);
    EXPECT_FALSE(PictureExport::PictureSize(scene, request, TPictureFormat::Bmp)) << "36 000 pixels wide";
    EXPECT_THROW(SchemaPicture::Plan(scene, request, true), Exception);
}

}  // namespace
