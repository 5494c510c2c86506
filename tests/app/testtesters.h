#pragma once

#include "simulator/sampleset.h"
#include "simulator/simulatedtester.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A tester on a pseudo-terminal of the test's own, sending at once.
class CTestTester
{
public:
    explicit CTestTester(SimulatorOptions options = {})
    {
        options.m_bPaced = false;
        m_bStarted = m_tester.Start(BuiltInSampleSet(), options) && m_tester.StartThread();
    }
    bool IsStarted() const { return m_bStarted; }
    QString Device() const { return QString::fromStdString(m_tester.DevicePath()); }
    // Takes the device away, as when the tester is unplugged.
    void Unplug() { m_tester.Stop(); }

private:
    CSimulatedTester m_tester;
    bool m_bStarted = false;
};

// A stable name for the port, re-pointed at whichever tester is plugged in,
// as a /dev/serial/by-id name follows its adapter.
class CPortLink
{
public:
    CPortLink() : m_strPath(m_folder.filePath("port")) {}
    const QString& Path() const { return m_strPath; }
    bool PointAt(const QString& strDevice)
    {
        QFile::remove(m_strPath);
        return QFile::link(strDevice, m_strPath);
    }

private:
    QTemporaryDir m_folder;
    QString m_strPath;
};
