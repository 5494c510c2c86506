#pragma once

#include <string>
#include <string_view>
#include <vector>

// A small streaming JSON writer. Texts are byte strings: byte b becomes code
// point b (Latin-1), so every byte of a tester text survives the trip.
class JsonWriter
{
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view bytes);
    void Int(long long value);
    // Shortest text that reads back as the same double; null when not finite.
    void Real(double value);

    const std::string& Text() const { return m_strOut; }

private:
    void BeforeValue();

    std::string m_strOut;
    std::vector<bool> m_abFirstInScope;
    bool m_bAfterKey = false;
};
