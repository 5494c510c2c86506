#pragma once

#include "link/downloadhost.h"
#include "link/executor.h"
#include "records/testrecord.h"

#include <chrono>
#include <memory>

// Parses the records of a finished transfer into the table, one record per
// step on the executor with a pause between steps, so a status-bar indicator
// can be seen moving while the program stays responsive. The table changes
// at once after the last step; the views are refreshed then.
class CRecordLoader
{
public:
    CRecordLoader(IExecutor& executor, IRecordViews& views, RecordTable& records,
                  std::chrono::milliseconds pause);

    void Load(std::unique_ptr<RecordTable> pStaged);
    bool IsLoading() const { return m_pStaged != nullptr; }
    // Drops the records still being parsed, quietly (the views may be going
    // away): the table stays as it was.
    void Stop();

private:
    void ParseNext();
    void Install();

    IExecutor& m_executor;
    IRecordViews& m_views;
    RecordTable& m_records;
    std::chrono::milliseconds m_pause;
    std::unique_ptr<RecordTable> m_pStaged;
    int m_nParsed = 0;
};
