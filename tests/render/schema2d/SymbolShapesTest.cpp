#include "render/schema2d/SymbolShapes.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <set>

namespace {

const QColor kFill(0, 128, 255);
const int kSize = 200;
const QPoint kCentre(100, 100);

std::vector<TSymbolShape> AllShapes()
{
    std::vector<TSymbolShape> shapes;
    for (int i = 0; i < kSymbolShapeCount; ++i)
        shapes.push_back(static_cast<TSymbolShape>(i));
    return shapes;
}

QImage Draw(TSymbolShape shape, double u, double angle = 0, TSymbolStyle style = {}, bool antialias = false,
            QColor background = Qt::transparent)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    DrawSymbol(painter, shape, kCentre, u, angle, style);
    return image;
}

TSymbolStyle Styled(bool towardsStart = false)
{
    TSymbolStyle style;
    style.Fill = kFill;
    style.TowardsStart = towardsStart;
    return style;
}

// The pixel at an offset from the centre.
QColor At(const QImage& image, int dx, int dy) { return image.pixelColor(kCentre + QPoint(dx, dy)); }

}  // namespace

TEST(SymbolShapes, FilledShapesShowTheStateColourAtTheirCentreAtEverySize)
{
    for (double u : {1.0, 2.0, 4.0}) {
        EXPECT_EQ(At(Draw(TSymbolShape::FireNozzle, u, 0, Styled()), 0, 0), kFill) << u;
        EXPECT_EQ(At(Draw(TSymbolShape::AutoExtinguisher, u, 0, Styled()), 0, 0), kFill) << u;
        EXPECT_EQ(At(Draw(TSymbolShape::NumberedNode, u, 0, Styled()), 0, 0), QColor(0, 128, 0)) << u;
        // Well outside the radius of 3 units nothing is drawn.
        EXPECT_EQ(At(Draw(TSymbolShape::FireNozzle, u, 0, Styled()), int(5 * u), 0).alpha(), 0) << u;
    }
    const QImage tank = Draw(TSymbolShape::JetBreakTank, 2, 0, Styled());
    EXPECT_EQ(At(tank, 0, -4), QColor(Qt::white));
    EXPECT_EQ(At(tank, 0, 4), QColor(0, 0, 255));
}

TEST(SymbolShapes, HeadsFollowTheDirectionAndTheBranchAngle)
{
    const double u = 4;  // the triangle runs from -2u to 3u along x
    const QImage ahead = Draw(TSymbolShape::Pump, u, 0, Styled());
    EXPECT_EQ(At(ahead, 10, 0), kFill);
    EXPECT_EQ(At(ahead, -11, 0), QColor(Qt::white));

    const QImage back = Draw(TSymbolShape::Pump, u, 0, Styled(true));
    EXPECT_EQ(At(back, -10, 0), kFill);
    EXPECT_EQ(At(back, 11, 0), QColor(Qt::white));

    // Clockwise on the screen: the x axis turns to point down.
    const QImage down = Draw(TSymbolShape::Pump, u, 90, Styled());
    EXPECT_EQ(At(down, 0, 10), kFill);
    EXPECT_EQ(At(down, 10, 0), QColor(Qt::white));

    // The reducer's pennant, at the top of its stem, points the same way.
    EXPECT_EQ(At(Draw(TSymbolShape::Reducer, u, 0, Styled()), 6, -24), kFill);
    EXPECT_EQ(At(Draw(TSymbolShape::Reducer, u, 0, Styled(true)), -7, -24), kFill);
    EXPECT_EQ(At(Draw(TSymbolShape::Reducer, u, 0, Styled(true)), 6, -24).alpha(), 0);

    // The technological-needs angle opens towards +x, a rotated one towards +y.
    EXPECT_EQ(At(Draw(TSymbolShape::TechNeeds, 2, 0), 10, 10), QColor(Qt::black));
    EXPECT_EQ(At(Draw(TSymbolShape::TechNeeds, 2, 90), -10, 10), QColor(Qt::black));
}

TEST(SymbolShapes, EveryShapeStaysInsideItsBoundsAtEverySize)
{
    for (TSymbolShape shape : AllShapes())
        for (double u : {1.0, 1.5, 2.0, 4.0})
            for (bool antialias : {false, true})
                for (bool towardsStart : {false, true}) {
                    const QImage image = Draw(shape, u, 0, Styled(towardsStart), antialias);
                    const QRectF b = SymbolBounds(shape);
                    // Corners rounded as the drawing rounds every length, and one pixel of pen.
                    const auto px = [u](QPointF k) { return QPointF(std::round(k.x() * u), std::round(k.y() * u)); };
                    const QRectF allowed(px(b.topLeft()) - QPointF(1, 1), px(b.bottomRight()) + QPointF(1, 1));
                    int painted = 0;
                    for (int y = 0; y < kSize; ++y)
                        for (int x = 0; x < kSize; ++x) {
                            if (image.pixelColor(x, y).alpha() == 0)
                                continue;
                            ++painted;
                            // The pixel covers [x, x + 1) from the centre.
                            const QPointF pixel(x - kCentre.x(), y - kCentre.y());
                            ASSERT_TRUE(allowed.contains(pixel) && allowed.contains(pixel + QPointF(1, 1)))
                                << int(shape) << " u " << u << " aa " << antialias << " at " << pixel.x() << ","
                                << pixel.y();
                        }
                    EXPECT_GT(painted, 0) << int(shape);
                }
}

TEST(SymbolShapes, BlackAndWhiteUsesOnlyBlackAndWhite)
{
    TSymbolStyle style = Styled();
    style.Outline = QColor(200, 0, 200);
    style.BlackWhite = true;
    for (TSymbolShape shape : AllShapes())
        for (double angle : {0.0, 30.0}) {
            const QImage image = Draw(shape, 2, angle, style, false, Qt::white);
            std::set<QRgb> colours;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x)
                    colours.insert(image.pixel(x, y));
            EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)})) << int(shape);
        }
}

TEST(SymbolShapes, BadUnitDrawsNothing)
{
    for (double u : {0.0, -1.0, std::nan("")})
        EXPECT_EQ(At(Draw(TSymbolShape::FireEngine, u), 0, 0).alpha(), 0);
}

// Turned along a branch at any angle, every shape paints something, and only inside its
// bounds turned about its centre by that angle: a shape turned the wrong way, about another
// point, or drawn outside its hit rectangle would fail. The shapes are also laid out on one
// sheet (a shape a row, an angle a column, aliased then antialiased) in
// $IRVATA_SCREENSHOT_DIR/symbol-shapes.png when that folder is given, for a person to look at.
TEST(SymbolShapes, EveryShapeTurnedStaysInsideItsTurnedBounds)
{
    const double u = 3;
    const double angles[] = {30, 90, 135, 200, 315};
    const int columns = 2 * int(std::size(angles));
    QImage sheet(kSize * columns, kSize * kSymbolShapeCount, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    for (TSymbolShape shape : AllShapes()) {
        const QRectF b = SymbolBounds(shape);
        const auto px = [u](QPointF k) { return QPointF(std::round(k.x() * u), std::round(k.y() * u)); };
        // One pixel of pen around the rounded bounds, and a pixel's half diagonal: a pixel the
        // shape touches has its centre within that of the turned rectangle.
        const QRectF allowed = QRectF(px(b.topLeft()), px(b.bottomRight())).adjusted(-1.75, -1.75, 1.75, 1.75);
        for (int column = 0; column < columns; ++column) {
            const double angle = angles[column % std::size(angles)];
            const bool antialias = column >= int(std::size(angles));
            for (bool towardsStart : {false, true}) {
                const QImage image = Draw(shape, u, angle, Styled(towardsStart), antialias);
                const double half = antialias ? 0.5 : 0;
                QTransform back;
                back.rotate(-angle);
                int painted = 0;
                for (int y = 0; y < kSize; ++y) {
                    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                    for (int x = 0; x < kSize; ++x) {
                        if (qAlpha(line[x]) == 0)
                            continue;
                        ++painted;
                        const QPointF centre(x + 0.5 - kCentre.x() - half, y + 0.5 - kCentre.y() - half);
                        ASSERT_TRUE(allowed.contains(back.map(centre)))
                            << int(shape) << " angle " << angle << " aa " << antialias << " towards start "
                            << towardsStart << " at " << x - kCentre.x() << "," << y - kCentre.y();
                    }
                }
                EXPECT_GT(painted, 0) << int(shape) << " angle " << angle;
                if (!towardsStart)
                    sheetPainter.drawImage(column * kSize, int(shape) * kSize, image);
            }
        }
    }
    sheetPainter.end();
    if (const QString dir = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR"); !dir.isEmpty()) {
        QDir().mkpath(dir);
        EXPECT_TRUE(sheet.save(QDir(dir).filePath(QStringLiteral("symbol-shapes.png"))));
    }
}
