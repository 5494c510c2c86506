#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// What a message box asks.
struct MessageBoxRequest
{
    QString m_strText;
    QString m_strCaption;
    QMessageBox::StandardButtons m_buttons;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
};

using MessageBoxResponder = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;

// The program's modal message box, on the UI thread only. The caption is the
// program's name unless one is given; the parent is the active window unless
// one is given. Returns the button pressed (Escape gives the cancel-like one).
QMessageBox::StandardButton AfxMessageBox(const QString& strText,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                          QMessageBox::Icon icon = QMessageBox::NoIcon,
                                          QWidget* pParent = nullptr,
                                          const QString& strCaption = QString());
// The same with a string of the resource pack.
QMessageBox::StandardButton AfxMessageBox(int nStringId,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                          QMessageBox::Icon icon = QMessageBox::NoIcon,
                                          QWidget* pParent = nullptr);

// Lets tests answer message boxes instead of a person; an empty responder
// brings the real boxes back. Returns the responder it replaces.
MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder);

// The caption of the program's message boxes.
inline constexpr const char* kProgramName = "LMX-4410";
