#include "report/textbox.h"

#include "report/easyreport.h"

#include <QPainter>

CTextBox::CTextBox(const CEasyReport& report, ReportRect rect, int fontIndex, std::string text,
                   TextFormat format)
    : CElement(report, rect), m_nFontIndex(fontIndex), m_strText(std::move(text)), m_nFormat(format)
{
}

void CTextBox::Draw(QPainter& painter) const
{
    PaintText(painter, m_strText);
}

void CTextBox::PaintText(QPainter& painter, std::string_view text) const
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_nFormat == kFormatCentre)
        horizontal = Qt::AlignHCenter;
    else if (m_nFormat == kFormatRight)
        horizontal = Qt::AlignRight;

    painter.save();
    // Without a font of its own the box keeps the painter's current font.
    if (const QFont* font = Report().GetFont(m_nFontIndex))
        painter.setFont(*font);
    painter.setPen(Qt::black);
    // Breaks only at "\n" (no word wrap) and clips to the box, so a text too
    // wide for its column never runs into the next one.
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    painter.drawText(Rect().ToRectF(), static_cast<int>(Qt::AlignTop | horizontal), qtext);
    painter.restore();
}
