#pragma once

// The styles, formats, states and flags of the report-style list control, with
// the values the classic list control gave them, so settings read the same.

// Window styles, fixed when the list is made.
inline constexpr unsigned LVS_REPORT = 0x0001; // one row per item; the only view there is
inline constexpr unsigned LVS_SHOWSELALWAYS = 0x0008;
inline constexpr unsigned LVS_OWNERDRAWFIXED = 0x0400;

// Extended styles.
inline constexpr unsigned LVS_EX_CHECKBOXES = 0x0004;
inline constexpr unsigned LVS_EX_HEADERDRAGDROP = 0x0010;
inline constexpr unsigned LVS_EX_FULLROWSELECT = 0x0020;

// Column formats (the alignment of a column's texts and heading).
inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

// Header item formats; the alignment bits are those of the column formats.
inline constexpr int HDF_JUSTIFYMASK = 0x0003;
inline constexpr int HDF_IMAGE = 0x0800;
inline constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
inline constexpr int HDF_STRING = 0x4000;

// Item states. The state image number sits in bits 12 to 15.
inline constexpr unsigned LVIS_FOCUSED = 0x0001;
inline constexpr unsigned LVIS_SELECTED = 0x0002;
inline constexpr unsigned LVIS_STATEIMAGEMASK = 0xF000;
constexpr unsigned INDEXTOSTATEIMAGEMASK(unsigned nImage)
{
    return nImage << 12;
}
// With LVS_EX_CHECKBOXES, state image 1 is an empty box and 2 a checked one.
inline constexpr unsigned kStateImageUnchecked = 1;
inline constexpr unsigned kStateImageChecked = 2;

// Hit-test flags.
inline constexpr unsigned LVHT_NOWHERE = 0x0001;
inline constexpr unsigned LVHT_ONITEMICON = 0x0002;
inline constexpr unsigned LVHT_ONITEMLABEL = 0x0004;
inline constexpr unsigned LVHT_ONITEMSTATEICON = 0x0008;
inline constexpr unsigned LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

// Image list kinds.
inline constexpr int LVSIL_SMALL = 1;
inline constexpr int LVSIL_STATE = 2;

// Parts of an item for its rectangles.
inline constexpr int LVIR_BOUNDS = 0;
inline constexpr int LVIR_ICON = 1;
inline constexpr int LVIR_LABEL = 2;

// A column width that asks for the width of the column's widest text.
inline constexpr int LVSCW_AUTOSIZE = -1;
