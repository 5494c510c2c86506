#include "link/downloadevents.h"

#include <cstdio>

namespace {

const char* SectionLabel(DownloadSection section)
{
    switch (section) {
    case DownloadSection::RateFrame: return "RATE/FRAME";
    case DownloadSection::Graph: return "GRAPH";
    case DownloadSection::Ping: return "PING";
    case DownloadSection::TraceRoute: return "TRACE ROUTE";
    case DownloadSection::None: break;
    }
    return "";
}

} // namespace

std::string DbProgressText(DownloadSection section, int nDbNumber)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s DATA = %d / %d", SectionLabel(section), nDbNumber,
                  kDbCount);
    return text;
}
