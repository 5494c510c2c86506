#pragma once

#include <QString>

#include <functional>

class QWidget;

// What a file dialog asks.
struct FileDialogRequest
{
    bool m_bSave = false;   // a name to save under; otherwise an existing file to open
    bool m_bFolder = false; // an existing folder instead of a file
    QString m_strCaption;
    QString m_strFilter;        // "Test documents (*.lmx);;All files (*)"
    QString m_strDefaultSuffix; // "lmx": added to a name typed without one
    QString m_strInitialPath;   // the folder or the file proposed
};

using FileDialogResponder = std::function<QString(const FileDialogRequest&)>;

// The program's file dialog, on the UI thread only. Returns the chosen path,
// or an empty text when the user cancels. Saving over an existing file asks
// first.
QString AfxPromptFileName(const FileDialogRequest& request, QWidget* pParent = nullptr);

// Lets tests choose files instead of a person; an empty responder brings the
// real dialog back. Returns the responder it replaces.
FileDialogResponder SetFileDialogResponder(FileDialogResponder responder);
