#pragma once

struct TestRecord;
class CReportHost;

// What report documents and their views need of the application and its main
// frame. The application answers; tests stand a fake in its place.
class IKorvoContext
{
public:
    // The record a new document copies: the DB last chosen in the workspace
    // (the application's m_pSelectedRecord); null while none was chosen.
    virtual const TestRecord* SelectedRecord() const = 0;
    // A report view became active: the main frame copies the record into its
    // m_SelRecord and is sent WM_RECORD_SELECTED.
    virtual void OnReportActivated(const TestRecord& record) = 0;
    // A report view became inactive: the main frame empties the DB
    // information list (ClearDbInfo).
    virtual void OnReportDeactivated() = 0;
    // Composition asks it for the default printer and the report's date.
    virtual CReportHost& ReportHost() = 0;

protected:
    ~IKorvoContext() = default;
};
