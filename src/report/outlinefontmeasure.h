#pragma once

#include "report/fontmeasure.h"

// Measures a font at the size it is drawn in report units, from its own
// tables, so the result depends neither on the screen's nor on a printer's
// resolution.
//
// The average character width is the font's OS/2 xAvgCharWidth, the figure a
// TrueType font's integer text metrics report, read by Qt's
// averageCharWidth(). Liberation Sans computes it over all its glyphs
// (0.58 em: 20 units at 10 pt) where Arial's older table holds a weighted
// average of the lowercase letters (0.44 em: 15 units). We keep the font's own
// figure: at 15 units the headings overflow their columns ("Trace Route
// Information" in 24 characters, "Received Signal" in 16) and would be
// clipped, while at 20 units they fit and the widest table (96 characters)
// still ends at 1984, inside the right margin at 2032.
//
// Line height: ascent, descent and leading, each rounded to whole units
// before they are added, as integer text metrics are.
class COutlineFontMeasure final : public CFontMeasure
{
public:
    ReportFontMetrics Measure(int index, const QFont& font) const override;
};
