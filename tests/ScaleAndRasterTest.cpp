#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "run/RangePass.h"
#include "run/RasterPass.h"
#include "tests/Fields.h"
#include "tests/RecordingHost.h"
#include "tests/RowName.h"

namespace varneska {
namespace {

using test::Cell;
using test::Fields;
using test::RecordingHost;

using test::RepeatedFields;

struct RangeCase {
    const char* name;
    std::string text;
    double minimum;
    double maximum;
    double ratio;
};

void PrintTo(const RangeCase& row, std::ostream* out) {
    *out << row.name;
}

class RangeTable : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeTable, FindsTheScale) {
    const RangeCase& row = GetParam();
    RecordingHost host;
    const PlotScale scale = RangePass(row.text, host);
    EXPECT_EQ(scale.Minimum, row.minimum);
    EXPECT_EQ(scale.Maximum, row.maximum);
    EXPECT_DOUBLE_EQ(scale.Ratio, row.ratio);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RangeTable,
    testing::Values(RangeCase{"NoTokenKeepsTheSeeds", "", 1000.0, 0.0, -10.0},
                    RangeCase{"OnlyEmptyTokens", "   ", 0.0, 0.0, 0.0},
                    // No leading space, so no empty token pulls the minimum down.
                    RangeCase{"SeedsBoundLargeValues", "1500 x2000 x", 1000.0, 2000.0, 10.0},
                    RangeCase{"NegativeValuesKeepMaximumAtZero", "-5 x-2 x", -5.0, 0.0, 0.05},
                    RangeCase{"SignColumnGivesEmptyFirstToken", " .5 ", 0.0, 0.5, 0.005},
                    RangeCase{"FieldsOfSeven", RepeatedFields("7", 400), 0.0, 7.0, 0.07},
                    RangeCase{"OneTokenSetsBoth", "5x", 5.0, 5.0, 0.0}),
    test::RowName{});

struct GreyCase {
    const char* name;
    double value;
    double ratio;
    int grey;
};

void PrintTo(const GreyCase& row, std::ostream* out) {
    *out << row.name;
}

class GreyTable : public testing::TestWithParam<GreyCase> {};

TEST_P(GreyTable, HoldsTheGreyToItsScale) {
    const GreyCase& row = GetParam();
    EXPECT_EQ(GreyLevel(row.value, row.ratio), row.grey);
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Values, GreyTable,
                         testing::Values(GreyCase{"TruncatedTowardZero", 7.0, 0.07, 124},
                                         GreyCase{"HalfIsCutDown", 1.0, 0.5, 127},
                                         GreyCase{"ExactlyWhite", 1.0, 1.0, 255},
                                         GreyCase{"AboveWhiteIsWhite", 10.0, 1.0, 255},
                                         GreyCase{"FarAboveSixteenBitsIsWhite", 200.0, 2.0, 255},
                                         GreyCase{"InfiniteIsWhite", 1e308, 1e308, 255},
                                         GreyCase{"ZeroIsBlack", 0.0, 0.07, 0},
                                         GreyCase{"NegativeValueIsBlack", -5.0, 1.0, 0},
                                         GreyCase{"NegativeRatioIsBlack", 5.0, -10.0, 0},
                                         GreyCase{"FarBelowSixteenBitsIsBlack", -1e300, 1.0, 0},
                                         GreyCase{"NotANumberIsBlack", 0.0, kInfinity, 0},
                                         GreyCase{"SmallestVisibleGrey", 1.0, 1.0 / 255.0, 1}),
                         test::RowName{});

struct LayoutCase {
    const char* name;
    std::size_t tokens;  // tokens the raster pass sees
    std::size_t cells;
    Cell first;
    Cell last;
};

void PrintTo(const LayoutCase& row, std::ostream* out) {
    *out << row.name;
}

class LayoutTable : public testing::TestWithParam<LayoutCase> {};

constexpr std::uint32_t kGrey124 = 124u * 0x010101u;

TEST_P(LayoutTable, PaintsEveryOtherRow) {
    const LayoutCase& row = GetParam();
    RecordingHost host;
    RasterPass(RepeatedFields("7", row.tokens), PlotScale{0.0, 7.0, 0.07}, host);
    const std::vector<Cell> cells = host.Cells();
    ASSERT_EQ(cells.size(), row.cells);
    if (!cells.empty()) {
        EXPECT_EQ(cells.front(), row.first);
        EXPECT_EQ(cells.back(), row.last);
    }
}

INSTANTIATE_TEST_SUITE_P(
    TokenCounts, LayoutTable,
    testing::Values(
        LayoutCase{"NoToken", 0, 0, {}, {}}, LayoutCase{"FirstRowIsNeverPainted", 61, 0, {}, {}},
        LayoutCase{"SixtySecondTokenIsTheFirstCell",
                   62,
                   1,
                   {2, 1, 4, 2, kGrey124},
                   {2, 1, 4, 2, kGrey124}},
        LayoutCase{"RowOneComplete", 181, 120, {2, 1, 4, 2, kGrey124}, {240, 1, 242, 2, kGrey124}},
        LayoutCase{"RowTwoIsSkipped", 301, 120, {2, 1, 4, 2, kGrey124}, {240, 1, 242, 2, kGrey124}},
        LayoutCase{"RowThreeStarts", 302, 121, {2, 1, 4, 2, kGrey124}, {2, 3, 4, 4, kGrey124}},
        LayoutCase{
            "FourHundredSevens", 400, 219, {2, 1, 4, 2, kGrey124}, {198, 3, 200, 4, kGrey124}}),
    test::RowName{});

// Every token's place in the picture: token t of the pass (from 1) carries the value t mod 200
// plus a half, which at ratio 1/255 paints the grey t mod 200, so each cell names its token.
TEST(RasterPass, PlacesEveryTokenInItsRowAndColumn) {
    constexpr std::size_t kTokens = 62 + 120 * 6 + 17;
    std::vector<std::string> numbers;
    for (std::size_t t = 1; t <= kTokens; ++t) {
        numbers.push_back(std::to_string(t % 200) + ".5");
    }
    RecordingHost host;
    RasterPass(Fields(numbers), PlotScale{0.0, 2.55, 1.0 / 255.0}, host);

    std::vector<Cell> expected;
    for (std::size_t t = 62; t <= kTokens; ++t) {
        const std::size_t row = (t - 62) / 120 + 1;
        const std::size_t column = (t - 62) % 120 + 1;
        if (row % 2 == 1) {
            const auto x = static_cast<float>(2 * column);
            const auto y = static_cast<float>(row);
            expected.push_back(
                {x, y, x + 2, y + 1, static_cast<std::uint32_t>(t % 200) * 0x010101u});
        }
    }
    EXPECT_EQ(host.Cells(), expected);
}

TEST(RasterPass, EmptyTokensInAPaintedRowAreBlack) {
    // 61 tokens fill row 0; the run of spaces then gives empty tokens in row 1.
    RecordingHost host;
    RasterPass(RepeatedFields("7", 61) + std::string(10, ' ') + "x", PlotScale{0.0, 7.0, 0.07},
               host);
    const std::vector<Cell> cells = host.Cells();
    ASSERT_FALSE(cells.empty());
    for (const Cell& cell : cells) {
        EXPECT_EQ(cell.colour, 0u);
    }
}

}  // namespace
}  // namespace varneska
