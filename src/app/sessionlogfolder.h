#pragma once

#include <QString>

class CSessionLog;

// Where the program keeps session logs when the user has not chosen a folder.
QString DefaultSessionLogFolder();

// Starts log in a new file of its own inside strFolder, made if missing:
// named after the time, with "-2", "-3", ... when downloads start within the
// same second, so an earlier log is never replaced. False, with the user's
// words for why in strError, when neither the folder nor a file can be made.
bool StartSessionLogIn(CSessionLog& log, const QString& strFolder, const QString& strPort,
                       QString& strError);
