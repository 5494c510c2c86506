#pragma once

#include <QString>
#include <QStringList>

// The most recently opened or saved files, most recent first, kept in the
// settings (section "Recent File List", values "File1", "File2", ...) so
// that the next start shows them too. Every change is written at once.
class CRecentFileList
{
public:
    static constexpr int kDefaultSize = 4;

    explicit CRecentFileList(int nSize = kDefaultSize);

    // Reads the list the settings hold; entries beyond the size are dropped.
    void ReadList();

    // Puts the file first, once; the oldest entry falls off beyond the size.
    void Add(const QString& strPath);
    // Forgets entry nIndex (0 = the most recent); nothing for another index.
    void Remove(int nIndex);

    const QStringList& Files() const { return m_astrFiles; }
    int Size() const { return m_nSize; }

private:
    void WriteList() const;

    int m_nSize;
    QStringList m_astrFiles;
};
