#pragma once

#include <QImage>
#include <QRectF>
#include <QTransform>

class CEasyReport;
class QPainter;

// Drawing the pages of a composed report. The painters these functions take
// must already map report units (0.1 mm, y downward from the sheet's
// top-left corner) to their device; ReportScale gives the factor.

// Device units per report unit for a device of `dotsPerInch`.
double ReportScale(double dotsPerInch);

// Makes `page` (0-based) the report's current page and draws it. A page the
// report does not have draws nothing (it does not repeat the current page).
void DrawPage(CEasyReport& report, int page, QPainter& painter);

// Where a printed page goes, for a printer that cannot print the sheet's
// edges: `printable` is the part it prints, in report units from the sheet's
// corner. The page stays where the report put it on the sheet while the
// report's area (inside its margins) fits into the printable part; else it is
// moved, and only if it must, shrunk, so that nothing of it is cut off.
// Returns the transform to apply to a painter in report units.
QTransform PrintPlacement(const QRectF& printable);

// One page as a US-Letter image at `dotsPerInch` (1275 x 1650 at 150 dpi).
QImage RenderPageImage(CEasyReport& report, int page, int dotsPerInch);
