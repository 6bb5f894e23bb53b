// The one rule of which words the spell check looks at, for F7 and checking while typing.

#include "spell/core/WordRule.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Case
{
    const char *word;
    bool ignoreUpper, ignoreNumbers, checked;
};

class WordRuleIsChecked : public testing::TestWithParam<Case>
{
};

TEST_P(WordRuleIsChecked, FollowsTheCheckSkips)
{
    const Case c = GetParam();
    EXPECT_EQ(WordRule::IsChecked(c.word, { c.ignoreUpper, c.ignoreNumbers }), c.checked) << c.word;
}

INSTANTIATE_TEST_SUITE_P(
    Words, WordRuleIsChecked,
    testing::Values(Case { "freind", false, false, true },
                    Case { "x", false, false, false }, // one letter
                    Case { "2024", false, false, false }, // only digits
                    Case { "r2d2", false, false, true }, Case { "r2d2", false, true, false },
                    Case { "NASA", false, false, true }, Case { "NASA", true, false, false },
                    Case { "Nasa", true, false, true }, Case { "don't", false, false, true }));

} // namespace
