#include "report/pagerenderer.h"

#include "report/easyreport.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUnitsPerInch = 254.0;
constexpr double kInchesPerMetre = 1.0 / 0.0254;

} // namespace

double ReportScale(double dotsPerInch)
{
    return dotsPerInch / kUnitsPerInch;
}

void DrawPage(CEasyReport& report, int page, QPainter& painter)
{
    if (report.SetCurrentPage(page))
        report.DrawCurrentPage(painter);
}

QTransform PrintPlacement(const QRectF& printable)
{
    const QRectF area(
        CEasyReport::kLeftMargin, CEasyReport::kTopMargin,
        CEasyReport::kPageWidth - CEasyReport::kLeftMargin - CEasyReport::kRightMargin,
        CEasyReport::kPageHeight - CEasyReport::kTopMargin - CEasyReport::kBottomMargin);
    if (printable.isEmpty() || printable.contains(area))
        return {};
    const double scale =
        std::min({1.0, printable.width() / area.width(), printable.height() / area.height()});
    const QRectF scaled(area.topLeft() * scale, area.size() * scale);
    // The least move that brings the scaled area inside, edge by edge.
    const auto shift = [](double nLow, double nHigh, double nMin, double nMax) {
        return nLow < nMin ? nMin - nLow : nHigh > nMax ? nMax - nHigh : 0.0;
    };
    const double dx = shift(scaled.left(), scaled.right(), printable.left(), printable.right());
    const double dy = shift(scaled.top(), scaled.bottom(), printable.top(), printable.bottom());
    return QTransform(scale, 0, 0, scale, dx, dy);
}

QImage RenderPageImage(CEasyReport& report, int page, int dotsPerInch)
{
    const double scale = ReportScale(dotsPerInch);
    const QSize size(static_cast<int>(std::lround(CEasyReport::kPageWidth * scale)),
                     static_cast<int>(std::lround(CEasyReport::kPageHeight * scale)));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    DrawPage(report, page, painter);
    return image;
}
