#include "app/reportzoom.h"

#include "report/easyreport.h"
#include "report/pagerenderer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array kSteps = {0.25, 0.33, 0.5,  0.67, 0.75, 0.9, 1.0, 1.1,
                               1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0};
// A factor this close to a step counts as that step.
constexpr double kSameStep = 0.005;
constexpr int kSheetsShown = 2;

} // namespace

void CReportZoom::SetFactor(double nFactor)
{
    m_mode = Mode::Factor;
    m_nFactor = std::clamp(nFactor, kMinFactor, kMaxFactor);
}

bool CReportZoom::CanZoomIn() const
{
    return m_nFactor < kSteps.back() - kSameStep;
}

bool CReportZoom::CanZoomOut() const
{
    return m_nFactor > kSteps.front() + kSameStep;
}

bool CReportZoom::ZoomIn()
{
    if (!CanZoomIn())
        return false;
    SetFactor(*std::find_if(kSteps.begin(), kSteps.end(),
                            [&](double step) { return step > m_nFactor + kSameStep; }));
    return true;
}

bool CReportZoom::ZoomOut()
{
    if (!CanZoomOut())
        return false;
    SetFactor(*std::find_if(kSteps.rbegin(), kSteps.rend(),
                            [&](double step) { return step < m_nFactor - kSameStep; }));
    return true;
}

bool CReportZoom::Fit(QSize viewport, QSizeF pixelsPerUnit)
{
    if (m_mode == Mode::Factor || pixelsPerUnit.isEmpty())
        return false;
    const double nWidthFactor =
        (viewport.width() - 2 * kDeskMargin) / (CEasyReport::kPageWidth * pixelsPerUnit.width());
    double nFactor = nWidthFactor;
    if (m_mode == Mode::FitPage) {
        const double nHeightFactor = (viewport.height() - 2 * kDeskMargin) /
                                     (CEasyReport::kPageHeight * pixelsPerUnit.height());
        nFactor = std::min(nWidthFactor, nHeightFactor);
    }
    nFactor = std::clamp(nFactor, kMinFactor, kMaxFactor);
    if (nFactor == m_nFactor)
        return false;
    m_nFactor = nFactor;
    return true;
}

QSizeF CReportZoom::TrueScale(QSizeF physicalDpi, QSizeF logicalDpi)
{
    const auto believable = [](double nDpi) {
        return nDpi >= kMinBelievableDpi && nDpi <= kMaxBelievableDpi;
    };
    const QSizeF dpi = believable(physicalDpi.width()) && believable(physicalDpi.height())
                           ? physicalDpi
                           : logicalDpi;
    return {ReportScale(dpi.width()), ReportScale(dpi.height())};
}

QSize CReportZoom::SheetSize(QSizeF scale)
{
    // Rounded down, so that a fitted sheet never needs a scroll bar.
    const auto width = static_cast<int>(std::floor(CEasyReport::kPageWidth * scale.width()));
    const auto height =
        static_cast<int>(std::floor(kSheetsShown * CEasyReport::kPageHeight * scale.height()));
    return {width + 2 * kDeskMargin, height + 2 * kDeskMargin};
}

QString CReportZoom::ToText() const
{
    switch (m_mode) {
    case Mode::FitWidth: return QStringLiteral("fit-width");
    case Mode::FitPage: return QStringLiteral("fit-page");
    case Mode::Factor: break;
    }
    return QString::number(m_nFactor);
}

CReportZoom CReportZoom::FromText(const QString& strText)
{
    CReportZoom zoom;
    if (strText == QLatin1String("fit-width")) {
        zoom.SetMode(Mode::FitWidth);
    } else if (strText == QLatin1String("fit-page")) {
        zoom.SetMode(Mode::FitPage);
    } else {
        bool bNumber = false;
        const double nFactor = strText.toDouble(&bNumber);
        if (bNumber && std::isfinite(nFactor))
            zoom.SetFactor(nFactor);
    }
    return zoom;
}
