#pragma once

#include "link/serialchannel.h"
#include "records/fileaccess.h"

#include <string>

// The command line's sentences for failures the lower layers report as
// statuses (the program words the same failures from its resource pack).

// "PATH: the file cannot be written; ...", with the reason when one is known.
std::string DescribeDocumentStatus(DocumentStatus status, const std::string& path,
                                   const FileError& error = {});

// Why a file could not be read or written: the system's words, or ours for
// what the program finds itself; empty when nothing is known.
std::string FileReasonText(const FileError& error);

// Reads and opens a document as the program's File Open does; false, after
// saying why on stderr, when it does not open.
bool OpenDocumentOrSayWhy(const std::string& path, DocumentVersions& versions, TestRecord& record);

// Why a port did not open: strPort as the user named it, strDevice the device
// it chose, nSystemError the system's code of a failed open.
std::string DescribeOpenStatus(OpenStatus status, const std::string& strDevice, int nSystemError,
                               const std::string& strPort);
