#pragma once

#include <QRect>

// Sizes the download popup's layout depends on, in pixels.
struct PopupMetrics
{
    int m_nClientWidth = 0;     // W
    int m_nAnimationHeight = 0; // Ha, 0 without an animation
    int m_nTextHeight = 0;      // Ht, the message word-wrapped to the text width
    int m_nCancelWidth = 0;     // cxCancel
    int m_nCancelHeight = 0;    // cyCancel
    bool m_bCancelEnabled = false;
};

// Where the popup's parts go, in client coordinates; rectangles include
// their right and bottom edges, as the popup paints them.
struct PopupLayout
{
    QRect m_rcText;
    QRect m_rcBar;
    QRect m_rcButton; // empty without a Cancel button
    int m_nClientHeight = 0;
};

// The message under the animation, the bar under the message, the Cancel
// button centred under the bar; 8-pixel margins.
PopupLayout ComputePopupLayout(const PopupMetrics& metrics);

// The text area's width for measuring the message: the client width less
// both margins.
int PopupTextWidth(int nClientWidth);

// Pixels of the bar that show position nPos of nLimit, for a bar nFullWidth
// pixels wide: a limit of 0 shows a full bar.
unsigned FilledBarWidth(unsigned nPos, unsigned nLimit, unsigned nFullWidth);
