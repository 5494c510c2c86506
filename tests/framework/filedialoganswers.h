#pragma once

#include "framework/filedialog.h"

#include <QList>
#include <QString>

#include <deque>
#include <utility>

// Answers the program's file dialogs during a test and keeps what they
// asked. A dialog with no answer queued is cancelled.
class CFileDialogAnswers
{
public:
    CFileDialogAnswers()
    {
        m_previous = SetFileDialogResponder([this](const FileDialogRequest& request) {
            m_requests << request;
            if (m_answers.empty())
                return QString();
            QString strAnswer = std::move(m_answers.front());
            m_answers.pop_front();
            return strAnswer;
        });
    }
    ~CFileDialogAnswers() { SetFileDialogResponder(std::move(m_previous)); }
    CFileDialogAnswers(const CFileDialogAnswers&) = delete;
    CFileDialogAnswers& operator=(const CFileDialogAnswers&) = delete;

    void QueueAnswer(const QString& strPath) { m_answers.push_back(strPath); }
    const QList<FileDialogRequest>& Requests() const { return m_requests; }

private:
    QList<FileDialogRequest> m_requests;
    std::deque<QString> m_answers;
    FileDialogResponder m_previous;
};
