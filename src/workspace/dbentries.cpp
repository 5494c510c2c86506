#include "workspace/dbentries.h"

#include "records/cnumbers.h"

#include <cstdio>

std::string DbEntryText(int nDb)
{
    char text[32];
    std::snprintf(text, sizeof text, "LMX-4410 DB #%02d", nDb);
    return text;
}

int DbNumberFromItemText(std::string_view text)
{
    const std::string_view tail = text.size() < 2 ? text : text.substr(text.size() - 2);
    return AtoI(tail);
}

bool HoldsData(const TestRecord& record)
{
    return record.m_RateFrame.m_bValid != 0;
}
