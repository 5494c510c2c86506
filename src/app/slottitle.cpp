#include "app/slottitle.h"

std::string SlotTitle(int nDb, const TestRecord& record)
{
    std::string strTitle = "DB #" + std::to_string(nDb);
    if (record.m_RateFrame.m_bValid != 0)
        strTitle += " - [" + record.m_RateFrame.m_strUserInfo + "]";
    else
        strTitle += " - [No Data]";
    return strTitle;
}
