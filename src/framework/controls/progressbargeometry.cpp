#include "framework/controls/progressbargeometry.h"

#include <algorithm>

QRect ProgressBarRect(const QRect& pane, int nMessageWidth, int nBlankWidth, bool bHasMessage,
                      int nSizePercent)
{
    // Edges as the status bar measures them: right and bottom are exclusive.
    int nLeft = pane.left();
    const int nPaneRight = pane.left() + pane.width();
    if (bHasMessage)
        nLeft += nMessageWidth + 4 * nBlankWidth;
    const int nRight =
        std::max(nLeft, nPaneRight - (100 - nSizePercent) * (nPaneRight - nLeft) / 100);
    const int nInset = pane.height() / 10;
    return QRect(nLeft, pane.top() + nInset, nRight - nLeft, pane.height() - 2 * nInset);
}
