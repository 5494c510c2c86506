#pragma once

#include <string>
#include <string_view>

// The texts a test report shows for the record's numbers.

std::string FormatInt(int value);          // "%d"
std::string FormatReal(double value);      // "%2.1f"
std::string FormatMinusReal(double value); // "- %2.1f": a power level below 0 dBm
std::string FormatYesNo(int flag);         // "[YES]" or "[ NO]"
// Round-trip times of 1..10 ms (the time taken as unsigned) read "<= 10".
std::string FormatPingTime(int milliseconds);
// "*" for a probe without reply, "< 10 msec" below 10 (taken as unsigned), else "%d msec".
std::string FormatHopTime(int milliseconds);
// Six octets from two ints holding three each in their low 24 bits.
std::string FormatMac(int firstHalf, int secondHalf);
// An access point as "SSID [channel]" and its signal as "- RSSI [dBm]".
std::string FormatApSsid(std::string_view ssid, int channel);
std::string FormatApRssi(int rssi);

// VDSL link rate in Mbps of a rate code 20..89; "-" for any other code.
std::string VdslLinkRateText(int code);
std::string_view VdslLinkStatusText(int status);
// WLAN link rate in Mbps of a rate code 0..4 (0: no rate); "-" for any other code.
std::string_view WlanLinkRateText(int code);
// "AP-1st" .. "AP-4th" for entries 0..3; empty for any other.
std::string_view ApLabel(int entry);
