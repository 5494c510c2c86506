#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

// The pages of a PDF that Qt wrote: its page objects are never compressed.
inline int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    int nPages = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
        ++nPages;
    return nPages;
}
