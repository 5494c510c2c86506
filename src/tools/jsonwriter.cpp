#include "tools/jsonwriter.h"

#include "records/latin1text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

void JsonWriter::BeforeValue()
{
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (!m_abFirstInScope.empty()) {
        if (!m_abFirstInScope.back())
            m_strOut.push_back(',');
        m_abFirstInScope.back() = false;
    }
}

void JsonWriter::BeginObject()
{
    BeforeValue();
    m_strOut.push_back('{');
    m_abFirstInScope.push_back(true);
}

void JsonWriter::EndObject()
{
    m_abFirstInScope.pop_back();
    m_strOut.push_back('}');
}

void JsonWriter::BeginArray()
{
    BeforeValue();
    m_strOut.push_back('[');
    m_abFirstInScope.push_back(true);
}

void JsonWriter::EndArray()
{
    m_abFirstInScope.pop_back();
    m_strOut.push_back(']');
}

void JsonWriter::Key(std::string_view name)
{
    String(name);
    m_strOut.push_back(':');
    m_bAfterKey = true;
}

void JsonWriter::String(std::string_view bytes)
{
    BeforeValue();
    m_strOut.push_back('"');
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (b) {
        case '"': m_strOut += "\\\""; break;
        case '\\': m_strOut += "\\\\"; break;
        case '\n': m_strOut += "\\n"; break;
        case '\r': m_strOut += "\\r"; break;
        case '\t': m_strOut += "\\t"; break;
        case '\b': m_strOut += "\\b"; break;
        case '\f': m_strOut += "\\f"; break;
        default:
            if (b < 0x20 || (b >= 0x7F && b <= 0x9F)) { // C0, DEL and C1 controls
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", b);
                m_strOut += escape;
            } else {
                AppendLatin1AsUtf8(m_strOut, std::string_view(&c, 1));
            }
        }
    }
    m_strOut.push_back('"');
}

void JsonWriter::Int(long long value)
{
    BeforeValue();
    m_strOut += std::to_string(value);
}

void JsonWriter::Real(double value)
{
    BeforeValue();
    if (!std::isfinite(value)) {
        m_strOut += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_strOut.append(buffer, result.ptr);
}
