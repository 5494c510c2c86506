#pragma once

#include "app/portchoice.h"
#include "framework/guibutton.h"
#include "framework/guicomboboxext.h"
#include "framework/guiedit.h"
#include "framework/guigroupbox.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

// The Communication settings dialog: the port the tester is on, the
// seconds the download waits for its prompt, and whether downloads keep a
// session log and where. The caller sets the values, runs it, and reads
// them back when it ends with OK.
class CCommSettingsDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kDialogId = 141;
    static constexpr int kMaxTimeout = 32767;

    explicit CCommSettingsDlg(QWidget* pParent = nullptr,
                              QStringList astrDevices = FindSerialDevices());

    int exec() override;
    void accept() override;

    int m_nComPort = 2;
    QString m_strDevice; // a device path or the demo tester; empty for the port number
    int m_nTimeout = 10;
    bool m_bKeepLog = false;
    QString m_strLogFolder;

    CGuiComboBoxExt& PortBox() { return m_wndPort; }
    CGuiEdit& TimeoutEdit() { return m_wndTimeout; }
    QCheckBox& KeepLogCheck() { return m_wndKeepLog; }
    CGuiEdit& LogFolderEdit() { return m_wndLogFolder; }
    QPushButton& BrowseButton() { return m_btnBrowse; }

private:
    void OnInitDialog();
    // Reads the edit into m_nTimeout; false, after telling the user, when it
    // holds no number the download can wait for.
    bool ExchangeTimeout();
    void OnBrowseLogFolder();
    void EnableLogFolder();

    QStringList m_astrDevices;
    QList<PortEntry> m_entries;
    CGuiGroupBox m_wndTimeoutGroup; // 1047
    CGuiGroupBox m_wndPortGroup;    // 1046
    CGuiEdit m_wndTimeout;          // 1045
    CGuiButton m_btnOk;
    CGuiComboBoxExt m_wndPort; // 1044
    CGuiGroupBox m_wndLogGroup;
    QCheckBox m_wndKeepLog; // 1052
    CGuiEdit m_wndLogFolder;
    QPushButton m_btnBrowse;
};
