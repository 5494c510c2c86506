#include "tools/failuretext.h"

#include "link/serialport.h"
#include "records/systemerror.h"

#include <cstdio>

namespace {

std::string StatusSentence(DocumentStatus status, const std::string& path)
{
    switch (status) {
    case DocumentStatus::Ok: return path + ": ok";
    case DocumentStatus::CannotRead: return path + ": the file cannot be opened or read.";
    case DocumentStatus::Truncated:
        return path + ": the file ends unexpectedly; it is damaged or not a test document.";
    case DocumentStatus::UnknownVersion:
        return path + ": this file is not a test document of this program (unknown version).";
    case DocumentStatus::CannotWrite:
        return path + ": the file cannot be written; the previous file is unchanged.";
    }
    return path;
}

// What the user can do about a port that did not open, in parentheses.
std::string OpenFailureAdvice(CSerialPort::Problem problem)
{
    switch (problem) {
    case CSerialPort::Problem::NotAllowed:
        return " (is your user in the group that owns the device, e.g. dialout?)";
    case CSerialPort::Problem::NotFound:
#ifdef _WIN32
        return " (is the adapter plugged in? The Device Manager lists the COM ports under "
               "Ports (COM & LPT))";
#else
        return " (is the adapter plugged in, under this name?)";
#endif
    case CSerialPort::Problem::Other: break;
    }
    return {};
}

} // namespace

// The problems the program finds itself have no system text.
std::string FileReasonText(const FileError& error)
{
    switch (error.m_problem) {
    case FileProblem::NotAFile: return "not a regular file";
    case FileProblem::LargerThanAnyDocument: return "the file is far larger than any test document";
    case FileProblem::ChangedWhileRead: return "the file became shorter while it was read";
    default: return error.m_strSystemText;
    }
}

std::string DescribeDocumentStatus(DocumentStatus status, const std::string& path,
                                   const FileError& error)
{
    std::string sentence = StatusSentence(status, path);
    if (const std::string reason = FileReasonText(error);
        !reason.empty() && status != DocumentStatus::Ok)
        sentence += " The system reports: " + reason + ".";
    return sentence;
}

bool OpenDocumentOrSayWhy(const std::string& path, DocumentVersions& versions, TestRecord& record)
{
    std::string bytes;
    FileError error;
    DocumentStatus status = ReadFileBytes(path, bytes, &error);
    if (status == DocumentStatus::Ok)
        status = OpenDocument(bytes, versions, record);
    if (status == DocumentStatus::Ok)
        return true;
    std::fprintf(stderr, "lmxtool: %s\n", DescribeDocumentStatus(status, path, error).c_str());
    return false;
}

std::string DescribeOpenStatus(OpenStatus status, const std::string& strDevice, int nSystemError,
                               const std::string& strPort)
{
    switch (status) {
    case OpenStatus::BadPortName:
        return "'" + strPort + "' is neither a port number nor a device path";
    case OpenStatus::PortBusy: return "cannot open " + strDevice + ": another program is using it";
    case OpenStatus::PortOpenFailed:
        return "cannot open " + strDevice + ": " + SystemErrorText(nSystemError) +
               OpenFailureAdvice(CSerialPort::ClassifyOpenError(nSystemError));
    case OpenStatus::SetupFailed:
        return strDevice + " is not a serial port that takes 9600 baud, 8N1";
    case OpenStatus::ThreadFailed:
    case OpenStatus::Ok: break;
    }
    return "cannot start reading from " + strDevice;
}
