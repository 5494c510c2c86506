#pragma once

#include "records/testrecord.h"

#include <string>
#include <string_view>

// A document file holds one record: two version texts, then the raw texts of
// the rate/frame, graph, ping and trace route sections as archive strings.
// Files of the older format have no trace route text.
inline constexpr const char* kVersion1Current = "0x09090910";
inline constexpr const char* kVersion2Current = "0x07070770";
inline constexpr const char* kVersion1Older = "0x09090909";
inline constexpr const char* kVersion2Older = "0x07070707";

struct DocumentVersions
{
    std::string m_strVersion1 = kVersion1Current;
    std::string m_strVersion2 = kVersion2Current;

    bool IsAccepted() const;
    bool operator==(const DocumentVersions&) const = default;
};

enum class DocumentStatus
{
    Ok,
    CannotRead,     // the file could not be opened or read
    Truncated,      // the file ends before the strings its version calls for
    UnknownVersion, // read in full, but the version pair is not ours
    CannotWrite,    // saving failed; the previous file is left as it was
};

// The six strings of a document: the versions as they stand and the four raw texts.
std::string StoreDocument(const DocumentVersions& versions, const TestRecord& record);

// Reads the strings into versions and the record's raw texts (five strings
// when the first version text is the older one, six otherwise); bytes after
// them are ignored. The version pair is not checked here.
DocumentStatus LoadDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record);

// Rebuilds every parsed field from the raw texts, in the order File Open
// uses: rate/frame, graph, ping, trace route.
void ParseDocumentSections(TestRecord& record);

// What File Open does: read, check the version pair, then parse the four
// sections of a fresh record. On any failure neither the versions nor the
// record change.
DocumentStatus OpenDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record);
