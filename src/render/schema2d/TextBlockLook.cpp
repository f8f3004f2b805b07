#include "render/schema2d/TextBlockLook.h"

#include "core/model/TextBlock2D.h"
#include "render/schema2d/ProfileLook.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

QFont TextBlockFont(const TTextBlock2D& block, double scale, double dpi, bool blackWhite)
{
    TFont2D font{block.Font().Name, block.Font().Size, quint8(block.Font().Style), TColor(block.Font().Color)};
    if (!TFont2D::SizeUsable(font.Size))
        font.Size = TBlockFont().Size;
    return ProfileFont(font, scale, dpi, blackWhite);
}

QSizeF TextBlockSize(const TTextBlock2D& block, double scale, double dpi)
{
    const QFontMetricsF metrics(TextBlockFont(block, scale, dpi));
    double width = 0;
    for (const QString& line : block.Lines())
        width = std::max(width, metrics.horizontalAdvance(line));
    const double height = metrics.height() * double(std::max<qsizetype>(1, block.Lines().size()));
    return QSizeF(width + 2 * TTextBlock2D::kMarginX * scale, height + 2 * TTextBlock2D::kMarginY * scale);
}

void InstallTextBlockMeasurer()
{
    TTextBlock2DList::SetMeasurer([](const TTextBlock2D& block, int& width, int& height) {
        const QSizeF size = TextBlockSize(block, 1, 96);
        width = int(std::ceil(size.width()));
        height = int(std::ceil(size.height()));
    });
}
