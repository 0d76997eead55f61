#include <gtest/gtest.h>

#include "media/ChannelMix.h"

namespace tarvex::media {
namespace {

TEST(MonoWeights, SurroundTakesTheCentreAndALittleOfTheFrontPairOthersMixEvenly) {
    const struct {
        ChannelRoles roles;
        std::vector<double> weights;
    } cases[] = {
        {{1, -1, -1, -1}, {1.0}},
        {{2, -1, 0, 1}, {0.5, 0.5}},
        {{6, 2, 0, 1}, {0.3, 0.3, 1.0, 0, 0, 0}},  // FL FR FC LFE BL BR
        {{3, 0, 1, 2}, {1.0, 0.3, 0.3}},
        {{4, -1, 0, 1}, {0.25, 0.25, 0.25, 0.25}},                               // quadraphonic: no centre
        {{6, 9, 0, 1}, {1 / 6.0, 1 / 6.0, 1 / 6.0, 1 / 6.0, 1 / 6.0, 1 / 6.0}},  // a centre out of range is none
        {{0, -1, -1, -1}, {}},
    };
    for (const auto& c : cases) {
        std::vector<double> weights = MonoWeights(c.roles);
        ASSERT_EQ(weights.size(), c.weights.size()) << c.roles.Count;
        for (size_t i = 0; i < weights.size(); ++i)
            EXPECT_DOUBLE_EQ(weights[i], c.weights[i]) << c.roles.Count << " " << i;
    }
}

}  // namespace
}  // namespace tarvex::media
