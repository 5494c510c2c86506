#pragma once

#include <string>
#include <string_view>
#include <vector>

// Gathers the bytes the program sends into lines, each with its line feed.
class CLineCollector
{
public:
    std::vector<std::string> Add(std::string_view bytes)
    {
        std::vector<std::string> lines;
        for (const char ch : bytes) {
            m_strPending.push_back(ch);
            if (ch != '\n')
                continue;
            lines.push_back(std::move(m_strPending));
            m_strPending.clear();
        }
        return lines;
    }

private:
    std::string m_strPending; // bytes of a line not yet ended
};
