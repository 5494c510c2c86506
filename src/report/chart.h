#pragma once

#include "report/element.h"

#include <vector>

class QPolygonF;

// The carrier graph: a framed grey grid of 256 x 16 divisions with the
// carrier values drawn as a filled profile rising from the frame's bottom.
// One value unit is one vertical division.
class CChart : public CElement
{
public:
    static constexpr int kHorizontalDivisions = 256;
    static constexpr int kVerticalDivisions = 16;

    CChart(const CEasyReport& report, ReportRect rect, std::vector<int> values);

    const char* ClassName() const override { return "CChart"; }
    void Draw(QPainter& painter) const override;

    const std::vector<int>& Values() const { return m_anValues; }

private:
    void DrawGrid(QPainter& painter, double yStep) const;
    QPolygonF Profile(double yStep) const;

    std::vector<int> m_anValues;
};
