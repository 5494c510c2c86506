#include "records/datedname.h"

#include <ctime>

std::string FormatLocalTime(std::chrono::system_clock::time_point when, const char* pszPattern)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[64];
    const std::size_t nLength = std::strftime(text, sizeof text, pszPattern, &local);
    return std::string(text, nLength);
}

std::string DefaultSaveAllFolderName(std::chrono::system_clock::time_point when)
{
    return FormatLocalTime(when, "LMX-4410 %Y-%m-%d %H%M");
}

std::string SessionLogFileName(std::chrono::system_clock::time_point when)
{
    return FormatLocalTime(when, "session-%Y%m%d-%H%M%S.log");
}
