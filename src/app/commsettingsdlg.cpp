#include "app/commsettingsdlg.h"

#include "framework/filedialog.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPortLabel = 1048;
constexpr int kTimeoutLabel = 1049;
constexpr int kDemoEntry = 1050;
constexpr int kPortHint = 1051;
constexpr int kKeepLogCheck = 1052;
constexpr int kLogFolderLabel = 1053;
constexpr int kBrowseButton = 1054;
constexpr int kLogHint = 1055;
constexpr int kCancelButton = 2;

QString DialogText(int nControl)
{
    return AfxGetResourceHandle().DialogText(CCommSettingsDlg::kDialogId, nControl);
}

} // namespace

CCommSettingsDlg::CCommSettingsDlg(QWidget* pParent, QStringList astrDevices)
    : QDialog(pParent), m_astrDevices(std::move(astrDevices))
{
    setWindowTitle(DialogText(0));
    m_wndPort.setObjectName(QStringLiteral("1044"));
    m_wndTimeout.setObjectName(QStringLiteral("1045"));
    m_wndPortGroup.setObjectName(QStringLiteral("1046"));
    m_wndTimeoutGroup.setObjectName(QStringLiteral("1047"));
    m_btnOk.setObjectName(QStringLiteral("1"));

    auto* pPortLayout = new QFormLayout(&m_wndPortGroup);
    auto* pPortLabel = new QLabel(DialogText(kPortLabel));
    pPortLabel->setBuddy(&m_wndPort);
    pPortLayout->addRow(pPortLabel, &m_wndPort);
    auto* pHint = new QLabel(DialogText(kPortHint));
    pHint->setWordWrap(true);
    pHint->setForegroundRole(QPalette::PlaceholderText);
    pPortLayout->addRow(pHint);

    auto* pTimeoutLayout = new QFormLayout(&m_wndTimeoutGroup);
    auto* pTimeoutLabel = new QLabel(DialogText(kTimeoutLabel));
    pTimeoutLabel->setBuddy(&m_wndTimeout);
    pTimeoutLayout->addRow(pTimeoutLabel, &m_wndTimeout);

    m_wndKeepLog.setText(DialogText(kKeepLogCheck));
    m_btnBrowse.setText(DialogText(kBrowseButton));
    auto* pLogLayout = new QFormLayout(&m_wndLogGroup);
    pLogLayout->addRow(&m_wndKeepLog);
    auto* pFolderRow = new QHBoxLayout;
    pFolderRow->addWidget(&m_wndLogFolder, 1);
    pFolderRow->addWidget(&m_btnBrowse);
    auto* pFolderLabel = new QLabel(DialogText(kLogFolderLabel));
    pFolderLabel->setBuddy(&m_wndLogFolder);
    pLogLayout->addRow(pFolderLabel, pFolderRow);
    auto* pLogHint = new QLabel(DialogText(kLogHint));
    pLogHint->setWordWrap(true);
    pLogHint->setForegroundRole(QPalette::PlaceholderText);
    pLogLayout->addRow(pLogHint);
    connect(&m_wndKeepLog, &QCheckBox::toggled, this, &CCommSettingsDlg::EnableLogFolder);
    connect(&m_btnBrowse, &QPushButton::clicked, this, &CCommSettingsDlg::OnBrowseLogFolder);

    auto* pButtons = new QDialogButtonBox;
    pButtons->addButton(&m_btnOk, QDialogButtonBox::AcceptRole);
    QPushButton* pCancel = pButtons->addButton(QDialogButtonBox::Cancel);
    if (const QString strCancel = DialogText(kCancelButton); !strCancel.isEmpty())
        pCancel->setText(strCancel);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CCommSettingsDlg::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CCommSettingsDlg::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(&m_wndPortGroup);
    pLayout->addWidget(&m_wndTimeoutGroup);
    pLayout->addWidget(&m_wndLogGroup);
    // Height the wrapped hints leave over goes below the groups, not into them.
    pLayout->addStretch(1);
    pLayout->addWidget(pButtons);
    m_wndPort.setMinimumContentsLength(24);
    // Wide enough that the hint never breaks a device path, in any font size.
    setMinimumWidth(std::max(480, fontMetrics().averageCharWidth() * 72));
}

int CCommSettingsDlg::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void CCommSettingsDlg::OnInitDialog()
{
    m_btnOk.SetCaption(QStringLiteral("&Ok"));
    m_btnOk.SetStyleBorder(3);
    m_btnOk.setDefault(true);
    m_wndPortGroup.setTitle(LoadResString(IDS_SETTINGS_PORT_GROUP));
    m_wndPortGroup.SetStyle(0);
    m_wndTimeoutGroup.setTitle(LoadResString(IDS_SETTINGS_TIMEOUT_GROUP));
    m_wndTimeoutGroup.SetStyle(0);

    const QString strDemo = DialogText(kDemoEntry);
    m_entries = PortEntries(m_astrDevices, strDemo);
    m_wndPort.clear();
    for (const PortEntry& entry : m_entries)
        m_wndPort.AddString(entry.m_strText);
    // The current port is shown as text; no item is chosen until the user does.
    m_wndPort.SetWindowText(PortText(PortSetting{m_nComPort, m_strDevice}, strDemo));
    m_wndTimeout.setText(QString::number(m_nTimeout));
    m_wndLogGroup.setTitle(LoadResString(IDS_SETTINGS_LOG_GROUP));
    m_wndLogGroup.SetStyle(0);
    m_wndKeepLog.setChecked(m_bKeepLog);
    m_wndLogFolder.setText(QDir::toNativeSeparators(m_strLogFolder));
    EnableLogFolder();
    // The titles and texts are in now: the dialog takes the height they need
    // at its width (the wrapped hints need fewer lines than at their own).
    adjustSize();
    resize(width(), layout()->totalHeightForWidth(width()));
    m_wndPort.setFocus();
}

void CCommSettingsDlg::accept()
{
    if (!ExchangeTimeout())
        return;
    const PortSetting port = PortFromChoice(m_wndPort.GetCurSel(), m_wndPort.GetWindowText(),
                                            m_entries, PortSetting{m_nComPort, m_strDevice});
    m_nComPort = port.m_nComPort;
    m_strDevice = port.m_strDevice;
    m_bKeepLog = m_wndKeepLog.isChecked();
    // A folder cleared by hand falls back to the one the caller proposed.
    if (const QString strFolder = m_wndLogFolder.text().trimmed(); !strFolder.isEmpty())
        m_strLogFolder = QDir::fromNativeSeparators(strFolder);
    QDialog::accept();
}

bool CCommSettingsDlg::ExchangeTimeout()
{
    bool bNumber = false;
    const int nTimeout = m_wndTimeout.text().trimmed().toInt(&bNumber);
    if (!bNumber) {
        AfxMessageBox(LoadResString(IDS_ENTER_INTEGER), QMessageBox::Ok, QMessageBox::Warning,
                      this);
    } else if (nTimeout < 0 || nTimeout > kMaxTimeout) {
        // A negative wait would count up to years before giving up.
        AfxMessageBox(LoadResString(IDS_ENTER_INTEGER_IN).arg(0).arg(kMaxTimeout), QMessageBox::Ok,
                      QMessageBox::Warning, this);
    } else {
        m_nTimeout = nTimeout;
        return true;
    }
    m_wndTimeout.setFocus();
    m_wndTimeout.selectAll();
    return false;
}

void CCommSettingsDlg::EnableLogFolder()
{
    m_wndLogFolder.setEnabled(m_wndKeepLog.isChecked());
    m_btnBrowse.setEnabled(m_wndKeepLog.isChecked());
}

void CCommSettingsDlg::OnBrowseLogFolder()
{
    FileDialogRequest request;
    request.m_bFolder = true;
    request.m_strCaption = LoadResString(IDS_SESSION_LOG_FOLDER_TITLE);
    request.m_strInitialPath = QDir::fromNativeSeparators(m_wndLogFolder.text().trimmed());
    if (const QString strFolder = AfxPromptFileName(request, this); !strFolder.isEmpty())
        m_wndLogFolder.setText(QDir::toNativeSeparators(strFolder));
}
