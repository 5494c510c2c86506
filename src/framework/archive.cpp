#include "framework/archive.h"

#include "records/archivestring.h"

#include <QtGlobal>

#include <utility>

CArchive::CArchive(std::string bytes) : m_bStoring(false), m_bytes(std::move(bytes)) {}

CArchive& CArchive::operator<<(std::string_view text)
{
    Q_ASSERT(m_bStoring);
    AppendArchiveString(m_bytes, text);
    return *this;
}

CArchive& CArchive::operator>>(std::string& text)
{
    Q_ASSERT(!m_bStoring);
    if (!IsOk())
        return *this;
    ArchiveStringReader reader(Remaining());
    std::string read;
    if (!reader.ReadString(read)) {
        Fail(DocumentStatus::Truncated);
        return *this;
    }
    m_nReadPos += reader.Position();
    text = std::move(read);
    return *this;
}

void CArchive::Write(std::string_view bytes)
{
    Q_ASSERT(m_bStoring);
    m_bytes.append(bytes);
}

std::string_view CArchive::Remaining() const
{
    return std::string_view(m_bytes).substr(m_nReadPos);
}

void CArchive::Fail(DocumentStatus status)
{
    if (IsOk())
        m_status = status;
}
