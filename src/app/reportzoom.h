#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>

// How large a report view shows its sheet: a factor of true size (1 shows
// 0.1 mm of paper as 0.1 mm on the screen), or a factor that follows the
// window so that the sheet's width, or a whole page, fits.
class CReportZoom
{
public:
    enum class Mode
    {
        Factor,
        FitWidth,
        FitPage,
    };

    static constexpr double kMinFactor = 0.25;
    // Physical dots per inch outside these are a screen's guess, not its size.
    static constexpr double kMinBelievableDpi = 50;
    static constexpr double kMaxBelievableDpi = 1000;
    static constexpr double kMaxFactor = 4.0;
    // Grey desk left free around the sheet, in window pixels.
    static constexpr int kDeskMargin = 16;

    Mode GetMode() const { return m_mode; }
    double Factor() const { return m_nFactor; }

    // Factor mode at nFactor, kept within the limits.
    void SetFactor(double nFactor);
    // A fitting mode; its factor follows the next Fit.
    void SetMode(Mode mode) { m_mode = mode; }
    // One step up or down the usual factors from the factor shown now, in
    // factor mode; false at the limit.
    bool ZoomIn();
    bool ZoomOut();
    bool CanZoomIn() const;
    bool CanZoomOut() const;

    // For a fitting mode, the factor that fits the viewport (window pixels)
    // given the pixels per report unit at true size; nothing in factor mode.
    // Returns whether the factor changed.
    bool Fit(QSize viewport, QSizeF pixelsPerUnit);

    // Window pixels per report unit at the factor.
    QSizeF Scale(QSizeF pixelsPerUnit) const { return pixelsPerUnit * m_nFactor; }
    // Window pixels per report unit at true size: from the screen's
    // physical dots per inch, or, where the screen reports no believable
    // physical size, from the dots per inch the desktop is set to.
    static QSizeF TrueScale(QSizeF physicalDpi, QSizeF logicalDpi);
    // The window pixels the two pages with the desk around them take at a scale.
    static QSize SheetSize(QSizeF scale);

    // "fit-width", "fit-page" or the factor, for the settings; FromText
    // gives the default (true scale, factor 1) for a text it cannot read.
    QString ToText() const;
    static CReportZoom FromText(const QString& strText);

    bool operator==(const CReportZoom&) const = default;

private:
    // A report opens at true scale until the user chooses another zoom.
    Mode m_mode = Mode::Factor;
    double m_nFactor = 1.0;
};
