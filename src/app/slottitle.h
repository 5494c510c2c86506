#pragma once

#include "records/testrecord.h"

#include <string>

// The window title of DB n's report: "DB #3 - [user information]" when its
// rate/frame section was valid, "DB #3 - [No Data]" when not.
std::string SlotTitle(int nDb, const TestRecord& record);
