#include "data/column_memory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// FNV-1a 64 of "CH-A,CH-B,CH-C", worked out apart from this code.
const std::string kKey = "9cee879211b5054b";
const std::string kFile = "CH-A,CH-B,CH-C\r\n1,20.0,50\n";

TEST(ColumnMemory, StoredTextsAreTakenOnlyWhenWellFormedAndFitting) {
    struct Case {
        const char* what;
        std::string stored;
        std::string file;
        bool found;  // t in column 1, φ in column 2
    };
    const std::vector<Case> cases{
        {"as written", kKey + ";1;u;1;1;2;-;-;-;-;-;-;-;0;0;0;-", kFile, true},
        {"another header", kKey + ";1;u;1;1;2;-;-;-;-;-;-;-;0;0;0;-", "CH-A,CH-B,CH-X\n", false},
        {"a column past the row", kKey + ";1;u;1;1;3;-;-;-;-;-;-;-;0;0;0;-", kFile, false},
        {"leading zeros", kKey + ";1;u;1;01;2;-;-;-;-;-;-;-;0;0;0;-", kFile, false},
        {"no header line", kKey + ";1;u;0;1;2;-;-;-;-;-;-;-;0;0;0;-", kFile, false},
        {"a field short", kKey + ";1;u;1;1;2;-;-;-;-;-;-;-;0;0;0", kFile, false},
        {"an unknown order", kKey + ";1;u;1;1;2;-;-;-;-;-;-;-;0;0;0;ydm", kFile, false},
        {"a pressure unit not finite", kKey + ";1;u;1;1;2;-;-;-;-;-;-;-;nan;0;0;-", kFile, false},
        {"another version", kKey + ";2;u;1;1;2;-;-;-;-;-;-;-;0;0;0;-", kFile, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto found = data::rememberedFor(c.file, {"garbage", c.stored});
        ASSERT_EQ(found.has_value(), c.found);
        if (c.found) {
            EXPECT_EQ(found->columns.t, 1U);
            EXPECT_EQ(found->columns.phi, 2U);
        }
    }
}

TEST(ColumnMemory, KeepsTheNewestHeadersOnly) {
    data::CsvChoice choice;
    choice.columns.t = 0;
    choice.columns.phi = 1;
    std::vector<std::string> stored;
    for (int k = 0; k < 40; ++k) {
        std::string file = "A";  // appended: g++ 12 warns falsely of "A" + a temporary
        file += std::to_string(k);
        file += ",B\n";
        stored = data::remembering(stored, file, choice);
    }
    EXPECT_EQ(stored.size(), 32U);
    EXPECT_FALSE(data::rememberedFor("A7,B\n", stored));
    EXPECT_TRUE(data::rememberedFor("A8,B\n", stored));
}

}  // namespace
