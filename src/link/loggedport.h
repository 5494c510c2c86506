#pragma once

#include "link/downloadhost.h"

#include <string>

class CSessionLog;

// Passes everything through to the port and tells the attached log (none:
// plain pass-through) what went over the line; opening and closing the port
// become notes. Used on the thread that runs the download only.
class CLoggedPort final : public IDownloadPort
{
public:
    explicit CLoggedPort(IDownloadPort& port);

    void SetLog(CSessionLog* pLog);

    bool Open(const std::string& strPort, int nBaud) override;
    void Close() override;
    int Write(const char* pData, int nLength) override;
    void WriteChar(char ch) override;
    bool Get(char& ch) override;
    bool HasQueuedData() const override;

private:
    IDownloadPort& m_port;
    CSessionLog* m_pLog = nullptr;
    bool m_bOpen = false; // so that closing a port that is not open is no event
};
