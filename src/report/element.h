#pragma once

class CEasyReport;
class QPainter;
class QRectF;

// A rectangle in report units (0.1 mm), x to the right and y downward from the
// sheet's top-left corner. Right and bottom are edges, not last pixels.
struct ReportRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    QRectF ToRectF() const;
    bool operator==(const ReportRect&) const = default;
};

// Something placed on a page of a report. The report owns its elements; an
// element only points back to the report for its fonts, pen and page numbers.
class CElement
{
public:
    CElement(const CEasyReport& report, ReportRect rect) : m_pReport(&report), m_Rect(rect) {}
    virtual ~CElement() = default;
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    // The element's class name, as the layout listing shows it.
    virtual const char* ClassName() const = 0;
    // Draws onto a painter whose transform maps report units to the device.
    virtual void Draw(QPainter& painter) const = 0;

    const ReportRect& Rect() const { return m_Rect; }

protected:
    const CEasyReport& Report() const { return *m_pReport; }

private:
    const CEasyReport* m_pReport;
    ReportRect m_Rect;
};
