#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <string_view>

#include "files/project_document.h"
#include "files/project_files.h"

// Files written by earlier versions of the program (golden/): a work without data (every kind
// of mark, a design, the standard settings), one at 1,500 m in SI units, one with data sets and
// zones, one with zones alone. Each opens, and written again, to a text or to disk, it is the
// same file byte for byte.
namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GoldenFiles, OpenAndAreWrittenAgainByteForByte) {
    QTemporaryDir folder;
    for (const char* name :
         {"work.milten", "work_si_1500m.milten", "work_with_data.milten", "zones_only.milten"}) {
        SCOPED_TRACE(name);
        const QString path = QStringLiteral(MILTEN_GOLDEN_DIR "/") + QString::fromLatin1(name);
        const QByteArray golden = fileBytes(path);
        ASSERT_FALSE(golden.isEmpty());
        const auto read = files::readProjectFile(path);
        ASSERT_TRUE(read.has_value()) << read.error().toStdString();
        EXPECT_EQ(files::projectText(read->work, read->data), golden.toStdString());
        const QString again = folder.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(files::writeProjectFile(again, read->work, read->data).has_value());
        EXPECT_EQ(fileBytes(again), golden);
    }
}

// What the golden files hold, as the program's readers see them: the work's settings, its
// entries, the data sets' rows and zones.
TEST(GoldenFiles, HoldWhatTheyWereWrittenWith) {
    const auto si =
        files::readProjectFile(QStringLiteral(MILTEN_GOLDEN_DIR "/work_si_1500m.milten"));
    ASSERT_TRUE(si.has_value());
    EXPECT_EQ(si->work.settings->units, chart::Units::SI);
    EXPECT_EQ(si->work.entries.size(), 10U);
    EXPECT_FALSE(si->work.chartDrawn);
    const auto withData =
        files::readProjectFile(QStringLiteral(MILTEN_GOLDEN_DIR "/work_with_data.milten"));
    ASSERT_TRUE(withData.has_value());
    ASSERT_EQ(withData->data.layers.size(), 2U);
    EXPECT_EQ(withData->data.zones.size(), 4U);
    const auto& rows = withData->data.layers[1].set->states;
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[1].t, -5.5F);
    EXPECT_EQ(rows[1].x, 0.0125F);
    EXPECT_EQ(withData->data.layers[1].set->times[2], 1440U);
}

}  // namespace
