#pragma once

#include "link/serialchannel.h"

#include <QString>

// The user's sentence, from the resource pack, for why a port did not open:
// strPort as the user named it, strDevice the device it chose, nSystemError
// the system's code of a failed open.
QString PortFailureText(OpenStatus status, const QString& strDevice, int nSystemError,
                        const QString& strPort);
