#include "programharness.h"

#include "app/mainframe.h"
#include "simulator/sampleset.h"
#include "workspace/dbworkspacebar.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

bool RunUntil(const std::function<bool()>& done, int nDeadlineMs)
{
    QTimer tick;
    tick.start(5);
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > nDeadlineMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

long ResidentKb()
{
    long nPages = 0, nResident = 0;
    if (std::FILE* pFile = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(pFile, "%ld %ld", &nPages, &nResident) != 2)
            nResident = 0;
        std::fclose(pFile);
    }
    return nResident * (sysconf(_SC_PAGESIZE) / 1024);
}

int ThreadCount()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                .size());
}

CProgramUnderTest::CProgramUnderTest()
{
    m_app.InitInstance({"lmx4410"});
    Frame().resize(1280, 800);
    RecordTable records = BuiltInSampleSet();
    for (TestRecord& record : records)
        record.ParseAll();
    m_app.m_Records = records;
    Frame().WorkspaceBar().FillTree();
    QCoreApplication::processEvents();
}

CProgramUnderTest::~CProgramUnderTest()
{
    m_app.ExitInstance();
}
