#pragma once

#include "records/testrecord.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <array>
#include <optional>

// The carrier values of one ADSL test as the graph window shows them: a
// snapshot of the record, carrier 0 first.
using CarrierArray = std::array<int, GraphSection::kCarrierCount>;

// Carrier k of the record is its graph value k + 1.
CarrierArray CarriersOf(const TestRecord& record);

// The tester's 32 bits read as unsigned, so a value of -1 is 4294967295.
double CarrierPlotValue(int nValue);
// One point per carrier: x the carrier number, y its plotted value.
QList<QPointF> CarrierPoints(const CarrierArray& anCarrier);
double HighestCarrierValue(const CarrierArray& anCarrier);

// The heading line (none when empty), then one "carrier<TAB>value" line per carrier with the
// value as plotted, each line ended by a newline: pastes as two columns.
QString CarrierValuesText(const CarrierArray& anCarrier, const QString& strHeading);

// The carrier whose point is nearest to chart x; none beyond half a carrier
// outside the first and the last.
std::optional<int> CarrierAt(double dX);
// strTemplate with %1 the carrier number and %2 its plotted value; empty for
// a carrier number out of range.
QString CarrierReadout(const QString& strTemplate, const CarrierArray& anCarrier, int nCarrier);

// A file name for the picture of the record's graph: strBase, then the
// record's user information when it has any, made safe for a file name (no
// folders, no characters file systems refuse), and ".png".
QString CarrierImageFileName(const QString& strBase, const TestRecord& record);
