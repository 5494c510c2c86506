#pragma once

#include "report/element.h"

// The signal icon: an antenna (a triangle on a mast) followed by a number of
// bars rising from the bottom of the rectangle, each one step taller.
class CAnt : public CElement
{
public:
    CAnt(const CEasyReport& report, ReportRect rect, int bars);

    const char* ClassName() const override { return "CAnt"; }
    void Draw(QPainter& painter) const override;

    int Bars() const { return m_nBars; }
    // The bars that are drawn: a negative count draws none, and bars that
    // would start beyond the rectangle's right edge are left out.
    int DrawnBars() const;

private:
    int m_nBars;
};
