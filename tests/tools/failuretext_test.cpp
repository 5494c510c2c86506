// The command line's sentences: each names the file or the port, says what
// failed, and gives the reason when one is known.

#include "records/systemerror.h"
#include "tools/failuretext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(FailureText, EachDocumentStatusHasASentenceOfItsOwnNamingTheFile)
{
    std::vector<std::string> messages;
    for (DocumentStatus status : {DocumentStatus::CannotRead, DocumentStatus::Truncated,
                                  DocumentStatus::UnknownVersion, DocumentStatus::CannotWrite}) {
        messages.push_back(DescribeDocumentStatus(status, "/x/db.lmx"));
        EXPECT_EQ(messages.back().rfind("/x/db.lmx: ", 0), 0u) << messages.back();
    }
    std::sort(messages.begin(), messages.end());
    EXPECT_EQ(std::unique(messages.begin(), messages.end()), messages.end());
}

TEST(FailureText, TheReasonFollowsInTheSystemsWordsOrOurOwn)
{
    const std::string strFull = std::generic_category().message(ENOSPC);
    struct Case
    {
        FileError error;
        std::string reason;
    };
    const Case cases[] = {
        {{FileProblem::NoSpace, strFull}, strFull},
        {{FileProblem::NotAFile, ""}, "not a regular file"},
        {{FileProblem::LargerThanAnyDocument, ""}, "far larger than any test document"},
    };
    for (const Case& c : cases) {
        const std::string text =
            DescribeDocumentStatus(DocumentStatus::CannotWrite, "/x/db.lmx", c.error);
        EXPECT_NE(text.find("The system reports: "), std::string::npos) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}

TEST(FailureText, APortThatDoesNotOpenSaysWhy)
{
#ifndef _WIN32
    EXPECT_NE(DescribeOpenStatus(OpenStatus::PortOpenFailed, "/dev/ttyUSB0", EACCES, "/dev/ttyUSB0")
                  .find("dialout"),
              std::string::npos);
#endif
    EXPECT_NE(DescribeOpenStatus(OpenStatus::BadPortName, "", 0, "COM2").find("'COM2'"),
              std::string::npos);
    EXPECT_NE(DescribeOpenStatus(OpenStatus::PortBusy, "/dev/ttyS1", 0, "2").find("/dev/ttyS1"),
              std::string::npos);
}

#ifdef _WIN32
// A COM port that is not there: the system's words, then where to look.
TEST(FailureText, AMissingComPortPointsToTheDeviceManager)
{
    const std::string strText = DescribeOpenStatus(OpenStatus::PortOpenFailed, "\\\\.\\COM249",
                                                   ERROR_FILE_NOT_FOUND, "COM249");
    EXPECT_EQ(
        strText.rfind("cannot open \\\\.\\COM249: " + SystemErrorText(ERROR_FILE_NOT_FOUND), 0), 0u)
        << strText;
    EXPECT_NE(strText.find("Device Manager"), std::string::npos) << strText;
}
#endif

} // namespace
