#pragma once

// Every number the program uses to find something in its resource pack, and
// the command ids its menus, tool bars and buttons carry. The pack refers to
// the same numbers, so none of them may change.

// Resources.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDR_MAINFRAME = 128;   // menu, tool bar, icon of the main frame
inline constexpr int IDR_KORVOTYPE = 129;   // document type strings, icon
inline constexpr int IDB_IMAGE_STRIP = 130; // 16-pixel images of the tree, list and mini tool bars
inline constexpr int IDR_ANIMATION = 131;   // the download animation clip
inline constexpr int IDR_DROPDOWN = 132;    // drop-down menu of button 32773, second image strip
inline constexpr int IDB_SORT_ASCENDING = 135;
inline constexpr int IDB_SORT_DESCENDING = 136;
inline constexpr int IDD_CARRIER_GRAPH = 140;
inline constexpr int IDD_COMM_SETTINGS = 141;

// Strings.
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345; // "Ready" in status pane 0
inline constexpr int IDS_INFO_COLUMN_ITEM = 58200;
inline constexpr int IDS_INFO_COLUMN_VALUE = 58201;
inline constexpr int IDS_ABOUT_OK = 58202;
inline constexpr int IDS_NOT_A_DOCUMENT = 58203;
// 58204 to 58211 are the download's own (downloadhost.h).
inline constexpr int IDS_DEVICE_LOST = 58212; // the tester went away during a download
inline constexpr int IDS_NOTHING_TO_EXPORT = 58213;
inline constexpr int IDS_EXPORT_CSV_TITLE = 58214;
inline constexpr int IDS_EXPORT_CSV_FILTER = 58215;
inline constexpr int IDS_SAVE_ALL_TITLE = 58216;
inline constexpr int IDS_SAVE_ALL_SUBFOLDER = 58217; // %1: the proposed folder name
// Captions of the settings dialog's group boxes 1046 (the port) and 1047 (the time-out).
inline constexpr int IDS_SETTINGS_PORT_GROUP = 58218;
inline constexpr int IDS_SETTINGS_TIMEOUT_GROUP = 58219;
inline constexpr int IDS_GRAPH_MENU_COPY = 58220;
inline constexpr int IDS_GRAPH_MENU_SAVE = 58221;
inline constexpr int IDS_GRAPH_MENU_RESET = 58222;
inline constexpr int IDS_GRAPH_BUTTON_TIP = 58224;
inline constexpr int IDS_GRAPH_AVAILABLE = 58226;
inline constexpr int IDS_GRAPH_NOT_AVAILABLE = 58227;
inline constexpr int IDS_REFRESH_BUTTON_TIP = 58228;
inline constexpr int IDS_DB_HOLDS_NO_DATA = 58229;
// 58230, no default printer, is the report's own (reporthost.h).
inline constexpr int IDS_SAVE_ALL_OVERWRITE = 58231; // %1: the file
inline constexpr int IDS_SAVE_ALL_DONE = 58232;      // %1 saved of %2 in folder %3
inline constexpr int IDS_SAVE_ALL_KEPT = 58233;      // %1: the file
inline constexpr int IDS_SAVE_ALL_NO_FOLDER = 58234; // %1: the folder
inline constexpr int IDS_EXPORT_ALL_PDF_TITLE = 58235;
inline constexpr int IDS_EXPORT_ALL_PDF_HOW = 58236; // Yes: a file per DB, No: one file
inline constexpr int IDS_EXPORT_ALL_PDF_FILTER = 58237;
inline constexpr int IDS_EXPORT_ALL_PDF_PROGRESS = 58238;
inline constexpr int IDS_EXPORT_ALL_PDF_DONE = 58239;   // %1 written of %2 to %3
inline constexpr int IDS_EXPORT_ALL_PDF_FAILED = 58240; // %1: the file
inline constexpr int IDS_SETTINGS_LOG_GROUP = 58241;
inline constexpr int IDS_SESSION_LOG_FAILED = 58242; // %1: why
inline constexpr int IDS_SESSION_LOG_FOLDER_TITLE = 58243;
inline constexpr int IDS_SAVE_ALL_PROGRESS = 58244;
// 58245 and 58246 are the download's own (downloadhost.h).
inline constexpr int IDS_POPUP_CANCEL = 58247; // the download popup's Cancel
// Files that could not be read or written (%1: the file), and why.
inline constexpr int IDS_FILE_CANNOT_READ = 58250;
inline constexpr int IDS_FILE_TRUNCATED = 58251;
inline constexpr int IDS_FILE_CANNOT_WRITE = 58252;
inline constexpr int IDS_FILE_WHY_NOT_FOUND = 58253;
inline constexpr int IDS_FILE_WHY_NO_PERMISSION = 58254;
inline constexpr int IDS_FILE_WHY_NO_SPACE = 58255;
inline constexpr int IDS_FILE_WHY_TOO_LARGE = 58256;
inline constexpr int IDS_FILE_WHY_READ_ONLY = 58257;
inline constexpr int IDS_FILE_WHY_FOLDER = 58258;
inline constexpr int IDS_FILE_WHY_NOT_A_FILE = 58259;
inline constexpr int IDS_FILE_WHY_TOO_BIG_FOR_A_DOCUMENT = 58260;
inline constexpr int IDS_FILE_WHY_CHANGED = 58261;
inline constexpr int IDS_FILE_WHY_SYSTEM = 58262; // %1: the system's own words
// Why a port did not open (%1: the device, or the port as given).
inline constexpr int IDS_PORT_WHY_BAD_NAME = 58263;
inline constexpr int IDS_PORT_WHY_BUSY = 58264;
inline constexpr int IDS_PORT_WHY_NOT_FOUND = 58265;
inline constexpr int IDS_PORT_WHY_NOT_ALLOWED = 58266;
inline constexpr int IDS_PORT_WHY_SYSTEM = 58267; // %2: the system's own words
inline constexpr int IDS_PORT_WHY_NOT_SERIAL = 58268;
inline constexpr int IDS_PORT_WHY_NO_READING = 58269;
// Other messages and captions.
inline constexpr int IDS_PRINT_FAILED = 58270;          // %1: the printer or file
inline constexpr int IDS_SAVE_CHANGES = 58271;          // %1: the document
inline constexpr int IDS_RECENT_FILE_GONE = 58272;      // %1: the file
inline constexpr int IDS_ENTER_INTEGER = 58273;         // the time-out is no number
inline constexpr int IDS_ENTER_INTEGER_IN = 58274;      // %1, %2: the range
inline constexpr int IDS_OPEN_TITLE = 58275;            // File Open's dialog
inline constexpr int IDS_SAVE_AS_TITLE = 58276;         // Save As's dialog
inline constexpr int IDS_EXPORT_PDF_TITLE = 58277;      // Export PDF's dialog
inline constexpr int IDS_ALL_FILES_FILTER = 58278;      // the file dialogs' last filter
inline constexpr int IDS_BATCH_STOPPED_NO_ROOM = 58279; // a full disk ended a batch of files
inline constexpr int IDS_SESSION_LOG_STOPPED = 58280;   // %1: the log

// Commands of the framework (the same values as the classic application
// framework's, so the pack's menus read the same on every platform).
inline constexpr int ID_FILE_NEW = 0xE100;
inline constexpr int ID_FILE_OPEN = 0xE101;
inline constexpr int ID_FILE_CLOSE = 0xE102;
inline constexpr int ID_FILE_SAVE = 0xE103;
inline constexpr int ID_FILE_SAVE_AS = 0xE104;
inline constexpr int ID_FILE_PRINT_SETUP = 0xE106;
inline constexpr int ID_FILE_PRINT = 0xE107;
inline constexpr int ID_FILE_PRINT_DIRECT = 0xE108;
inline constexpr int ID_FILE_PRINT_PREVIEW = 0xE109;
inline constexpr int ID_FILE_MRU_FILE1 = 0xE110; // to ID_FILE_MRU_FILE1 + 3
inline constexpr int ID_WINDOW_CASCADE = 0xE132;
inline constexpr int ID_WINDOW_TILE_HORZ = 0xE133;
inline constexpr int ID_WINDOW_NEXT = 0xE136; // this program's own: next report tab
inline constexpr int ID_APP_ABOUT = 0xE140;
inline constexpr int ID_APP_EXIT = 0xE141;
inline constexpr int ID_VIEW_TOOLBAR = 0xE800;
inline constexpr int ID_VIEW_STATUS_BAR = 0xE801;

// Commands of this program.
inline constexpr int ID_DOWNLOAD = 32772;
inline constexpr int ID_TOOLBAR_DROPDOWN = 32773;
inline constexpr int ID_VIEW_WORKSPACE_BAR = 32774;
inline constexpr int ID_VIEW_INFO_BAR = 32776;
inline constexpr int ID_COMM_SETTINGS = 32782;
inline constexpr int ID_FILE_EXPORT_PDF = 32790;
inline constexpr int ID_VIEW_ZOOM_IN = 32791;
inline constexpr int ID_VIEW_ZOOM_OUT = 32792;
inline constexpr int ID_VIEW_ZOOM_FIT_WIDTH = 32793;
inline constexpr int ID_VIEW_ZOOM_FIT_PAGE = 32794;
inline constexpr int ID_VIEW_ZOOM_ACTUAL = 32795;
inline constexpr int ID_EXPORT_CSV = 32796;
inline constexpr int ID_SAVE_ALL = 32797;
inline constexpr int ID_EXPORT_ALL_PDF = 32798;
inline constexpr int ID_EXPORT_OPEN_CSV = 32799;

// Buttons of the bars' mini tool bars.
inline constexpr int ID_TREE_REFRESH = 818;
inline constexpr int ID_GRAPH_BUTTON_0 = 853;
inline constexpr int ID_GRAPH_BUTTON = 854;
inline constexpr int ID_GRAPH_BUTTON_2 = 871;

// Items of the carrier graph's context menu.
inline constexpr int ID_GRAPH_COPY_VALUES = 40002;
inline constexpr int ID_GRAPH_SAVE_PNG = 40003;
inline constexpr int ID_GRAPH_RESET_ZOOM = 40011;

// Status bar indicators.
inline constexpr int ID_SEPARATOR = 0;
inline constexpr int ID_INDICATOR_CAPS = 0xE701;
inline constexpr int ID_INDICATOR_NUM = 0xE702;
inline constexpr int ID_INDICATOR_SCRL = 0xE703;
