#pragma once

#include "records/documentfile.h"

#include <string>
#include <string_view>

// The bytes of a document file as a document's Serialize sees them: storing
// collects what the file is to hold, loading reads what it holds. Byte
// strings go in and out in the file's length-prefixed string encoding.
//
// Nothing is thrown: a Serialize that finds the bytes wanting marks the
// archive failed, and the framework reports that and fails the open.
class CArchive
{
public:
    // An archive for storing, empty.
    CArchive() = default;
    // An archive for loading the given bytes.
    explicit CArchive(std::string bytes);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    CArchive& operator<<(std::string_view text);
    // A string the remaining bytes do not hold in full leaves text as it was
    // and fails the archive as truncated; once failed, nothing more is read.
    CArchive& operator>>(std::string& text);

    // Storing: bytes a codec has already encoded, as they are.
    void Write(std::string_view bytes);
    // Loading: the bytes not read yet.
    std::string_view Remaining() const;
    // Storing: everything written so far.
    const std::string& Bytes() const { return m_bytes; }

    void Fail(DocumentStatus status);
    DocumentStatus Status() const { return m_status; }
    bool IsOk() const { return m_status == DocumentStatus::Ok; }

private:
    bool m_bStoring = true;
    std::string m_bytes;
    std::size_t m_nReadPos = 0;
    DocumentStatus m_status = DocumentStatus::Ok;
};
