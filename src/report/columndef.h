#pragma once

#include <string_view>

// One column of a report table. The report keeps a copy of the definitions
// but not of the heading texts, which must outlive the table's use (they are
// literals in practice).
struct ColumnDef
{
    std::string_view heading; // "\n" starts a further heading line
    int width;                // in average characters of the cell font
    int alignment;            // 0 left, 1 centred, 2 or 3 right, anything else left
};
