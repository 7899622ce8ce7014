#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "run/TokenScanner.h"
#include "tests/RowName.h"

namespace varneska {
namespace {

struct ScanCase {
    const char* name;
    std::string text;
    std::uint64_t start;
    std::vector<std::string> tokens;
    // Positions reported for every taken character; empty means "not checked in this row".
    std::vector<std::uint64_t> positions;
};

void PrintTo(const ScanCase& row, std::ostream* out) {
    *out << row.name;
}

class ScanTable : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanTable, DeliversTokensAndPositions) {
    const ScanCase& row = GetParam();
    std::vector<std::string> tokens;
    std::vector<std::uint64_t> positions;
    Scan(
        row.text, row.start, [&](std::uint64_t position) { positions.push_back(position); },
        [&](std::string_view token) { tokens.emplace_back(token); });

    EXPECT_EQ(tokens, row.tokens);
    if (!row.positions.empty()) {
        EXPECT_EQ(positions, row.positions);
    }
    // Every taken character is reported exactly once, and the reports rise within a token.
    std::size_t taken = 0;
    for (const std::string& token : tokens) {
        taken += token.size();
    }
    EXPECT_EQ(positions.size(), taken);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScanTable,
    testing::Values(
        ScanCase{"EmptyTextGivesNothing", "", 1, {}, {}},
        ScanCase{"EmptyTextFromTwoGivesNothing", "", 2, {}, {}},
        ScanCase{"LoneSpaceIsOneEmptyToken", " ", 1, {""}, {}},
        ScanCase{"LoneSpaceFromTwoIsNoToken", " ", 2, {}, {}},
        ScanCase{"LastCharacterIsNeverTaken", "5", 1, {""}, {}},
        ScanCase{"TwoFieldsFromOne", " 12  34 ", 1, {"", "12 ", "34"}, {3, 4, 5, 7, 8}},
        ScanCase{"TwoFieldsFromTwo", " 12  34 ", 2, {"12 ", "34"}, {3, 4, 5, 7, 8}},
        ScanCase{"SignColumnsAreSkipped", " .5 -.3  .7 ", 2, {".5 ", ".3 ", ".7"}, {}},
        ScanCase{"CharacterAfterSpaceIsSkippedFromOne",
                 "1 2 3 4 5",
                 1,
                 {"1 ", "", "3 ", "", ""},
                 {2, 3, 6, 7}},
        ScanCase{"CharacterAfterSpaceIsSkippedFromTwo",
                 "1 2 3 4 5",
                 2,
                 {"", "2 ", "", "4 "},
                 {4, 5, 8, 9}},
        ScanCase{"LineBreakRunsIntoNextSignColumn",
                 " .5 \r\n .2 ",
                 2,
                 {".5 ", "\n ", "2"},
                 {3, 4, 5, 7, 8, 10}},
        ScanCase{"RunOfSpacesGivesEmptyTokens", "    ", 1, {"", "", "", ""}, {}},
        ScanCase{"TokenStartingAtLastPositionIsEmpty", "ab  c", 1, {"ab ", ""}, {2, 3, 4}},
        ScanCase{"LastCharacterAfterSpaceIsSkipped", "ab c", 1, {"ab "}, {2, 3, 4}},
        ScanCase{"TextWithoutSpacesLosesOnlyItsLastCharacter", "12345", 1, {"1234"}, {2, 3, 4, 5}},
        ScanCase{"TabsAndLettersAreTokenCharacters", "\tx\ty z", 1, {"\tx\ty "}, {2, 3, 4, 5, 6}},
        ScanCase{"StartPastTheTextGivesNothing", "ab", 3, {}, {}}),
    test::RowName{});

TEST(TokenScanner, PositionEndsJustPastTheText) {
    for (const std::string text : {"", " ", "5", " 12  34 ", "1 2 3 4 5", "abc  "}) {
        for (const std::uint64_t start : {1u, 2u}) {
            TokenScanner scanner(text, start);
            std::string_view token;
            while (scanner.Next(token)) {
            }
            EXPECT_EQ(scanner.Position(), std::max<std::uint64_t>(text.size() + 1, start))
                << "text \"" << text << "\" from " << start;
        }
    }
}

TEST(TokenScanner, TokensAreViewsIntoTheText) {
    const std::string text = " 12  34 ";
    TokenScanner scanner(text, 2);
    std::string_view token;
    ASSERT_TRUE(scanner.Next(token));
    EXPECT_EQ(token.data(), text.data() + 1);
    EXPECT_EQ(scanner.TokenStart(), 2u);
}

}  // namespace
}  // namespace varneska
