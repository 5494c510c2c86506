#pragma once

// Shared by the report document and view tests: a context that stands in for
// the application, with a report clock fixed on one day.

#include "app/korvocontext.h"
#include "records/testrecord.h"
#include "report/reporthost.h"

#include <QDate>
#include <QStringList>

class CFixedDateHost final : public CReportHost
{
public:
    static inline const QDate kToday{2024, 3, 5};

    void CheckDefaultPrinter() override {}
    QDate Today() const override { return kToday; }
};

class CFakeKorvoContext final : public IKorvoContext
{
public:
    const TestRecord* SelectedRecord() const override { return m_pSelected; }
    void OnReportActivated(const TestRecord& record) override
    {
        m_log << "activated";
        m_lastActivated = record;
    }
    void OnReportDeactivated() override { m_log << "deactivated"; }
    CReportHost& ReportHost() override { return m_host; }

    const TestRecord* m_pSelected = nullptr;
    QStringList m_log;
    TestRecord m_lastActivated;

private:
    CFixedDateHost m_host;
};
