#include "link/recordloader.h"

namespace {

constexpr const char* kLoadingText = "Data Loading..";

} // namespace

CRecordLoader::CRecordLoader(IExecutor& executor, IRecordViews& views, RecordTable& records,
                             std::chrono::milliseconds pause)
    : m_executor(executor), m_views(views), m_records(records), m_pause(pause)
{
}

void CRecordLoader::Load(std::unique_ptr<RecordTable> pStaged)
{
    Stop();
    m_pStaged = std::move(pStaged);
    m_nParsed = 0;
    m_views.BeginLoadingProgress(kLoadingText, kDbCount);
    m_executor.StartTimer(TIMER_PARSE_STEP, m_pause, [this] { ParseNext(); });
}

void CRecordLoader::Stop()
{
    m_executor.StopTimer(TIMER_PARSE_STEP);
    m_pStaged.reset();
}

void CRecordLoader::ParseNext()
{
    ++m_nParsed;
    (*m_pStaged)[static_cast<std::size_t>(m_nParsed)].ParseAll();
    m_views.StepLoadingProgress();
    if (m_nParsed == kDbCount) {
        m_executor.StopTimer(TIMER_PARSE_STEP);
        Install();
    }
}

// Each record was parsed fresh from its own raw texts, so no field can
// outlive the text it came from. Record 0 is addressed by no DB.
void CRecordLoader::Install()
{
    const std::unique_ptr<RecordTable> pStaged = std::move(m_pStaged);
    m_records[0] = TestRecord();
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        const auto index = static_cast<std::size_t>(nDb);
        m_records[index] = std::move((*pStaged)[index]);
    }
    m_views.ClearTree();
    m_views.ClearItems();
    m_views.FillTree();
    m_views.EndLoadingProgress();
}
