#include "tools/recordjson.h"

#include <string>
#include <type_traits>

namespace {

void Field(JsonWriter& json, const char* name, int value)
{
    json.Key(name);
    json.Int(value);
}

void Field(JsonWriter& json, const char* name, double value)
{
    json.Key(name);
    json.Real(value);
}

void Field(JsonWriter& json, const char* name, const std::string& value)
{
    json.Key(name);
    json.String(value);
}

template <typename Array> void ArrayField(JsonWriter& json, const char* name, const Array& values)
{
    json.Key(name);
    json.BeginArray();
    for (const auto& value : values) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
            json.String(value);
        else
            json.Int(value);
    }
    json.EndArray();
}

} // namespace

void WriteSectionJson(JsonWriter& json, const PingSection& s)
{
    json.BeginObject();
    Field(json, "m_strRaw", s.m_strRaw);
    Field(json, "m_bValid", s.m_bValid);
    Field(json, "m_nResult", s.m_nResult);
    Field(json, "m_nTxCount", s.m_nTxCount);
    Field(json, "m_nRxCount", s.m_nRxCount);
    Field(json, "m_nLossRate", s.m_nLossRate);
    Field(json, "m_nMaxTime", s.m_nMaxTime);
    Field(json, "m_nMinTime", s.m_nMinTime);
    Field(json, "m_nAvgTime", s.m_nAvgTime);
    Field(json, "m_strSourceIP", s.m_strSourceIP);
    Field(json, "m_strGatewayIP", s.m_strGatewayIP);
    Field(json, "m_strDestIP", s.m_strDestIP);
    Field(json, "m_strProtocol", s.m_strProtocol);
    Field(json, "m_strResult", s.m_strResult);
    Field(json, "m_strAddressMode", s.m_strAddressMode);
    json.EndObject();
}

void WriteSectionJson(JsonWriter& json, const RateFrameSection& s)
{
    json.BeginObject();
    Field(json, "m_strRaw", s.m_strRaw);
    Field(json, "m_strDhcpServerIP", s.m_strDhcpServerIP);
    Field(json, "m_nLineType", s.m_nLineType);
    Field(json, "m_bValid", s.m_bValid);
    Field(json, "m_strOperationMode", s.m_strOperationMode);
    Field(json, "m_strTransferMode", s.m_strTransferMode);
    Field(json, "m_nUpRate", s.m_nUpRate);
    Field(json, "m_nDownRate", s.m_nDownRate);
    Field(json, "m_nUpMaxRate", s.m_nUpMaxRate);
    Field(json, "m_nDownMaxRate", s.m_nDownMaxRate);
    Field(json, "m_nUpCapacity", s.m_nUpCapacity);
    Field(json, "m_nDownCapacity", s.m_nDownCapacity);
    Field(json, "m_dUpMargin", s.m_dUpMargin);
    Field(json, "m_dDownMargin", s.m_dDownMargin);
    Field(json, "m_dUpAttenuation", s.m_dUpAttenuation);
    Field(json, "m_dDownAttenuation", s.m_dDownAttenuation);
    Field(json, "m_dUpPower", s.m_dUpPower);
    Field(json, "m_dDownPower", s.m_dDownPower);
    Field(json, "m_nFarCRC", s.m_nFarCRC);
    Field(json, "m_nNearCRC", s.m_nNearCRC);
    Field(json, "m_nFarFEC", s.m_nFarFEC);
    Field(json, "m_nNearFEC", s.m_nNearFEC);
    Field(json, "m_nFarHEC", s.m_nFarHEC);
    Field(json, "m_nNearHEC", s.m_nNearHEC);
    Field(json, "m_nFarLOM", s.m_nFarLOM);
    Field(json, "m_nNearLOM", s.m_nNearLOM);
    Field(json, "m_nFarLOC", s.m_nFarLOC);
    Field(json, "m_nNearLOC", s.m_nNearLOC);
    Field(json, "m_nFarLOP", s.m_nFarLOP);
    Field(json, "m_nNearLOP", s.m_nNearLOP);
    Field(json, "m_nFarLOF", s.m_nFarLOF);
    Field(json, "m_nNearLOF", s.m_nNearLOF);
    Field(json, "m_nFarLOS", s.m_nFarLOS);
    Field(json, "m_nNearLOS", s.m_nNearLOS);
    Field(json, "m_strUserInfo", s.m_strUserInfo);
    json.EndObject();
}

void WriteSectionJson(JsonWriter& json, const GraphSection& s)
{
    json.BeginObject();
    Field(json, "m_strRaw", s.m_strRaw);
    Field(json, "m_bValid", s.m_bValid);
    ArrayField(json, "m_anValue", s.m_anValue);
    ArrayField(json, "m_abApValid", s.m_abApValid);
    ArrayField(json, "m_astrApMac", s.m_astrApMac);
    ArrayField(json, "m_anApRssi", s.m_anApRssi);
    ArrayField(json, "m_anApChannel", s.m_anApChannel);
    ArrayField(json, "m_astrApSsid", s.m_astrApSsid);
    Field(json, "m_strSsid", s.m_strSsid);
    json.EndObject();
}

void WriteSectionJson(JsonWriter& json, const TraceRouteSection& s)
{
    json.BeginObject();
    Field(json, "m_strRaw", s.m_strRaw);
    Field(json, "m_bValid", s.m_bValid);
    Field(json, "m_nHopCount", s.m_nHopCount);
    ArrayField(json, "m_astrHopIP", s.m_astrHopIP);
    json.Key("m_anHopTime");
    json.BeginArray();
    for (const auto& times : s.m_anHopTime) {
        json.BeginArray();
        for (int time : times)
            json.Int(time);
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

void WriteRecordJson(JsonWriter& json, const TestRecord& record)
{
    json.BeginObject();
    json.Key("m_Ping");
    WriteSectionJson(json, record.m_Ping);
    json.Key("m_RateFrame");
    WriteSectionJson(json, record.m_RateFrame);
    json.Key("m_Graph");
    WriteSectionJson(json, record.m_Graph);
    json.Key("m_TraceRoute");
    WriteSectionJson(json, record.m_TraceRoute);
    json.EndObject();
}
