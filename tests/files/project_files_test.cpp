#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/project_document.h"
#include "files/project_files.h"

namespace {

// A work beside a set of 30,000 rows: its rows reach the file in three pieces.
files::ProjectContents withRows() {
    auto set = std::make_shared<data::DataSet>();
    for (int k = 0; k < 30000; ++k) {
        set->states.push_back({static_cast<float>(k % 40), 0.01F});
    }
    return {chart::MarkedWork{.chartDrawn = true,
                              .entries = {},
                              .settings = chart::Settings::standard(),
                              .title = {}},
            data::DataPart{{{set, "a.csv", data::LayerStyle::Points, 0, true, {}}}, {}}};
}

// A writer that fails stops at the piece that failed; on disk, the old file stays whole.
TEST(ProjectWriter, AFailedPieceStopsTheWriteAndKeepsTheOldFile) {
    const files::ProjectContents contents = withRows();
    std::size_t pieces = 0;
    (void)files::writeProject(contents.work, contents.data, [&pieces](std::string_view) {
        ++pieces;
        return true;
    });
    for (const std::size_t failing : {std::size_t{0}, std::size_t{1}, pieces / 2, pieces - 1}) {
        std::size_t calls = 0;
        const bool written = files::writeProject(
            contents.work, contents.data, [&](std::string_view) { return calls++ != failing; });
        EXPECT_FALSE(written) << failing;
        EXPECT_EQ(calls, failing + 1);
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("work.milten"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const auto refused = files::writeProjectFile(
        folder.filePath(QStringLiteral("missing/work.milten")), contents.work, contents.data);
    ASSERT_FALSE(refused.has_value());
    EXPECT_TRUE(refused.error().startsWith(QStringLiteral("「work.milten」に保存できません。")))
        << refused.error().toStdString();
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

// What is too large is named where it is a part of the data; the work's bounds are the file's.
TEST(ProjectWriter, TooLargeNamesThePartOfTheData) {
    const std::vector<std::pair<std::string, QString>> table{
        {"", QStringLiteral("ファイルが大きすぎます。")},
        {"entries[0].inputs", QStringLiteral("ファイルが大きすぎます。")},
        {"data[0].rows", QStringLiteral("データが大きすぎます（data[0].rows）。")},
        {"zones", QStringLiteral("データが大きすぎます（zones）。")},
    };
    for (const auto& [where, text] : table) {
        EXPECT_EQ(files::failureText({chart::ProjectError::TooLarge, where}), text) << where;
    }
}

}  // namespace
