#pragma once

#include "records/testrecord.h"

#include <string>

// Records as CSV for spreadsheets (RFC 4180): fields holding a comma, a quote,
// CR or LF are quoted with their quotes doubled, and every row ends in CRLF.
// A file is RecordCsvHeader() followed by one RecordCsvRow() per record.
//
// A text column (the slot, the modes, the user information) whose text starts
// with '=', '+', '-', '@', a tab or a CR would be taken for a formula; it is
// quoted with an apostrophe in front ("'=1+2"), which a spreadsheet shows as
// text. Number columns are never changed: a margin of -2 stays -2.
//
// The text is UTF-8 and the header starts with a UTF-8 byte order mark,
// without which Excel reads the file in the local code page. The tester's
// texts (modes, user information) are Latin-1 and converted byte by byte;
// reals are shortest round-trip plain decimals with '.' whatever the locale,
// and an empty field when not finite.
//
// Columns, in this order: slot, line type (ADSL, VDSL, WLAN or empty), operation
// mode, transfer mode, down/up rate, down/up max (attainable) rate, down/up
// margin, down/up attenuation, down/up power, ping valid flag, ping sent,
// received, loss rate, min, avg and max time, hop count as sent, user
// information. VDSL and WLAN records carry other quantities in some of the
// rate slots; the row holds the slots as stored.

// The byte order mark and the row of column names.
std::string RecordCsvHeader();

// One record's row. slot names it (a DB number or a file name) and is taken
// as UTF-8 already: it comes from the program or the file system, not the tester.
std::string RecordCsvRow(const std::string& slot, const TestRecord& record);

// The CSV table of a download: the header and one row for each DB holding a
// test, its slot "DB01" to "DB20"; empty when no DB holds one.
std::string DownloadCsv(const RecordTable& records);
