#include "psychro/air_state.h"

#include <gtest/gtest.h>

namespace {

using psychro::Property;

TEST(SolvePair, TwentyDegreesHalfSaturated) {
    const auto state = psychro::solvePair(Property::t, 20.0, Property::phi, 50.0);
    ASSERT_TRUE(state.has_value());
    EXPECT_NEAR(state->x, 0.0072566913, 5e-11);
    EXPECT_NEAR(state->i, 9.1984257, 5e-8);
}

}  // namespace
