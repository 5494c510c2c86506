#include "framework/messagebox.h"

#include "framework/langpack.h"

#include <QApplication>
#include <QThread>

#include <utility>

namespace {

MessageBoxResponder& Responder()
{
    static MessageBoxResponder responder;
    return responder;
}

} // namespace

QMessageBox::StandardButton AfxMessageBox(const QString& strText,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::Icon icon, QWidget* pParent,
                                          const QString& strCaption)
{
    Q_ASSERT(QThread::currentThread() == qApp->thread());
    MessageBoxRequest request{strText, strCaption.isEmpty() ? QString(kProgramName) : strCaption,
                              buttons, icon};
    if (Responder())
        return Responder()(request);

    QMessageBox box(icon, request.m_strCaption, strText, buttons,
                    pParent ? pParent : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton AfxMessageBox(int nStringId, QMessageBox::StandardButtons buttons,
                                          QMessageBox::Icon icon, QWidget* pParent)
{
    return AfxMessageBox(LoadResString(nStringId), buttons, icon, pParent);
}

MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder)
{
    return std::exchange(Responder(), std::move(responder));
}
