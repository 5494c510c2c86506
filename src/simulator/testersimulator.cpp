#include "simulator/testersimulator.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Noise a tester might print while it boots: header and end characters, but no prompt.
constexpr const char* kGarbage = "\r\nLMX-4410 %0;*: ready\r\n";
constexpr std::chrono::milliseconds kHeaderSplitPause{20};

struct SectionFile
{
    TesterRequest request;
    const char* pszCommand; // without its line feed
    const char* pszSuffix;  // of the data file
};

constexpr SectionFile kSections[] = {
    {TesterRequest::RateFrame, "forpc rtrvinfo", "rate-frame"},
    {TesterRequest::Graph, "forpc rtrvgrp", "graph"},
    {TesterRequest::Ping, "forpc rtrvping", "ping"},
    {TesterRequest::TraceRoute, "forpc rtrvtrrt", "trace-route"},
};

// The raw text of one section of a record, const or not.
template <typename Record> auto* RawText(Record& record, TesterRequest request)
{
    decltype(&record.m_Ping.m_strRaw) pText = nullptr;
    switch (request) {
    case TesterRequest::RateFrame: pText = &record.m_RateFrame.m_strRaw; break;
    case TesterRequest::Graph: pText = &record.m_Graph.m_strRaw; break;
    case TesterRequest::Ping: pText = &record.m_Ping.m_strRaw; break;
    case TesterRequest::TraceRoute: pText = &record.m_TraceRoute.m_strRaw; break;
    case TesterRequest::Wake: break;
    }
    return pText;
}

std::string DbHeader(int nDb)
{
    char header[16];
    std::snprintf(header, sizeof header, "%%%02d", nDb);
    return header;
}

} // namespace

TesterRequest RequestOfLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    for (const SectionFile& section : kSections) {
        if (line == section.pszCommand)
            return section.request;
    }
    return TesterRequest::Wake;
}

CTesterSimulator::CTesterSimulator(const RecordTable& data, const SimulatorBehaviour& behaviour)
    : m_data(data), m_behaviour(behaviour)
{
}

std::vector<TesterLine> CTesterSimulator::Receive(std::string_view bytes)
{
    std::vector<TesterLine> lines;
    for (std::string& strLine : m_lines.Add(bytes))
        lines.push_back({RequestOfLine(strLine), std::move(strLine)});
    return lines;
}

std::vector<OutputChunk> CTesterSimulator::Prompt() const
{
    std::vector<OutputChunk> chunks;
    if (m_behaviour.m_bGarbage)
        chunks.push_back({m_behaviour.m_promptDelay, kGarbage, true});
    chunks.push_back(
        {m_behaviour.m_bGarbage ? std::chrono::milliseconds(0) : m_behaviour.m_promptDelay, ">",
         true});
    return chunks;
}

std::vector<OutputChunk> CTesterSimulator::Answer(const TesterLine& line) const
{
    std::vector<OutputChunk> chunks;
    if (m_behaviour.m_bEcho)
        chunks.push_back({{}, line.m_strLine, false});
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        const std::string strDb = DbHeader(nDb) + SectionText(nDb, line.m_request) + ";";
        if (!m_behaviour.m_bSplitHeaders) {
            chunks.push_back({{}, strDb, false});
            continue;
        }
        // Odd DBs break after the '%', even ones after the first digit.
        const std::size_t nSplit = nDb % 2 == 1 ? 1 : 2;
        chunks.push_back({{}, strDb.substr(0, nSplit), false});
        chunks.push_back({kHeaderSplitPause, strDb.substr(nSplit), false});
    }
    return chunks;
}

const std::string& CTesterSimulator::SectionText(int nDb, TesterRequest request) const
{
    return *RawText(m_data[static_cast<std::size_t>(nDb)], request);
}

std::size_t DownloadByteCount(const RecordTable& data)
{
    const CTesterSimulator tester(data, SimulatorBehaviour());
    std::size_t nBytes = 0;
    const auto count = [&nBytes](const std::vector<OutputChunk>& chunks) {
        for (const OutputChunk& chunk : chunks)
            nBytes += chunk.m_strBytes.size();
    };
    count(tester.Prompt());
    for (const SectionFile& section : kSections)
        count(tester.Answer({section.request, std::string(section.pszCommand) + "\n"}));
    return nBytes;
}

bool LoadSimulatorData(const std::string& strDirectory, RecordTable& data, std::string& strError)
{
    if (!std::filesystem::is_directory(strDirectory)) {
        strError = "'" + strDirectory + "' is not a directory";
        return false;
    }
    data = RecordTable();
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        for (const SectionFile& section : kSections) {
            char name[32];
            std::snprintf(name, sizeof name, "DB%02d.%s", nDb, section.pszSuffix);
            const std::filesystem::path path = std::filesystem::path(strDirectory) / name;
            if (!std::filesystem::exists(path))
                continue;
            std::ifstream file(path, std::ios::binary);
            std::ostringstream text;
            text << file.rdbuf();
            if (!file) {
                strError = "cannot read '" + path.string() + "'";
                return false;
            }
            std::string strText = text.str();
            if (strText.ends_with('\n'))
                strText.pop_back();
            if (strText.ends_with('\r'))
                strText.pop_back();
            *RawText(data[static_cast<std::size_t>(nDb)], section.request) = strText;
        }
    }
    return true;
}
