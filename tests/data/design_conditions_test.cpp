#include "data/design_conditions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/readers.h"

namespace {

using data::DesignCondition;
using K = data::DesignConditionKind;

// A line in the layout of the 2009 handbook's conditions, for a made-up site; the fields read
// by hand: Heating (month 1) 99.6 % −2.1, 99 % −0.9; Cooling (month 8, range 6.6) 0.4 %
// 34.3/25.3, 1 % 33.0/25.0, 2 % 31.8/24.6.
const std::string kLine =
    "DESIGN CONDITIONS,1,Climate Design Data 2009 ASHRAE "
    "Handbook,,Heating,1,-2.1,-0.9,-17.5,0.8,4.4,-15.2,1.0,3.9,10.1,7.2,8.8,6.9,2.4,320,Cooling,8,"
    "6.6,34.3,25.3,33.0,25.0,31.8,24.6,27.1,31.5,26.6,30.8,26.1,30.2,2.6,160,25.9,21.4,29.9,25.4,"
    "20.8,29.5,24.9,20.1,29.1,83.4,31.3,81.2,30.8,79.0,30.3,870,Extremes,7.7,6.7,5.8,29.0,-3.9,36."
    "4,1.8,1.6,-5.2,37.2,-6.2,37.9,-7.2,38.5,-8.4,39.3";

TEST(DesignConditions, ReadsTheLine) {
    const std::pair<std::string, std::vector<DesignCondition>> cases[] = {
        {kLine,
         {{K::Cooling04, 34.3, 25.3},
          {K::Cooling1, 33.0, 25.0},
          {K::Cooling2, 31.8, 24.6},
          {K::Heating996, -2.1, std::nullopt},
          {K::Heating99, -0.9, std::nullopt}}},
        {"DESIGN CONDITIONS,0", {}},
        {"design conditions,1,x,,HEATING,12, -5 ,+-3", {{K::Heating996, -5.0, std::nullopt}}},
        {"DESIGN CONDITIONS,1,x,,Cooling,7,8,31,32,30,,33,20", {}},       // wb > db, none, rising
        {"DESIGN CONDITIONS,1,x,,Heating,1,-80,-10,Cooling,7,8,30.5,22",  // −80: beyond range
         {{K::Cooling04, 30.5, 22.0}, {K::Heating99, -10.0, std::nullopt}}},
    };
    for (const auto& [line, want] : cases) {
        EXPECT_EQ(data::readDesignConditions(line), want) << line;
    }
}

// A weather file carries its conditions to the data set; a file without them gives none.
TEST(DesignConditions, WeatherFileCarriesThem) {
    for (const std::string& line : {kLine, std::string("DESIGN CONDITIONS,0")}) {
        const auto read = data::readEpw("LOCATION,Site,,JPN,x,0,35.7,139.8,9.0,40.0\n" + line +
                                        "\n1\n2\n3\n4\n5\n6\n2001,1,1,1,60,x,20.0,9.3,50,101325\n");
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->set.designConditions.size(), line == kLine ? 5U : 0U);
    }
}

}  // namespace
