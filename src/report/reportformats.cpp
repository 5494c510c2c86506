#include "report/reportformats.h"

#include "records/traceroutesection.h"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace {

[[gnu::format(printf, 1, 2)]] std::string Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

constexpr int kFirstVdslRateCode = 20;
constexpr int kLastVdslRateCode = 89;
// Two consecutive codes share an entry.
constexpr std::array<const char*, 35> kVdslRates = {
    "25.00", "18.75", "12.50", " 9.38", " 6.25", //
    "16.67", "12.50", " 8.33", " 6.25", " 4.17", //
    "12.50", " 9.38", " 6.25", " 4.69", " 3.13", //
    " 8.33", " 6.25", " 4.17", " 3.13", " 2.08", //
    " 6.25", " 4.69", " 3.13", " 2.34", " 1.56", //
    " 4.17", " 3.13", " 2.08", " 1.56", " 1.04", //
    " 3.13", " 2.34", " 1.56", " 1.17", " 0.78", //
};

constexpr std::array<std::string_view, 5> kWlanRates = {"", "1", "2", "5.5", "11"};
constexpr std::array<std::string_view, 4> kApLabels = {"AP-1st", "AP-2nd", "AP-3rd", "AP-4th"};

// A rate code the tables do not know reads as no rate rather than as its code:
// the cell stands before "[Mbps]", where a bare code would pass for a rate.
constexpr std::string_view kUnknownRate = "-";

int Octet(int value, int shift)
{
    return (value >> shift) & 0xff;
}

} // namespace

std::string FormatInt(int value)
{
    return Printf("%d", value);
}

std::string FormatReal(double value)
{
    return Printf("%2.1f", value);
}

std::string FormatMinusReal(double value)
{
    return Printf("- %2.1f", value);
}

std::string FormatYesNo(int flag)
{
    return Printf("[%3s]", flag != 0 ? "YES" : "NO");
}

std::string FormatPingTime(int milliseconds)
{
    const auto time = static_cast<unsigned>(milliseconds);
    return time >= 1 && time <= 10 ? std::string("<= 10") : FormatInt(milliseconds);
}

std::string FormatHopTime(int milliseconds)
{
    if (milliseconds == TraceRouteSection::kNoReply)
        return "*";
    if (static_cast<unsigned>(milliseconds) < 10)
        return "< 10 msec";
    return Printf("%d msec", milliseconds);
}

std::string FormatMac(int firstHalf, int secondHalf)
{
    return Printf("%2.2x:%2.2x:%2.2x:%2.2x:%2.2x:%2.2x", Octet(firstHalf, 16), Octet(firstHalf, 8),
                  Octet(firstHalf, 0), Octet(secondHalf, 16), Octet(secondHalf, 8),
                  Octet(secondHalf, 0));
}

std::string FormatApSsid(std::string_view ssid, int channel)
{
    // Concatenated rather than printed with "%s", so every byte of the name shows.
    return std::string(ssid) + " [" + FormatInt(channel) + "]";
}

std::string FormatApRssi(int rssi)
{
    return Printf("- %d [dBm]", rssi);
}

std::string VdslLinkRateText(int code)
{
    if (code < kFirstVdslRateCode || code > kLastVdslRateCode)
        return std::string(kUnknownRate);
    return kVdslRates[static_cast<std::size_t>((code - kFirstVdslRateCode) / 2)];
}

std::string_view VdslLinkStatusText(int status)
{
    switch (status) {
    case 0:
    case 2: return "Link Full Band";
    case 1: return "Robust Band";
    case 3: return "LWD Band";
    default: return "Unknown";
    }
}

std::string_view WlanLinkRateText(int code)
{
    if (code < 0 || static_cast<std::size_t>(code) >= kWlanRates.size())
        return kUnknownRate;
    return kWlanRates[static_cast<std::size_t>(code)];
}

std::string_view ApLabel(int entry)
{
    if (entry < 0 || static_cast<std::size_t>(entry) >= kApLabels.size())
        return {};
    return kApLabels[static_cast<std::size_t>(entry)];
}
