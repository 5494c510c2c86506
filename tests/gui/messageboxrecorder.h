#pragma once

#include "framework/messagebox.h"

#include <QList>

#include <deque>

// Answers the program's message boxes during a test and keeps what they
// asked. Unless told otherwise a box is answered with its first button
// (OK, Yes, Save), as pressing Enter would.
class CMessageBoxRecorder
{
public:
    CMessageBoxRecorder();
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    // The answers to the next boxes, in order.
    void QueueAnswer(QMessageBox::StandardButton answer) { m_answers.push_back(answer); }

    const QList<MessageBoxRequest>& Requests() const { return m_requests; }
    QStringList Texts() const;
    void Clear() { m_requests.clear(); }

private:
    QMessageBox::StandardButton Answer(const MessageBoxRequest& request);

    QList<MessageBoxRequest> m_requests;
    std::deque<QMessageBox::StandardButton> m_answers;
    MessageBoxResponder m_previous;
};
