#pragma once

#include <string>

// Ping and connection results of one DB; tokens separated by ':' or ';'.
struct PingSection
{
    std::string m_strRaw;
    int m_bValid = 0;
    int m_nResult = 0;
    int m_nTxCount = 0;
    int m_nRxCount = 0;
    int m_nLossRate = 0;
    int m_nMaxTime = 0;
    int m_nMinTime = 0;
    int m_nAvgTime = 0;
    std::string m_strSourceIP;
    std::string m_strGatewayIP;
    std::string m_strDestIP;
    std::string m_strProtocol;
    std::string m_strResult;
    std::string m_strAddressMode;

    // Writes the fields of the tokens present in m_strRaw; others keep their values.
    void ParsePing();

    bool operator==(const PingSection&) const = default;
};
