#pragma once

#include "report/element.h"

#include <string>
#include <string_view>

// Horizontal placement of a text box's lines; the text always hangs from the top.
enum TextFormat : int
{
    kFormatLeft = 0,
    kFormatCentre = 1,
    kFormatRight = 2,
};

// A text in one of the report's fonts, clipped to its rectangle. "\n" starts a
// further line. The text is a byte string; byte b is drawn as code point b.
class CTextBox : public CElement
{
public:
    CTextBox(const CEasyReport& report, ReportRect rect, int fontIndex, std::string text,
             TextFormat format);

    const char* ClassName() const override { return "CTextBox"; }
    void Draw(QPainter& painter) const override;

    int FontIndex() const { return m_nFontIndex; }
    const std::string& Text() const { return m_strText; }
    TextFormat Format() const { return m_nFormat; }

protected:
    // Draws `text` in the box's font, format and rectangle.
    void PaintText(QPainter& painter, std::string_view text) const;

private:
    int m_nFontIndex;
    std::string m_strText;
    TextFormat m_nFormat;
};
