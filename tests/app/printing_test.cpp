#include "app/printing.h"
#include "chart/sheet.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/main_window.h"
#include "chart/chart_drawing.h"
#include "chart/picture.h"
#include "dialogs/messages.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// Runs a poppler tool on a PDF and returns its standard output.
QString popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    QString text;
    double xMin;
    double yMin;
};

// The words of the page with their boxes, in points from the paper's top-left corner.
std::vector<Word> wordsOf(const QString& pdf) {
    const QString html = popplerOutput(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    std::vector<Word> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

const Word* findWord(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words) {
        if (w.text == text) {
            return &w;
        }
    }
    return nullptr;
}

class Printing : public testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) are needed to read the PDF";
        }
        ASSERT_TRUE(directory.isValid());
        window.setPrintDialog([this](QPrinter& printer) {
            dialogOrientation = printer.pageLayout().orientation();
            dialogColour = printer.colorMode();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
    }
    void print() { window.findChild<QAction*>("mnuFileprint")->trigger(); }

    QTemporaryDir directory;
    QString pdf = directory.filePath(QStringLiteral("chart.pdf"));
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
    QPageLayout::Orientation dialogOrientation = QPageLayout::Portrait;
    QPrinter::ColorMode dialogColour = QPrinter::GrayScale;
};

// The print command goes through the same dialog step as the user's; here it prints to a PDF
// file. The page is A4 across, the picture at natural size with its corner 5 twips up and left
// of the printable area, the pressure line at that area's corner, all as text and vectors.
TEST_F(Printing, DrawnChartPrintsAtNaturalSizeWithThePressureLine) {
    window.findChild<QAction*>("mnuDrawW")->trigger();
    print();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(dialogOrientation, QPageLayout::Landscape) << "the dialog opens across";
    EXPECT_EQ(dialogColour, QPrinter::Color);

    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(R"(Pages:\s+1\n)"))))
        << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral(R"(Page size:\s+842 x 595 pts \(A4\))"))))
        << info.toStdString();

    const std::vector<Word> words = wordsOf(pdf);
    const Word* pressure = findWord(words, QStringLiteral("大気圧"));
    const Word* title = findWord(words, QStringLiteral("温度"));
    const Word* volume = findWord(words, QStringLiteral("比容積"));
    ASSERT_NE(pressure, nullptr);
    ASSERT_NE(title, nullptr);
    ASSERT_NE(volume, nullptr);
    EXPECT_NE(findWord(words, QStringLiteral("760")), nullptr);
    EXPECT_NE(findWord(words, QStringLiteral("mmHg")), nullptr);
    // "温度 t [℃]" stands at (104.15, 165) mm of the picture, "比容積 …" at (104.15, 175);
    // the pressure line at the printable area's corner, where the picture's corner would be
    // without its offset of −5 twips.
    const double offsetMm = -5.0 * 25.4 / 1440.0;
    EXPECT_NEAR(title->xMin - pressure->xMin, (104.15 + offsetMm) * kPointsPerMm, 0.3);
    EXPECT_NEAR(title->yMin - pressure->yMin, (165.0 + offsetMm) * kPointsPerMm, 0.3);
    EXPECT_NEAR(volume->yMin - title->yMin, 10.0 * kPointsPerMm, 0.3) << "1 mm is 1 mm";
    EXPECT_NEAR(volume->xMin, title->xMin, 0.3);
    // The printable area starts inside the paper's margin, not off the paper.
    EXPECT_GT(pressure->xMin, 0.0);
    EXPECT_GT(pressure->yMin, 0.0);
}

// Printed to a PDF and exported as one, the chart stands in the same place, centred on A4
// across at natural size: "温度 t [℃]" at (104.15, 165) mm of the picture lies at
// (15 + 104.15, 10.5 + 165) mm of the page. (The printer's page is 842 × 595 whole points, 0.1 mm
// less high than the exported one: the chart stands 0.05 mm higher there.)
TEST_F(Printing, PrintedAndExportedChartsStandAlike) {
    window.findChild<QAction*>("mnuDrawW")->trigger();
    print();
    const QString exported = directory.filePath(QStringLiteral("export.pdf"));
    ASSERT_TRUE(window.exportTo(exported));
    const std::vector<Word> printed = wordsOf(pdf);
    const std::vector<Word> other = wordsOf(exported);
    for (const char* text : {"温度", "比容積", "絶対湿度"}) {
        const Word* a = findWord(printed, QString::fromUtf8(text));
        const Word* b = findWord(other, QString::fromUtf8(text));
        ASSERT_NE(a, nullptr) << text;
        ASSERT_NE(b, nullptr) << text;
        EXPECT_NEAR(a->xMin, b->xMin, 0.2) << text;
        EXPECT_NEAR(a->yMin, b->yMin, 0.2) << text;
    }
    const Word* title = findWord(printed, QStringLiteral("温度"));
    EXPECT_NEAR(title->xMin, (15.0 + 104.15) * kPointsPerMm, 1.0);
    EXPECT_NEAR(title->yMin, (10.5 + 165.0) * kPointsPerMm, 1.0);
}

TEST_F(Printing, BeforeDrawingOnlyThePressureLineIsPrinted) {
    print();
    EXPECT_TRUE(messages.messages().empty());
    const QString text = popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_EQ(text.simplified(), QStringLiteral("大気圧 = 760 mmHg"));
}

TEST_F(Printing, ThePressureLineStatesTheSettingInUse) {
    window.applySettings({chart::Units::Engineering, *psychro::atmosphereFromMmHg(700.0)});
    print();
    const QString text = popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_EQ(text.simplified(), QStringLiteral("大気圧 = 700 mmHg"));
}

TEST_F(Printing, CancelPrintsNothingAndSaysNothing) {
    bool asked = false;
    window.setPrintDialog([&](QPrinter& printer) {
        asked = true;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return false;
    });
    window.findChild<QAction*>("mnuDrawW")->trigger();
    print();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(messages.messages().empty());
}

// A printer that cannot be opened is a failure the user hears of, not a silent success.
TEST_F(Printing, FailureToPrintIsReported) {
    const QString unreachable = directory.filePath(QStringLiteral("missing/folder/chart.pdf"));
    window.setPrintDialog([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(unreachable);
        return true;
    });
    window.findChild<QAction*>("mnuDrawW")->trigger();
    print();
    EXPECT_FALSE(QFile::exists(unreachable));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, "ミルテン");
    EXPECT_EQ(messages.messages()[0].text, "チャートを印刷できませんでした。");
}

// What the user chooses in the dialog (here: upright, two copies) is what is printed.
TEST_F(Printing, TheDialogsChoicesAreKept) {
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    QPrinter printer(QPrinter::HighResolution);
    const app::PrintResult result = app::printChart(
        chart::sheetOf(picture, chart::Settings::standard()), printer,
        [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            p.setPageOrientation(QPageLayout::Portrait);
            p.setCopyCount(2);
            return true;
        },
        render::Underlay{});
    EXPECT_EQ(result, app::PrintResult::Printed);
    EXPECT_EQ(printer.copyCount(), 2);
    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral(R"(Page size:\s+595 x 842 pts \(A4\))"))))
        << info.toStdString();
}

}  // namespace
