#include "app/popuplayout.h"

namespace {

constexpr int kMargin = 8;

} // namespace

int PopupTextWidth(int nClientWidth)
{
    return nClientWidth - 2 * kMargin;
}

PopupLayout ComputePopupLayout(const PopupMetrics& m)
{
    PopupLayout layout;
    const int nTextTop = m.m_nAnimationHeight ? m.m_nAnimationHeight + 2 * kMargin : kMargin;
    layout.m_rcText = QRect(QPoint(kMargin, nTextTop),
                            QPoint(m.m_nClientWidth - kMargin, nTextTop + m.m_nTextHeight));

    const int nBarTop = m.m_nTextHeight + m.m_nAnimationHeight + 3 * kMargin;
    const int nBarBottom = nBarTop + m.m_nCancelHeight;
    layout.m_rcBar =
        QRect(QPoint(kMargin, nBarTop), QPoint(m.m_nClientWidth - kMargin, nBarBottom));

    layout.m_nClientHeight = nBarBottom + kMargin;
    if (m.m_bCancelEnabled) {
        layout.m_nClientHeight += m.m_nCancelHeight + 2 * kMargin;
        const int nLeft = (m.m_nClientWidth - m.m_nCancelWidth - 2 * kMargin) / 2;
        layout.m_rcButton =
            QRect(QPoint(nLeft, nBarBottom + kMargin),
                  QPoint(m.m_nClientWidth - nLeft, nBarBottom + m.m_nCancelHeight + 2 * kMargin));
    }
    return layout;
}

unsigned FilledBarWidth(unsigned nPos, unsigned nLimit, unsigned nFullWidth)
{
    if (nLimit == 0)
        return nFullWidth;
    // In 64 bits: a long wait's limit times a wide bar does not wrap.
    return static_cast<unsigned>(static_cast<unsigned long long>(nPos) * nFullWidth / nLimit);
}
