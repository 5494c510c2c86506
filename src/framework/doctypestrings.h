#pragma once

#include <QString>
#include <QStringList>

// The document type string of a template: seven fields separated by line
// feeds (window title, document name, File New name, file dialog filter
// name, file extensions, file type id, file type name), as the resource pack
// holds it. Fields the pack leaves empty get sensible values.
class CDocTypeStrings
{
public:
    enum Index
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    explicit CDocTypeStrings(const QString& strResource = QString());

    // The field as the pack has it; empty when it has none.
    QString Get(Index nIndex) const;

    // The base of untitled documents' names ("Report" gives "Report1").
    QString DocName() const;
    // With the dot: ".lmx". The first one when the field lists several
    // (".lmx;.lmy").
    QString DefaultExtension() const;
    // Without the dot, for a file dialog: "lmx".
    QString DefaultSuffix() const;
    // The template's files, then all files: "Test documents (*.lmx);;All files (*)".
    QString FileDialogFilter() const;

private:
    QStringList m_astrFields;
};
