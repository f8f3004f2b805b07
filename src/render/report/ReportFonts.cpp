#include "render/report/ReportFonts.h"

#include "render/report/ReportPages.h"

#include <QStringList>
#include <cmath>

QFont ReportFont(const TReportFont& font)
{
    QFont f;
    if (font.Face == TReportFace::Serif)
        f.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")});
    else
        f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setPixelSize(std::max(1, int(std::lround(font.Points * ReportUnits::kPerPoint))));
    f.setBold(font.Bold);
    f.setUnderline(font.Underline);
    // Hinting would fit glyphs to a pixel grid that the printer does not have.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}
