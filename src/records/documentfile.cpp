#include "records/documentfile.h"

#include "records/archivestring.h"

#include <utility>

bool DocumentVersions::IsAccepted() const
{
    return (m_strVersion1 == kVersion1Current && m_strVersion2 == kVersion2Current) ||
           (m_strVersion1 == kVersion1Older && m_strVersion2 == kVersion2Older);
}

std::string StoreDocument(const DocumentVersions& versions, const TestRecord& record)
{
    std::string out;
    out.reserve(16 + versions.m_strVersion1.size() + versions.m_strVersion2.size() +
                record.m_RateFrame.m_strRaw.size() + record.m_Graph.m_strRaw.size() +
                record.m_Ping.m_strRaw.size() + record.m_TraceRoute.m_strRaw.size());
    AppendArchiveString(out, versions.m_strVersion1);
    AppendArchiveString(out, versions.m_strVersion2);
    AppendArchiveString(out, record.m_RateFrame.m_strRaw);
    AppendArchiveString(out, record.m_Graph.m_strRaw);
    AppendArchiveString(out, record.m_Ping.m_strRaw);
    // Always six strings, even for a document that came from an older file.
    AppendArchiveString(out, record.m_TraceRoute.m_strRaw);
    return out;
}

DocumentStatus LoadDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record)
{
    ArchiveStringReader reader(bytes);
    if (!reader.ReadString(versions.m_strVersion1) || !reader.ReadString(versions.m_strVersion2) ||
        !reader.ReadString(record.m_RateFrame.m_strRaw) ||
        !reader.ReadString(record.m_Graph.m_strRaw) || !reader.ReadString(record.m_Ping.m_strRaw))
        return DocumentStatus::Truncated;
    if (versions.m_strVersion1 == kVersion1Older) {
        record.m_TraceRoute.m_strRaw.clear();
        return DocumentStatus::Ok;
    }
    return reader.ReadString(record.m_TraceRoute.m_strRaw) ? DocumentStatus::Ok
                                                           : DocumentStatus::Truncated;
}

void ParseDocumentSections(TestRecord& record)
{
    record.m_RateFrame.ParseRateFrame();
    record.m_Graph.ParseGraph();
    record.m_Ping.ParsePing();
    record.m_TraceRoute.ParseTraceRoute();
}

DocumentStatus OpenDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record)
{
    DocumentVersions read;
    TestRecord loaded;
    const DocumentStatus status = LoadDocument(bytes, read, loaded);
    if (status != DocumentStatus::Ok)
        return status;
    if (!read.IsAccepted())
        return DocumentStatus::UnknownVersion;
    ParseDocumentSections(loaded);
    versions = std::move(read);
    record = std::move(loaded);
    return DocumentStatus::Ok;
}
