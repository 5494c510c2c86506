#pragma once

#include "app/korvoapp.h"
#include "framework/filedialog.h"
#include "messageboxrecorder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A started program whose file dialogs answer m_strAnswer (empty: Cancel)
// and keep what they were asked, for the commands that export a day's DBs.
class CDayExportTest : public testing::Test
{
protected:
    CDayExportTest()
    {
        EXPECT_TRUE(m_app.InitInstance({"lmx4410"}));
        m_previous = SetFileDialogResponder([this](const FileDialogRequest& request) {
            m_requests.push_back(request);
            return m_strAnswer;
        });
    }
    ~CDayExportTest() override
    {
        SetFileDialogResponder(m_previous);
        m_app.ExitInstance();
    }

    // DB nDb holds a test (a valid ping) with this user information.
    void HoldTest(int nDb, const std::string& strUserInfo)
    {
        TestRecord& record = m_app.m_Records[static_cast<std::size_t>(nDb)];
        record.m_Ping.m_bValid = 1;
        record.m_Ping.m_strRaw = "Y:0:4:4:0:9:8:8;";
        record.m_RateFrame.m_strUserInfo = strUserInfo;
    }

    CMessageBoxRecorder m_boxes;
    CKorvoApp m_app;
    QTemporaryDir m_folder;
    FileDialogResponder m_previous;
    std::vector<FileDialogRequest> m_requests;
    QString m_strAnswer;
};
