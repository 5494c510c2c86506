#include "app/aboutdlg.h"

#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

namespace {

constexpr int kProgramName = 1000;
constexpr int kVersion = 1001;
constexpr int kDescription = 1002;
constexpr int kCopyright = 1003;
constexpr int kIconSize = 48;

QString DialogText(int nControl)
{
    return AfxGetResourceHandle().DialogText(CAboutDlg::kDialogId, nControl);
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent)
{
    setWindowTitle(DialogText(0));
    auto* pIcon = new QLabel;
    pIcon->setPixmap(AfxGetResourceHandle().Icon(IDR_MAINFRAME).pixmap(kIconSize, kIconSize));
    pIcon->setAlignment(Qt::AlignTop);

    auto* pName = new QLabel(DialogText(kProgramName));
    QFont bold = pName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    pName->setFont(bold);
    auto* pVersion = new QLabel(DialogText(kVersion).arg(QCoreApplication::applicationVersion()));
    auto* pDescription = new QLabel(DialogText(kDescription));
    pDescription->setWordWrap(true);
    auto* pCopyright = new QLabel(DialogText(kCopyright));

    m_btnOk.setObjectName(QStringLiteral("1"));
    m_btnOk.SetCaption(LoadResString(IDS_ABOUT_OK));
    m_btnOk.SetStyleBorder(3);
    m_btnOk.setDefault(true);
    connect(&m_btnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* pLayout = new QGridLayout(this);
    pLayout->addWidget(pIcon, 0, 0, 4, 1);
    pLayout->addWidget(pName, 0, 1);
    pLayout->addWidget(pVersion, 1, 1);
    pLayout->addWidget(pDescription, 2, 1);
    pLayout->addWidget(pCopyright, 3, 1);
    pLayout->addWidget(&m_btnOk, 4, 1, Qt::AlignRight);
    pLayout->setColumnMinimumWidth(1, 320);
    pLayout->setHorizontalSpacing(16);
}
