#pragma once

#include <string>

class CEasyReport;

// A composed report as one line of JSON: its page count, the metrics of its
// four fonts and, page by page, every element with its class, rectangle and
// contents (a page number as the text its page shows). lmxtool report
// --layout prints it; stored layouts in the tests are compared with it.
std::string ReportLayoutJson(const CEasyReport& report);
