// Report documents and their files: what a saved document holds, which
// files open and which are refused (and with which message), that saving
// and opening again gives the same record and report, and the stored
// layouts and pages of the sample reports.
//
// The stored layouts and pages live in tests/data/golden. After a deliberate
// change of the report, write them again with
//     LMX_REGENERATE_GOLDEN=1 ./reportdoc_tests --gtest_filter='*Golden*'
// and look at the new pages before committing them.

#include "app/korvodoc.h"
#include "app/korvoview.h"
#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "records/archivestring.h"
#include "reportsupport.h"
#include "simulator/sampleset.h"
#include "tools/reportlayoutjson.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Strings(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts)
        AppendArchiveString(out, text);
    return out;
}

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& strPath, const std::string& bytes)
{
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A DB as a finished download leaves it: raw texts and parsed fields.
TestRecord DownloadedRecord(int nDb)
{
    TestRecord record = BuiltInSampleSet()[static_cast<std::size_t>(nDb)];
    record.ParseAll();
    return record;
}

class KorvoDocTest : public testing::Test
{
protected:
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }
    std::unique_ptr<CKorvoDoc> NewDocument(const TestRecord* pSelected)
    {
        m_context.m_pSelected = pSelected;
        auto pDocument = std::make_unique<CKorvoDoc>(m_context);
        EXPECT_TRUE(pDocument->OnNewDocument());
        return pDocument;
    }
    std::unique_ptr<CKorvoDoc> OpenDocument(const QString& strPath, bool bExpectOpen = true)
    {
        auto pDocument = std::make_unique<CKorvoDoc>(m_context);
        EXPECT_EQ(pDocument->OnOpenDocument(strPath), bExpectOpen) << strPath.toStdString();
        return pDocument;
    }

    QTemporaryDir m_dir;
    CFakeKorvoContext m_context;
    CMessageBoxRecorder m_boxes;
};

TEST_F(KorvoDocTest, SavedEmptyRecordIsTheTwoVersionsAndFourEmptyTexts)
{
    const auto pDocument = NewDocument(nullptr);
    ASSERT_TRUE(pDocument->OnSaveDocument(Path("empty.lmx")));
    EXPECT_EQ(ReadAll(Path("empty.lmx")), QByteArray("\x0A"
                                                     "0x09090910"
                                                     "\x0A"
                                                     "0x07070770\0\0\0\0",
                                                     26));
}

TEST_F(KorvoDocTest, NewDocumentCopiesTheSelectedRecordAsItIsWithoutParsingAgain)
{
    TestRecord selected = DownloadedRecord(1);
    // A parsed field the raw text does not give: only a copy keeps it.
    selected.m_RateFrame.m_strUserInfo = "kept as downloaded";
    const auto pDocument = NewDocument(&selected);
    ASSERT_EQ(pDocument->m_pRecord->m_RateFrame.m_strUserInfo, "kept as downloaded");
    EXPECT_EQ(pDocument->m_Report.GetPageCount(), 2);

    selected.m_Ping.m_strRaw = "changed later";
    EXPECT_NE(pDocument->m_pRecord->m_Ping.m_strRaw, "changed later");

    // With no DB chosen the document starts from the empty record.
    const auto pEmpty = NewDocument(nullptr);
    EXPECT_EQ(*pEmpty->m_pRecord, TestRecord{});
    EXPECT_EQ(pEmpty->Versions(), DocumentVersions{});
    EXPECT_EQ(pEmpty->m_Report.GetPageCount(), 2);
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

const std::string kCur1 = kVersion1Current, kCur2 = kVersion2Current;
const std::string kOld1 = kVersion1Older, kOld2 = kVersion2Older;

enum class Outcome
{
    Opens,
    NotOurs,    // message 58203
    Unreadable, // the framework's message, naming the file
};

struct OpenCase
{
    const char* name;
    std::string bytes;
    Outcome outcome;
    const char* traceRoute = "";
};

class KorvoDocOpenTest : public KorvoDocTest, public testing::WithParamInterface<OpenCase>
{
};

TEST_P(KorvoDocOpenTest, ChecksTheVersionsAfterReadingAndSaysWhatIsWrong)
{
    const QString strPath = Path("case.lmx");
    WriteAll(strPath, GetParam().bytes);
    const auto pDocument = OpenDocument(strPath, GetParam().outcome == Outcome::Opens);
    switch (GetParam().outcome) {
    case Outcome::Opens:
        EXPECT_TRUE(m_boxes.Requests().isEmpty());
        EXPECT_EQ(pDocument->m_pRecord->m_RateFrame.m_strRaw, "Y:2");
        EXPECT_EQ(pDocument->m_pRecord->m_RateFrame.m_strOperationMode, "G.DMT");
        EXPECT_EQ(pDocument->m_pRecord->m_TraceRoute.m_strRaw, GetParam().traceRoute);
        EXPECT_EQ(pDocument->m_Report.GetPageCount(), 2);
        break;
    case Outcome::NotOurs:
        EXPECT_EQ(m_boxes.Texts(),
                  QStringList{FileFailureText(DocumentStatus::UnknownVersion, strPath)});
        break;
    case Outcome::Unreadable:
        ASSERT_EQ(m_boxes.Texts().size(), 1);
        EXPECT_TRUE(m_boxes.Texts()[0].startsWith(strPath));
        EXPECT_NE(m_boxes.Texts()[0], LoadResString(IDS_NOT_A_DOCUMENT));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, KorvoDocOpenTest,
    testing::Values(
        OpenCase{"current", Strings({kCur1, kCur2, "Y:2", "Y:a", "Y:2", "N:0"}), Outcome::Opens,
                 "N:0"},
        OpenCase{"older_five", Strings({kOld1, kOld2, "Y:2", "Y:a", "Y:2"}), Outcome::Opens},
        OpenCase{"older_sixth_ignored", Strings({kOld1, kOld2, "Y:2", "Y:a", "Y:2", "N:0"}),
                 Outcome::Opens},
        OpenCase{"older_first_current_second_read_as_five",
                 Strings({kOld1, kCur2, "Y:2", "Y:a", "Y:2"}), Outcome::NotOurs},
        OpenCase{"unknown_six", Strings({"0x09090911", kCur2, "", "", "", ""}), Outcome::NotOurs},
        OpenCase{"unknown_five_is_short", Strings({"0x09090911", kCur2, "", "", ""}),
                 Outcome::Unreadable},
        OpenCase{"current_cut_in_the_ping_text",
                 Strings({kCur1, kCur2, "Y:2", "Y:a", "Y:2"}).substr(0, 30), Outcome::Unreadable},
        OpenCase{"empty", "", Outcome::Unreadable}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KorvoDocTest, SavingAndOpeningAgainGivesTheSameRecordAndReport)
{
    const RecordTable table = BuiltInSampleSet();
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        SCOPED_TRACE("DB " + std::to_string(nDb));
        const TestRecord downloaded = DownloadedRecord(nDb);
        const auto pMade = NewDocument(&downloaded);
        const QString strPath = Path(QStringLiteral("db%1.lmx").arg(nDb));
        ASSERT_TRUE(pMade->OnSaveDocument(strPath));
        const auto pOpened = OpenDocument(strPath);
        EXPECT_EQ(*pOpened->m_pRecord, *pMade->m_pRecord);
        EXPECT_EQ(ReportLayoutJson(pOpened->m_Report), ReportLayoutJson(pMade->m_Report));
    }
}

TEST_F(KorvoDocTest, OlderFileIsSavedAgainWithItsOwnVersionsAndSixStrings)
{
    WriteAll(Path("old.lmx"), Strings({kOld1, kOld2, "Y:2", "Y:a", "Y:2"}));
    const auto pDocument = OpenDocument(Path("old.lmx"));
    ASSERT_TRUE(pDocument->OnSaveDocument(Path("again.lmx")));
    EXPECT_EQ(ReadAll(Path("again.lmx")).toStdString(),
              Strings({kOld1, kOld2, "Y:2", "Y:a", "Y:2", ""}));
}

TEST_F(KorvoDocTest, TwoOpensOfOneFileAreIndependentDocuments)
{
    const TestRecord downloaded = DownloadedRecord(4);
    ASSERT_TRUE(NewDocument(&downloaded)->OnSaveDocument(Path("db4.lmx")));
    const auto pFirst = OpenDocument(Path("db4.lmx"));
    const auto pSecond = OpenDocument(Path("db4.lmx"));
    ASSERT_NE(pFirst->m_pRecord, pSecond->m_pRecord);
    pFirst->m_pRecord->m_TraceRoute.m_astrHopIP[0] = "changed";
    pFirst->SetTitle("first");
    EXPECT_EQ(pSecond->m_pRecord->m_TraceRoute.m_astrHopIP[0],
              downloaded.m_TraceRoute.m_astrHopIP[0]);
    EXPECT_EQ(pFirst->DbTitle(), "first");
    EXPECT_EQ(pSecond->DbTitle(), "");
}

// ---- stored layouts and pages ----

bool RegenerateGolden()
{
    return qEnvironmentVariableIntValue("LMX_REGENERATE_GOLDEN") == 1;
}

QString GoldenPath(const QString& strName)
{
    return QStringLiteral(LMX_TEST_DATA_DIR "/golden/") + strName;
}

constexpr int kGoldenDpi = 50;
// Pixels whose grey differs by more than this count as different...
constexpr int kPixelTolerance = 64;
// ...and up to this share of them may (font rendering varies a little).
constexpr double kDifferentShare = 0.005;

double ShareOfDifferentPixels(const QImage& a, const QImage& b)
{
    qint64 nDifferent = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            nDifferent += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > kPixelTolerance;
    }
    return static_cast<double>(nDifferent) / (static_cast<double>(a.width()) * a.height());
}

// A page as the view prints it, on a white sheet.
QImage PrintedPage(CKorvoView& view, int nPage)
{
    const double nScale = kGoldenDpi / 254.0;
    QImage image(static_cast<int>(std::lround(CEasyReport::kPageWidth * nScale)),
                 static_cast<int>(std::lround(CEasyReport::kPageHeight * nScale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(nScale, nScale);
    CPrintInfo info;
    info.m_nCurPage = nPage + 1;
    view.OnPrint(painter, info);
    return image;
}

struct GoldenCase
{
    const char* name;
    int db;
};

class GoldenReportTest : public KorvoDocTest, public testing::WithParamInterface<GoldenCase>
{
};

TEST_P(GoldenReportTest, LayoutAndPagesMatchTheStoredOnes)
{
    const TestRecord downloaded = DownloadedRecord(GetParam().db);
    const auto pDocument = NewDocument(&downloaded);
    const QString strBase = QStringLiteral("report-%1").arg(GetParam().name);

    const QByteArray layout = QByteArray::fromStdString(ReportLayoutJson(pDocument->m_Report));
    EXPECT_NE(layout.indexOf("Date:  3/ 5/2024"), -1) << "the report is dated by its host";
    const QString strLayoutPath = GoldenPath(strBase + ".layout.json");
    if (RegenerateGolden()) {
        QDir().mkpath(GoldenPath(QString()));
        QFile file(strLayoutPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(layout + '\n');
    }
    EXPECT_EQ(layout + '\n', ReadAll(strLayoutPath)) << "see " << strLayoutPath.toStdString();

    // Drawing pages asks nothing of the application's printer.
    CKorvoView view(*pDocument, []() -> QPrinter& {
        ADD_FAILURE() << "the printer was asked for";
        static QPrinter unused(QPrinter::ScreenResolution);
        return unused;
    });
    for (int nPage = 0; nPage < 2; ++nPage) {
        const QImage page = PrintedPage(view, nPage);
        const QString strPagePath =
            GoldenPath(strBase + QStringLiteral("-page%1.png").arg(nPage + 1));
        if (RegenerateGolden()) {
            ASSERT_TRUE(page.save(strPagePath, "PNG"));
        }
        const QImage stored = QImage(strPagePath).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(stored.size(), page.size()) << strPagePath.toStdString();
        const double nShare = ShareOfDifferentPixels(stored, page);
        if (nShare > kDifferentShare) {
            const QString strActual = QDir::temp().filePath(QFileInfo(strPagePath).fileName());
            page.save(strActual, "PNG");
            ADD_FAILURE() << strPagePath.toStdString() << ": " << nShare * 100
                          << "% of the pixels differ; this run's page is "
                          << strActual.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenReportTest,
                         testing::Values(GoldenCase{"adsl", 1}, GoldenCase{"vdsl", 2},
                                         GoldenCase{"wlan", 3}, GoldenCase{"no-data", 5}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
