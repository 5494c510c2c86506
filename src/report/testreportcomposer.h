#pragma once

class CEasyReport;
struct TestRecord;

// Composes the two-page test report of a record into `report`: the ADSL
// layout for line types 0 and 1, VDSL for 2, WLAN for 3. Any other line type
// leaves the report without pages. The record is not const because the WLAN
// layout parses its access point list again before showing it.
void ComposeReport(TestRecord& record, CEasyReport& report);

// The trace route, on a page of its own: the common end of every layout.
void ComposeTraceRoutePage(const TestRecord& record, CEasyReport& report);
