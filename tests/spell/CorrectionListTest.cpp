// Reading the pairs of a correction list, apart from the component that uses them.

#include "spell/core/CorrectionList.h"

#include "platform/core/TStringList.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Case
{
    const char *name;
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, std::string>> pairs; // From (1252), To (UTF-8)
};

class CorrectionListParse : public testing::TestWithParam<Case>
{
};

TEST_P(CorrectionListParse, KeepsTheSoundPairs)
{
    TStringList lines;
    for (const std::string &line : GetParam().lines)
        lines.Add(line);
    std::vector<std::pair<std::string, std::string>> got;
    for (const TCorrection &pair : CorrectionList::Parse(lines))
        got.emplace_back(pair.From, pair.To);
    EXPECT_EQ(got, GetParam().pairs);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CorrectionListParse,
    testing::Values(
        Case {
            "plain", { "teh=the", "thru=through" }, { { "teh", "the" }, { "thru", "through" } } },
        Case { "broken_lines", { "noequals", "=the", "teh=", "teh=the" }, { { "teh", "the" } } },
        // Every line UTF-8: read so, the misspelling into code page 1252.
        Case { "utf8",
               { "feonsay=fianc\xC3\xA9"
                 "e",
                 "caf\xC3\xA9z=caf\xC3\xA9" },
               { { "feonsay",
                   "fianc\xC3\xA9"
                   "e" },
                 { "caf\xE9z", "caf\xC3\xA9" } } },
        // One line that is no UTF-8: the whole file is code page 1252.
        Case { "ansi", { "caf\xE9z=caf\xE9" }, { { "caf\xE9z", "caf\xC3\xA9" } } },
        // A misspelling code page 1252 cannot hold is never met by the scan.
        Case { "not_1252",
               { "\xE2\x82\xAC"
                 "x=euro",
                 "\xC5\x81"
                 "od=lod" },
               { { "\x80x", "euro" } } }),
    [](const testing::TestParamInfo<Case> &param) { return std::string(param.param.name); });

TEST(CorrectionList, PassesOverTheCorrectionsItIsToldToAvoid)
{
    TStringList lines;
    lines.Add("teh=the");
    lines.Add("stoopid=stupid");
    const auto pairs
        = CorrectionList::Parse(lines, [](const AnsiText &to) { return to.str() == "stupid"; });
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].From, "teh");
}

} // namespace
