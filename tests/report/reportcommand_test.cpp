// lmxtool report: the JSON layout listing, PDF and PNG output, exit codes.

#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "simulator/sampleset.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReportCommandTest : public testing::Test
{
protected:
    QString Path(const QString& name) const { return m_Dir.filePath(name); }

    QString Document(const TestRecord& record, const DocumentVersions& versions = {}) const
    {
        const QString path = Path(QString("db%1.lmx").arg(++m_nDocuments));
        EXPECT_EQ(WriteFileAtomically(path.toStdString(), StoreDocument(versions, record)),
                  DocumentStatus::Ok);
        return path;
    }

    // Exit code, with stdout and stderr.
    int Run(QStringList args, QByteArray* out = nullptr, QByteArray* err = nullptr) const
    {
        QProcess tool;
        tool.start(QStringLiteral(LMX_TOOLS_DIR "/lmxtool"), QStringList{"report"} + args);
        tool.waitForFinished(60000);
        if (out)
            *out = tool.readAllStandardOutput();
        if (err)
            *err = tool.readAllStandardError();
        return tool.exitCode();
    }

    QTemporaryDir m_Dir;
    mutable int m_nDocuments = 0;
};

TEST_F(ReportCommandTest, LayoutListsEveryElementOfEveryPage)
{
    TestRecord record = SampleWlanRecord();
    record.m_RateFrame.m_strRaw += "\xE9"; // a Latin-1 byte in the user information
    QByteArray out;
    ASSERT_EQ(Run({Document(record), "--layout"}, &out), 0);
    const QJsonObject layout = QJsonDocument::fromJson(out).object();

    EXPECT_EQ(layout["pageCount"].toInt(), 2);
    const QJsonArray fonts = layout["fonts"].toArray();
    ASSERT_EQ(fonts.size(), 4);
    EXPECT_GT(fonts[2].toObject()["aveCharWidth"].toInt(), 0);
    EXPECT_GT(fonts[2].toObject()["lineHeight"].toInt(), 0);
    const QJsonArray pages = layout["pages"].toArray();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].toArray()[0].toObject(),
              (QJsonObject{{"class", "CTextBox"},
                           {"rect", QJsonArray{64, 51, 2032, 251}},
                           {"font", 0},
                           {"format", 1},
                           {"text", "WLAN TEST Report"}}));
    QStringList classes;
    QStringList texts;
    for (const auto& element : pages[0].toArray()) {
        classes << element.toObject()["class"].toString();
        texts << element.toObject()["text"].toString();
        if (classes.last() == "CAnt") {
            EXPECT_EQ(element.toObject()["bars"].toInt(), 3);
        }
    }
    EXPECT_EQ(classes.count("CHline"), 2);
    EXPECT_EQ(classes.count("CAnt"), 1);
    EXPECT_EQ(texts.last(), "Page: 1 of 2");
    EXPECT_TRUE(texts.contains(QString("Cafe hotspot") + QChar(0xE9)));
    EXPECT_EQ(pages[1].toArray().last().toObject()["text"].toString(), "Page: 2 of 2");

    ASSERT_EQ(Run({Document(SampleAdslRecord()), "--layout"}, &out), 0);
    const QJsonArray adslPage =
        QJsonDocument::fromJson(out).object()["pages"].toArray()[0].toArray();
    int charts = 0;
    for (const auto& element : adslPage) {
        if (element.toObject()["class"] == "CChart") {
            ++charts;
            EXPECT_EQ(element.toObject()["values"].toArray().size(), 256);
        }
    }
    EXPECT_EQ(charts, 1);
}

TEST_F(ReportCommandTest, WritesPdfAndPngPages)
{
    const QString document = Document(SampleVdslRecord());
    ASSERT_EQ(Run({document, "--pdf", Path("out.pdf"), "--png", Path("page")}), 0);
    QFile pdf(Path("out.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/MediaBox [0 0 612.000000 792.000000]"), 2); // two US-Letter pages
    EXPECT_EQ(QImage(Path("page-1.png"), "PNG").size(), QSize(1275, 1650));
    EXPECT_EQ(QImage(Path("page-2.png"), "PNG").size(), QSize(1275, 1650));
    EXPECT_FALSE(QFile::exists(Path("page-3.png")));

    ASSERT_EQ(Run({document, "--png", Path("small"), "--dpi", "72"}), 0);
    EXPECT_EQ(QImage(Path("small-1.png")).size(), QSize(612, 792));
}

TEST_F(ReportCommandTest, ExitCodes)
{
    const QString good = Document(SampleAdslRecord());
    DocumentVersions foreign;
    foreign.m_strVersion1 = "0x12345678";
    const QString unknown = Document(SampleAdslRecord(), foreign);
    const std::pair<QStringList, int> cases[] = {{{}, 2},
                                                 {{good}, 2},
                                                 {{"--layout"}, 2},
                                                 {{good, "--layout", "extra"}, 2},
                                                 {{good, "--pdf"}, 2},
                                                 {{good, "--png", Path("p"), "--dpi", "0"}, 2},
                                                 {{good, "--png", Path("p"), "--dpi", "72x"}, 2},
                                                 {{good, "--layout", "--dpi", "72"}, 2},
                                                 {{Path("missing.lmx"), "--layout"}, 1},
                                                 {{unknown, "--layout"}, 1},
                                                 {{good, "--pdf", Path("no/such/dir/out.pdf")}, 1},
                                                 {{good, "--layout"}, 0}};
    for (const auto& [args, exitCode] : cases) {
        QByteArray err;
        EXPECT_EQ(Run(args, nullptr, &err), exitCode) << args.join(' ').toStdString();
        EXPECT_EQ(err.contains("lmxtool: "), exitCode != 0) << args.join(' ').toStdString();
    }
}

} // namespace
