#pragma once

#include <string>

// Line kinds carried in m_nLineType.
enum LineType : int
{
    LINE_NONE = 0,
    LINE_ADSL = 1,
    LINE_VDSL = 2,
    LINE_WLAN = 3,
};

// Rate and frame information of one DB; tokens separated by ':', '*' or ';'.
// The numbers come in up/down (far/near) pairs; VDSL and WLAN lines reuse the
// same slots for other quantities.
struct RateFrameSection
{
    std::string m_strRaw;
    std::string m_strDhcpServerIP;
    int m_nLineType = 0;
    int m_bValid = 0;
    std::string m_strOperationMode;
    std::string m_strTransferMode;
    int m_nUpRate = 0;
    int m_nDownRate = 0;
    int m_nUpMaxRate = 0;
    int m_nDownMaxRate = 0;
    int m_nUpCapacity = 0;
    int m_nDownCapacity = 0;
    double m_dUpMargin = 0.0;
    double m_dDownMargin = 0.0;
    double m_dUpAttenuation = 0.0;
    double m_dDownAttenuation = 0.0;
    double m_dUpPower = 0.0;
    double m_dDownPower = 0.0;
    int m_nFarCRC = 0;
    int m_nNearCRC = 0;
    int m_nFarFEC = 0;
    int m_nNearFEC = 0;
    int m_nFarHEC = 0;
    int m_nNearHEC = 0;
    int m_nFarLOM = 0;
    int m_nNearLOM = 0;
    int m_nFarLOC = 0;
    int m_nNearLOC = 0;
    int m_nFarLOP = 0;
    int m_nNearLOP = 0;
    int m_nFarLOF = 0;
    int m_nNearLOF = 0;
    int m_nFarLOS = 0;
    int m_nNearLOS = 0;
    std::string m_strUserInfo;

    // Writes the fields of the tokens present in m_strRaw; others keep their values.
    void ParseRateFrame();

    bool operator==(const RateFrameSection&) const = default;
};
