#pragma once

#include "records/fileaccess.h"

#include <QString>

// The user's sentence, from the resource pack, for a file the program could
// not read or write: what failed, naming the file, then why.
QString FileFailureText(DocumentStatus status, const QString& strPath, const FileError& error = {});

// Only the why, for a message that says what failed in its own words.
QString FileProblemText(const FileError& error);
