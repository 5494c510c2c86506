#include "link/linesettings.h"

#include <cstdio>

std::string LineSettingsText(int nBaud)
{
    char text[64];
    std::snprintf(text, sizeof text, "baud=%d parity=%c data=%d stop=%d", nBaud, 'N', 8, 1);
    return text;
}
