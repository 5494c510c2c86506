#include "messageboxrecorder.h"

CMessageBoxRecorder::CMessageBoxRecorder()
{
    m_previous = SetMessageBoxResponder(
        [this](const MessageBoxRequest& request) { return Answer(request); });
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    SetMessageBoxResponder(m_previous);
}

QStringList CMessageBoxRecorder::Texts() const
{
    QStringList texts;
    for (const MessageBoxRequest& request : m_requests)
        texts << request.m_strText;
    return texts;
}

QMessageBox::StandardButton CMessageBoxRecorder::Answer(const MessageBoxRequest& request)
{
    m_requests << request;
    if (!m_answers.empty()) {
        const QMessageBox::StandardButton answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    for (QMessageBox::StandardButton button :
         {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Save})
        if (request.m_buttons.testFlag(button))
            return button;
    return QMessageBox::NoButton;
}
