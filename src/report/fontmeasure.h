#pragma once

class QFont;

// The two numbers the layout takes from a font, in report units (0.1 mm).
struct ReportFontMetrics
{
    int aveCharWidth = 0; // scales column widths given in characters
    int lineHeight = 0;   // text height plus external leading: one row
    bool operator==(const ReportFontMetrics&) const = default;
};

// Measures the report's fonts. Tests substitute fixed metrics so the layout
// arithmetic does not depend on the font files installed.
class CFontMeasure
{
public:
    virtual ~CFontMeasure() = default;
    // Metrics of report font `index` (0..3), realised as `font`.
    virtual ReportFontMetrics Measure(int index, const QFont& font) const = 0;
};
