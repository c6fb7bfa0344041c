#include "model/Format.h"

#include <optional>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Units.h"

namespace polvane {
namespace {

class FormatTest : public ::testing::Test {};

// ---- Numbers with a fixed count of decimals --------------------------------------------

struct NumberCase {
    double value;
    int decimals;
    const char* text;
};

TEST_F(FormatTest, RoundsTheDecimalValueHalfAwayFromZero)
{
    const NumberCase cases[] = {
        {0.125, 2, "0.13"},   // exact in binary: a true half goes up
        {-0.125, 2, "-0.13"}, // and away from zero for negatives
        {2.675, 2, "2.68"},   // binary 2.67499999...: rounded as the user sees it
        {1.005, 2, "1.01"},
        {0.05, 1, "0.1"},
        {0.25, 1, "0.3"},
        {-2.5, 0, "-3"},
        {9.995, 2, "10.00"},  // the carry reaches a new digit
        {-99.96, 1, "-100.0"},
        {0.124999, 2, "0.12"},
        {3.456, 2, "3.46"},
        {22.0, 1, "22.0"},
        {0.0, 2, "0.00"},
        {7.0, 0, "7"},
        {1e-7, 2, "0.00"},
        {123456789.125, 2, "123456789.13"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format::FormatNumber(c.value, c.decimals), c.text) << c.value;
}

TEST_F(FormatTest, WholeNumbersRoundHalvesToEven)
{
    const struct {
        double value;
        double whole;
    } cases[] = {
        {2.5, 2.0}, {3.5, 4.0}, {-2.5, -2.0}, {-3.5, -4.0}, {0.5, 0.0}, {-0.5, 0.0},
        {2.4999999, 2.0}, {2.5000001, 3.0}, {-7.2, -7.0}, {1e15 + 0.5, 1e15},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format::RoundHalfEven(c.value), c.whole) << c.value;
        EXPECT_EQ(Format::WholeHalfEven(c.value), c.whole > 2.0e9 ? 0 : static_cast<int>(c.whole)) << c.value;
    }
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Format::RoundHalfEven(-inf), -inf);
    EXPECT_TRUE(std::isnan(Format::RoundHalfEven(std::nan(""))));
    // Beyond the int range, and not a number, give 0 rather than an undefined cast.
    EXPECT_EQ(Format::WholeHalfEven(2147483647.4), 2147483647);
    EXPECT_EQ(Format::WholeHalfEven(2147483648.0), 0);
    EXPECT_EQ(Format::WholeHalfEven(-inf), 0);
    EXPECT_EQ(Format::WholeHalfEven(std::nan("")), 0);
}

TEST_F(FormatTest, ZeroAfterRoundingHasNoMinusSign)
{
    EXPECT_EQ(Format::FormatNumber(-0.001, 2), "0.00");
    EXPECT_EQ(Format::FormatNumber(-0.0, 1), "0.0");
    EXPECT_EQ(Format::FormatNumber(-0.004f, 2), "0.00");
    EXPECT_EQ(Format::FormatNumber(-0.005, 2), "-0.01");
}

TEST_F(FormatTest, SinglesRoundOnTheirOwnShortestText)
{
    // 3.455f is 3.45499992...; the user typed and sees 3.455.
    EXPECT_EQ(Format::FormatNumber(3.455f, 2), "3.46");
    EXPECT_EQ(Format::FormatNumber(0.1f, 2), "0.10");
    EXPECT_EQ(Format::FormatNumber(std::numeric_limits<float>::max(), 0),
              "340282346638528859811704183484516925440");
}

TEST_F(FormatTest, NonFiniteValuesHaveAText)
{
    EXPECT_EQ(Format::FormatNumber(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(Format::FormatNumber(-std::numeric_limits<float>::infinity(), 2), "-inf");
    EXPECT_EQ(Format::FormatNumber(std::nan(""), 1), "nan");
}

struct CommaPunctuation : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(FormatTest, DecimalSeparatorIgnoresTheLocale)
{
    // A decimal-comma locale for the C++ streams and, where one is installed, the C library.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const std::locale globalBefore;
    std::locale::global(std::locale(std::locale::classic(), new CommaPunctuation));
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"})
        if (std::setlocale(LC_NUMERIC, name))
            break;
    const std::string text = Format::FormatNumber(1.5, 2);
    const std::string shortest = Format::ShortestText(12.5f);
    const std::string font = Format::FormatFont("Arial", 8.25f, false, false);
    std::locale::global(globalBefore);
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(text, "1.50");
    EXPECT_EQ(shortest, "12.5");
    EXPECT_EQ(font, "Arial, 8.25pt");
}

// ---- Shortest decimal form ------------------------------------------------------------

TEST_F(FormatTest, ShortestTextHasAtMostSevenSignificantDigits)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {125.0f, "125"},
        {12.5f, "12.5"},
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.3333333"},
        {2.0f / 3.0f, "0.6666667"},
        {1.0000001f, "1"},          // shortest text has eight digits
        {1234567.8f, "1234568"},
        {16777216.0f, "16777220"},  // digits past the seventh stand as zeros, no exponent
        {1e20f, "100000000000000000000"},
        {0.00001f, "0.00001"},
        {-8.25f, "-8.25"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {9.9999999f, "10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format::ShortestText(c.value), c.text) << c.value;
}

// ---- Display texts --------------------------------------------------------------------

TEST_F(FormatTest, BrandNamesCarryTheTradeMarkAsUtf8)
{
    EXPECT_EQ(Format::FormatBrand(BrandCode::TarvicKv9), "TARVIC\xE2\x84\xA2 KV9");
    EXPECT_EQ(Format::FormatBrand(BrandCode::TarvicKv7), "TARVIC\xE2\x84\xA2 KV7");
    EXPECT_EQ(Format::FormatBrand(BrandCode::TarvicKv4), "TARVIC\xE2\x84\xA2 KV4");
    EXPECT_EQ(Format::FormatBrand(BrandCode::DeVelt), "DE.VELT\xE2\x84\xA2");
    for (int code : {3, 7, -1, 5})
        EXPECT_EQ(Format::FormatBrand(BrandCode{code}), "R.SARN\xE2\x84\xA2") << code;
    EXPECT_EQ(Format::FormatBrand(BrandCode::TarvicKv9).size(), std::string("TARVIC KV9").size() + 3);
}

TEST_F(FormatTest, CellTypeNamesInIndexOrder)
{
    const char* names[] = {"KV9", "KV8", "KV7", "KV4", "PQ4", "PQ7", "PB0",
                           "PQ3", "R44", "R77", "KB9", "KB7", "KB4", "KB0"};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(Format::FormatCellType(i), names[i]) << i;
    EXPECT_EQ(Format::FormatCellType(14), "");
    EXPECT_EQ(Format::FormatCellType(-1), "");
}

TEST_F(FormatTest, DegreesUseTheDegreeSignWithoutSpace)
{
    EXPECT_EQ(Format::FormatDegrees(12.25), "12.3\xC2\xB0");
    EXPECT_EQ(Format::FormatDegrees(-0.04), "0.0\xC2\xB0");
    EXPECT_EQ(Format::FormatDegrees(-135), "-135.0\xC2\xB0");
}

struct UnitsCase {
    UnitsCode units;
    float value;
    const char* measurement;
    const char* small;
    const char* weight;
};

TEST_F(FormatTest, MeasurementsAreLabelledInTheOpenVenuesUnits)
{
    const UnitsCase cases[] = {
        {UnitsCode::Metric, 3.456f, "3.46 m", "345.60 cm", "3.5 kg"},
        {UnitsCode::English, 3.456f, "3.46 ft", "41.47 in", "3.5 lbs"},
        {UnitsCode::Metric, 0.5f, "0.50 m", "50.00 cm", "0.5 kg"},
        {UnitsCode::English, 0.5f, "0.50 ft", "6.00 in", "0.5 lbs"},
        {UnitsCode::English, -1.25f, "-1.25 ft", "-15.00 in", "-1.3 lbs"},
        {UnitsCode{2}, 1.0f, "1.00 ft", "12.00 in", "1.0 lbs"}, // an unknown code reads as English
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format::FormatMeasurement(c.value, c.units), c.measurement) << static_cast<int>(c.units) << " " << c.value;
        EXPECT_EQ(Format::FormatSmallMeasurement(c.value, c.units), c.small) << static_cast<int>(c.units) << " " << c.value;
        EXPECT_EQ(Format::FormatWeight(c.value, c.units), c.weight) << static_cast<int>(c.units) << " " << c.value;
    }
}

TEST_F(FormatTest, LevelTexts)
{
    EXPECT_EQ(Format::FormatAttentuation(-1.5f), "-1.5 dB");
    EXPECT_EQ(Format::FormatAttentuation(1.0f), "1.0 dB");
    EXPECT_EQ(Format::FormatSPL(-3.005f), "-3.01 dB");
    EXPECT_EQ(Format::FormatSPL(0.0f), "0.00 dB");
}

TEST_F(FormatTest, FrequencyTexts)
{
    const struct {
        float hertz;
        const char* text;
    } cases[] = {
        {125.0f, "125 Hz"},  {31.5f, "31.5 Hz"},    {999.0f, "999 Hz"},
        {1000.0f, "1.00 kHz"}, {1250.0f, "1.25 kHz"}, {1255.0f, "1.26 kHz"},
        {9999.0f, "10.00 kHz"}, {10000.0f, "10.0 kHz"}, {12500.0f, "12.5 kHz"},
        {16000.0f, "16.0 kHz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format::FormatFrequency(c.hertz), c.text) << c.hertz;
}

TEST_F(FormatTest, PinningAndFontTexts)
{
    EXPECT_EQ(Format::FormatPinning(0), "Hole 0");
    EXPECT_EQ(Format::FormatPinning(12), "Hole 12");
    EXPECT_EQ(Format::FormatPinning(-1), "(n/a)");
    EXPECT_EQ(Format::FormatPinning(std::nullopt), "No hole"); // no hole gives the splay
    EXPECT_EQ(Format::FormatFont("Arial", 10.0f, false, false), "Arial, 10pt");
    EXPECT_EQ(Format::FormatFont("Arial", 8.25f, true, false), "Arial, 8.25pt, Bold");
    EXPECT_EQ(Format::FormatFont("Times New Roman", 12.0f, true, true),
              "Times New Roman, 12pt, Bold, Italic");
    EXPECT_EQ(Format::FormatFont("Tahoma", 9.0f, false, true), "Tahoma, 9pt, Italic");
}

// ---- Picking, bounding, interpolating, snapping -------------------------------------

TEST_F(FormatTest, MaxAndMin)
{
    EXPECT_EQ(Format::MaxLong(3, -4), 3);
    EXPECT_EQ(Format::MaxLong(-4, 3), 3);
    EXPECT_EQ(Format::MinLong(3, -4), -4);
    EXPECT_EQ(Format::MinLong(-4, 3), -4);
    EXPECT_EQ(Format::MaxSingle(1.5f, 2.5f), 2.5f);
    EXPECT_EQ(Format::MinSingle(1.5f, 2.5f), 1.5f);
    // Of equal values the first wins: -0 and 0 tell them apart.
    EXPECT_TRUE(std::signbit(Format::MaxSingle(-0.0f, 0.0f)));
    EXPECT_TRUE(std::signbit(Format::MinSingle(-0.0f, 0.0f)));
}

TEST_F(FormatTest, BoundsFollowTheUnits)
{
    EXPECT_EQ(Format::BoundDistance(700.0f, UnitsCode::English), 600.0f);
    EXPECT_EQ(Format::BoundDistance(-700.0f, UnitsCode::English), -600.0f);
    EXPECT_EQ(Format::BoundDistance(150.0f, UnitsCode::English), 150.0f);
    EXPECT_EQ(Format::BoundLength(0.0f, UnitsCode::English), 0.001f);
    EXPECT_EQ(Format::BoundLength(601.0f, UnitsCode::English), 600.0f);
    EXPECT_EQ(Format::BoundDistance(700.0f, UnitsCode::Metric), 182.88f);
    EXPECT_EQ(Format::BoundDistance(-183.0f, UnitsCode::Metric), -182.88f);
    EXPECT_EQ(Format::BoundDistance(150.0f, UnitsCode::Metric), 150.0f);
    EXPECT_EQ(Format::BoundLength(-5.0f, UnitsCode::Metric), 0.001f);
    EXPECT_EQ(Format::BoundLength(200.0f, UnitsCode::Metric), 182.88f);
}

TEST_F(FormatTest, BoundSingleEdges)
{
    EXPECT_EQ(Format::BoundSingle(1.0f, 1.0f, 2.0f), 1.0f);
    EXPECT_EQ(Format::BoundSingle(2.0f, 1.0f, 2.0f), 2.0f);
    EXPECT_EQ(Format::BoundSingle(std::nanf(""), 1.0f, 2.0f), 2.0f);
    EXPECT_EQ(Format::BoundSingle(-std::numeric_limits<float>::infinity(), 1.0f, 2.0f), 1.0f);
}

TEST_F(FormatTest, InterpolateRunsFromBToA)
{
    EXPECT_EQ(Format::InterpolateValue(10.0f, 2.0f, 0.0f), 2.0f);
    EXPECT_EQ(Format::InterpolateValue(10.0f, 2.0f, 1.0f), 10.0f);
    EXPECT_EQ(Format::InterpolateValue(10.0f, 2.0f, 0.25f), 4.0f);
    // In 64 bits: a - b does not overflow a single.
    const float big = std::numeric_limits<float>::max();
    EXPECT_EQ(Format::InterpolateValue(big, -big, 0.5f), 0.0f);
}

struct SnapCase {
    float grid;
    float x;
    float snapped;
};

TEST_F(FormatTest, SnapToTheNearestGridMultiple)
{
    const SnapCase cases[] = {
        {0.5f, 1.25f, 1.0f},  // halfway goes down
        {0.5f, 1.26f, 1.5f},
        {0.5f, -0.25f, -0.5f}, // halfway goes down for negatives too
        {0.5f, -0.24f, 0.0f},
        {0.5f, 2.0f, 2.0f},
        {1.0f, 2.4f, 2.0f},
        {1.0f, -2.6f, -3.0f},
        {0.25f, 0.1f, 0.0f},
        {0.25f, 0.2f, 0.25f},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(Format::SnapTo(c.x, c.grid), c.snapped) << c.grid << " " << c.x;
    }
}

TEST_F(FormatTest, SnapWithoutAUsableGridLeavesTheValue)
{
    for (float grid : {0.0f, -1.0f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(Format::SnapTo(1.3f, grid), 1.3f) << grid;
    }
    // Multiples beyond the range of a single are never the answer.
    const float big = std::numeric_limits<float>::max();
    EXPECT_FLOAT_EQ(Format::SnapTo(big, 1e38f), 3e38f);
    EXPECT_FLOAT_EQ(Format::SnapTo(-big, 1e38f), -3e38f);
    EXPECT_TRUE(std::isnan(Format::SnapTo(std::nanf(""), 1.0f)));
}

TEST_F(FormatTest, SPLECToPercent)
{
    EXPECT_EQ(Format::SPLECToPercent(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(Format::SPLECToPercent(20000.0f), 1.0f / 6.0f);
    EXPECT_FLOAT_EQ(Format::SPLECToPercent(-40000.0f), 36.0f);
}

// ---- Sorting and paths ----------------------------------------------------------------

TEST_F(FormatTest, BubbleSortIsOrdinal)
{
    const struct {
        std::vector<std::string> in;
        std::vector<std::string> out;
    } cases[] = {
        {{"b", "B", "a"}, {"B", "a", "b"}},
        {{}, {}},
        {{"x"}, {"x"}},
        {{"b", "a", "b", "a"}, {"a", "a", "b", "b"}},
        {{"Zed", "apple", "Apple", "zed", "_"}, {"Apple", "Zed", "_", "apple", "zed"}},
        // Bytes compare unsigned: an accented letter sorts after every ASCII one.
        {{"\xC3\xA9t\xC3\xA9", "zoo", "abc"}, {"abc", "zoo", "\xC3\xA9t\xC3\xA9"}},
        {{"ab", "a", ""}, {"", "a", "ab"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts = c.in;
        Format::BubbleSort(texts);
        EXPECT_EQ(texts, c.out);
    }
}

struct PathCase {
    const char* path;
    const char* name;
    const char* title;
    const char* extension;
};

TEST_F(FormatTest, PathsSplitAtBothSeparators)
{
    const PathCase cases[] = {
        {"C:\\Layouts\\Big screen.layout", "Big screen.layout", "Big screen", "layout"},
        {"/home/me/Layouts/Big screen.layout", "Big screen.layout", "Big screen", "layout"},
        {"Big screen.layout", "Big screen.layout", "Big screen", "layout"},
        {"C:\\a.b\\c", "c", "c", "b\\c"}, // the extension is searched in the whole path
        {"/a.b/c", "c", "c", "b/c"},
        {"C:\\venues\\hall.2024.venue", "hall.2024.venue", "hall.2024", "venue"},
        {"C:\\mixed/sep\\file.vnu", "file.vnu", "file", "vnu"},
        {"noext", "noext", "noext", ""},
        {"folder\\", "", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format::GetFileName(c.path), c.name) << c.path;
        EXPECT_EQ(Format::GetFileTitle(c.path), c.title) << c.path;
        EXPECT_EQ(Format::GetFileNameExtension(c.path), c.extension) << c.path;
    }
}

} // namespace
} // namespace polvane
