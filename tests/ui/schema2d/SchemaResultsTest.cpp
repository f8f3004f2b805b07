// The schema window with the document's calculation results: it follows the results as
// they come and go, colouring by pressures included.

#include "ui/document/DocumentTestSupport.h"

#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "render/schema2d/PressureColouring.h"
#include "render/schema2d/SchemaDrawing.h"
#include "ui/app/MainForm.h"
#include "ui/schema2d/SchemaViewActions.h"
#include "ui/schema2d/Shema2DForm.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <cmath>
#include <set>

namespace {

class SchemaResults : public DocumentTest {
protected:
    static void Flush()
    {
        Settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every fire pipe's sections, the pressure falling from 170 m by 50 m a branch.
    static std::unique_ptr<THydroResults> ResultsOf(TMine& mine)
    {
        auto results = std::make_unique<THydroResults>();
        double p = 170;
        for (TBranch* b : mine.Branches) {
            const TWaterPipe* fire = b->FirePipe();
            for (int i = 0; fire && fire->Present() && i < fire->SectionCount(); ++i) {
                auto* section = static_cast<TWaterPipePart*>(fire->GetSection(i));
                results->AddSection(b, section, {12, 0, 50, p, p - 50});
                p -= 50;
            }
        }
        results->Reindex();
        return results;
    }

    // Pressures made up from the plan: 200 m at the westmost node falling to −60 m at the
    // eastmost, the water running down the pressure, every class of the scale somewhere.
    static std::unique_ptr<THydroResults> WestToEast(TMine& mine)
    {
        double west = 1e300, east = -1e300;
        for (const TUzel* u : mine.Uzels) {
            west = std::min(west, u->X());
            east = std::max(east, u->X());
        }
        auto pressure = [&](double x) { return 200 - 260 * (x - west) / std::max(1.0, east - west); };
        auto results = std::make_unique<THydroResults>();
        for (TBranch* b : mine.Branches) {
            const TWaterPipe* fire = b->FirePipe();
            for (int i = 0; fire && fire->Present() && i < fire->SectionCount(); ++i) {
                auto* section = static_cast<TWaterPipePart*>(fire->GetSection(i));
                const double p1 = pressure(section->SectionPoint(1));
                const double p2 = pressure(section->SectionPoint(4));
                results->AddSection(b, section, {p1 >= p2 ? 15.0 : -15.0, 0, std::fabs(p1 - p2), p1, p2});
            }
        }
        results->Reindex();
        return results;
    }
};

}  // namespace

// Results arrive: the window labels them and colouring by pressures can be chosen; a
// structural change drops them and the colouring falls back to the standard one; passing to
// another document does too, even one with results of its own.
TEST_F(SchemaResults, TheSchemaWindowFollowsTheDocumentsResults)
{
    TMainForm main(config);
    TChildForm* a = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    ASSERT_NE(a, nullptr);
    TShema2DForm* schema = main.OpenSchema();
    ASSERT_NE(schema, nullptr);
    QAction* byPressures = schema->ViewActions()->Action(QStringLiteral("ActColorPressures"));
    QAction* standard = schema->ViewActions()->Action(QStringLiteral("ActColorStandard"));
    ASSERT_TRUE(byPressures && standard);
    EXPECT_FALSE(byPressures->isEnabled()) << "no results, nothing to colour by";

    a->SetHydroResults(ResultsOf(*a->Mine()));
    Flush();
    EXPECT_EQ(schema->Results(), a->HydroResults());
    EXPECT_TRUE(byPressures->isEnabled());
    byPressures->trigger();
    TSchemaDrawing drawing = schema->Drawing();
    EXPECT_EQ(drawing.Show.ColorPaint, cmPressures);
    EXPECT_EQ(drawing.Results, a->HydroResults()) << "pictures and sheets draw the same results";

    schema->resize(900, 500);
    schema->show();
    schema->ViewActions()->SetResultBits(rbQ | rbP);
    schema->ViewActions()->SetWaterArrows(true);
    schema->FitWhole();
    Flush();
    Pictures::Take(schema, QStringLiteral("schema-pressures"));

    // A branch deleted: the results go with it, and so does the colouring by them.
    a->Mine()->DeleteBranch(a->Mine()->Branches.Items(3));
    Flush();
    EXPECT_EQ(a->HydroResults(), nullptr);
    EXPECT_EQ(schema->Results(), nullptr);
    EXPECT_FALSE(byPressures->isEnabled());
    EXPECT_TRUE(standard->isChecked());
    EXPECT_EQ(schema->Drawing().Show.ColorPaint, cmStandard);

    // Another document with results: colouring by pressures does not pass over to it.
    a->SetHydroResults(ResultsOf(*a->Mine()));
    Flush();
    byPressures->trigger();
    TChildForm* b = main.OpenPath(WriteMine(QStringLiteral("b.irv"), Line));
    ASSERT_NE(b, nullptr);
    b->SetHydroResults(ResultsOf(*b->Mine()));
    Flush();
    EXPECT_EQ(schema->Document(), b);
    EXPECT_EQ(schema->Results(), b->HydroResults());
    EXPECT_EQ(schema->Drawing().Show.ColorPaint, cmStandard);
    EXPECT_TRUE(byPressures->isEnabled());
}

// How the sample mine looks coloured by pressures with result labels and water arrows; all
// four colours of the scale show.
TEST_F(SchemaResults, PictureOfTheSampleMineByPressures)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv"));
    ASSERT_NE(doc, nullptr);
    doc->SetHydroResults(WestToEast(*doc->Mine()));
    TShema2DForm* schema = main.OpenSchema();
    ASSERT_NE(schema, nullptr);
    schema->resize(1200, 800);
    schema->show();
    Flush();
    schema->ViewActions()->Action(QStringLiteral("ActColorPressures"))->trigger();
    schema->ViewActions()->SetResultBits(rbQ | rbP);
    schema->ViewActions()->SetWaterArrows(true);
    schema->FitWhole();
    Flush();
    const QImage picture = Pictures::Take(schema, QStringLiteral("schema-pressures-sample"));
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    for (int c = 0; c < kPressureClasses; ++c)
        EXPECT_TRUE(colours.count(PressureColouring::Color(TPressureClass(c)).rgb())) << c;
    schema->SetScaleAboutCentre(0.7);
    Flush();
    Pictures::Take(schema, QStringLiteral("schema-pressures-sample-70"));
}
