#pragma once

#include "records/testrecord.h"

#include <string>
#include <string_view>

// The tree's entry of DB n: "LMX-4410 DB #05".
std::string DbEntryText(int nDb);

// The DB number of a tree item: its last two characters read as a decimal
// number (leading digits only, 0 when there are none). The entry of DB 7
// gives 7; "TEST Report" and "Data Base Files" give 0.
int DbNumberFromItemText(std::string_view text);

// A DB holds data when its rate/frame section was valid.
bool HoldsData(const TestRecord& record);
