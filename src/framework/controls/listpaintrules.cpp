#include "framework/controls/listpaintrules.h"

namespace {

// A cut before a low surrogate would split a character in two.
bool IsCharacterBoundary(const QString& strText, qsizetype nPosition)
{
    return nPosition >= strText.size() || !strText.at(nPosition).isLowSurrogate();
}

int LightenComponent(int nComponent)
{
    return nComponent >= 232 ? 255 : nComponent + nComponent / 10;
}

} // namespace

void FitText(QString& strText, int nWidth, const TextWidthFunction& textWidth)
{
    if (strText.isEmpty() || textWidth(strText) <= nWidth)
        return;

    const QString strEllipsis = QStringLiteral("...");
    const int nEllipsisWidth = textWidth(strEllipsis);
    for (qsizetype nLength = strText.size() - 1; nLength >= 1; --nLength) {
        if (!IsCharacterBoundary(strText, nLength))
            continue;
        const QString strStart = strText.left(nLength);
        if (textWidth(strStart) + nEllipsisWidth <= nWidth) {
            strText = strStart + strEllipsis;
            return;
        }
    }

    qsizetype nFirstLength = 1;
    while (!IsCharacterBoundary(strText, nFirstLength))
        ++nFirstLength;
    const QString strFirst = strText.left(nFirstLength);
    const int nFirstWidth = textWidth(strFirst);
    if (nFirstWidth + textWidth(QStringLiteral("..")) <= nWidth)
        strText = strFirst + QStringLiteral("..");
    else if (nFirstWidth + textWidth(QStringLiteral(".")) <= nWidth)
        strText = strFirst + QStringLiteral(".");
    else
        strText = strFirst;
}

QColor SortColumnTint(const QColor& background)
{
    const QColor rgb = background.toRgb();
    const int r = rgb.red();
    const int g = rgb.green();
    const int b = rgb.blue();
    if (r > 240 && g > 240 && b > 240)
        return QColor(r - 8, g - 8, b - 8);
    return QColor(LightenComponent(r), LightenComponent(g), LightenComponent(b));
}

QImage MapSortMarkColours(const QImage& picture, const QColor& black)
{
    QImage mapped = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < mapped.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(mapped.scanLine(y));
        for (int x = 0; x < mapped.width(); ++x) {
            const QRgb pixel = pLine[x];
            if ((pixel & RGB_MASK) == 0)
                pLine[x] = qRgba(black.red(), black.green(), black.blue(),
                                 qAlpha(pixel) * black.alpha() / 255);
            else if ((pixel & RGB_MASK) == RGB_MASK)
                pLine[x] = qRgba(0, 0, 0, 0);
        }
    }
    return mapped;
}
