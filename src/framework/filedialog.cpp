#include "framework/filedialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QThread>

#include <utility>

namespace {

FileDialogResponder& Responder()
{
    static FileDialogResponder responder;
    return responder;
}

} // namespace

QString AfxPromptFileName(const FileDialogRequest& request, QWidget* pParent)
{
    Q_ASSERT(QThread::currentThread() == qApp->thread());
    if (Responder())
        return Responder()(request);
    if (request.m_bFolder)
        return QFileDialog::getExistingDirectory(pParent ? pParent : QApplication::activeWindow(),
                                                 request.m_strCaption, request.m_strInitialPath);

    QFileDialog dialog(pParent ? pParent : QApplication::activeWindow(), request.m_strCaption);
    dialog.setAcceptMode(request.m_bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.m_bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.m_strFilter.split(QStringLiteral(";;"), Qt::SkipEmptyParts));
    dialog.setDefaultSuffix(request.m_strDefaultSuffix);
    if (QFileInfo(request.m_strInitialPath).isDir())
        dialog.setDirectory(request.m_strInitialPath);
    else if (!request.m_strInitialPath.isEmpty())
        dialog.selectFile(request.m_strInitialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

FileDialogResponder SetFileDialogResponder(FileDialogResponder responder)
{
    return std::exchange(Responder(), std::move(responder));
}
