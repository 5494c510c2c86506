// lmxtool parse, make and dump: the parsers and the document file from the
// command line.

#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "tools/failuretext.h"
#include "tools/jsonwriter.h"
#include "tools/recordjson.h"
#include "tools/toolcommands.h"

#include <cstdio>
#include <functional>
#include <map>

namespace {

// Prints the JSON text and a line feed; a full disk or a closed pipe is a
// failure, not a finished command.
int PrintJson(const JsonWriter& json)
{
    return WriteStandardOutput(json.Text() + '\n');
}

// Runs one parser on a freshly constructed section and prints that section.
template <typename Section> int ParseAndPrint(const std::string& text, void (Section::*parse)())
{
    Section section;
    section.m_strRaw = text;
    (section.*parse)();
    JsonWriter json;
    WriteSectionJson(json, section);
    return PrintJson(json);
}

} // namespace

int RunParse(const ToolArgs& args)
{
    if (args.size() != 2)
        return UsageError("parse takes a section name and a text");
    const std::map<std::string, std::function<int(const std::string&)>> parsers = {
        {"ping", [](const std::string& t) { return ParseAndPrint(t, &PingSection::ParsePing); }},
        {"rate-frame",
         [](const std::string& t) { return ParseAndPrint(t, &RateFrameSection::ParseRateFrame); }},
        {"graph", [](const std::string& t) { return ParseAndPrint(t, &GraphSection::ParseGraph); }},
        {"ap-list",
         [](const std::string& t) { return ParseAndPrint(t, &GraphSection::ParseApList); }},
        {"trace-route",
         [](const std::string& t) {
             return ParseAndPrint(t, &TraceRouteSection::ParseTraceRoute);
         }},
    };
    const auto parser = parsers.find(args[0]);
    if (parser == parsers.end())
        return UsageError("unknown section '" + args[0] + "'");
    return parser->second(args[1]);
}

int RunMake(const ToolArgs& args)
{
    std::string outPath;
    DocumentVersions versions;
    TestRecord record;
    const std::map<std::string, std::string*> texts = {
        {"--rate-frame", &record.m_RateFrame.m_strRaw},
        {"--graph", &record.m_Graph.m_strRaw},
        {"--ping", &record.m_Ping.m_strRaw},
        {"--trace-route", &record.m_TraceRoute.m_strRaw},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const std::size_t valuesLeft = args.size() - i - 1;
        if (option == "-o" && valuesLeft >= 1) {
            outPath = args[++i];
        } else if (option == "--versions" && valuesLeft >= 2) {
            versions.m_strVersion1 = args[++i];
            versions.m_strVersion2 = args[++i];
        } else if (texts.count(option) && valuesLeft >= 1) {
            *texts.at(option) = args[++i];
        } else {
            return UsageError("make: unexpected or incomplete option '" + option + "'");
        }
    }
    if (outPath.empty())
        return UsageError("make needs -o FILE");
    FileError error;
    const DocumentStatus status =
        WriteFileAtomically(outPath, StoreDocument(versions, record), &error);
    if (status != DocumentStatus::Ok) {
        std::fprintf(stderr, "lmxtool: %s\n",
                     DescribeDocumentStatus(status, outPath, error).c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int RunDump(const ToolArgs& args)
{
    if (args.size() != 1)
        return UsageError("dump takes one file");
    const std::string& path = args[0];
    DocumentVersions versions;
    TestRecord record;
    if (!OpenDocumentOrSayWhy(path, versions, record))
        return kExitFailed;
    JsonWriter json;
    json.BeginObject();
    json.Key("version1");
    json.String(versions.m_strVersion1);
    json.Key("version2");
    json.String(versions.m_strVersion2);
    json.Key("record");
    WriteRecordJson(json, record);
    json.EndObject();
    return PrintJson(json);
}
