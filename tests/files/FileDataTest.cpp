#include "files/FileData.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <locale>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/BuildVersion.h"
#include "files/FileFormatError.h"
#include "support/ScratchFolder.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;
using T = FileChunk::Type;

std::string Written(const FileData& data) { return data.WriteString(); }

// The name of the i-th record of a test: "D0", "D1"...
std::string Key(char letter, std::size_t i)
{
    std::string key(1, letter);
    return key.append(std::to_string(i));
}

FileData ReadBack(const std::string& text)
{
    FileData data;
    data.ReadString(text);
    return data;
}

// The lines of a file as written, without their CR LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// ---- Round trips --------------------------------------------------------------------

TEST(FileDataRoundTrip, DoublesComeBackBitForBit)
{
    using L = std::numeric_limits<double>;
    const double values[] = {0.0,         -0.0,        1e-7,       12.34,      1.3048,
                             22.0,        -22.5,       0.1,        1.0 / 3.0,  L::max(),
                             -L::max(),   L::min(),    L::denorm_min(), -L::denorm_min(),
                             1e16,        9.999999999999998e15, 123456789.123456789,
                             1e-5,        9.9e-6,      L::infinity(), -L::infinity(),
                             2.2250738585072009e-308};
    FileData data;
    for (std::size_t i = 0; i < std::size(values); ++i)
        data.AddDouble(Key('D', i), values[i]);
    const FileData back = ReadBack(Written(data));
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const auto v = back.FindDouble(Key('D', i));
        ASSERT_TRUE(v) << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*v), std::bit_cast<std::uint64_t>(values[i]))
            << values[i];
    }
}

TEST(FileDataRoundTrip, SinglesComeBackBitForBit)
{
    using L = std::numeric_limits<float>;
    const float values[] = {0.0f,   -0.0f,        1e-7f,        12.34f,          1.3048f,
                            22.0f,  L::max(),     -L::max(),    L::min(),        L::denorm_min(),
                            0.1f,   100000.0f,    16777217.0f,  L::infinity(),   -L::infinity(),
                            1.0f / 3.0f};
    FileData data;
    for (std::size_t i = 0; i < std::size(values); ++i)
        data.AddSingle(Key('S', i), values[i]);
    const FileData back = ReadBack(Written(data));
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const auto v = back.FindSingle(Key('S', i));
        ASSERT_TRUE(v) << i;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*v), std::bit_cast<std::uint32_t>(values[i]))
            << values[i];
    }
}

TEST(FileDataRoundTrip, NaNStaysNaN)
{
    FileData data;
    data.AddDouble("D", std::numeric_limits<double>::quiet_NaN());
    data.AddSingle("S", std::numeric_limits<float>::quiet_NaN());
    const FileData back = ReadBack(Written(data));
    EXPECT_TRUE(std::isnan(*back.FindDouble("D")));
    EXPECT_TRUE(std::isnan(*back.FindSingle("S")));
}

TEST(FileDataRoundTrip, Integers)
{
    const std::int32_t values[] = {0, 1, -1, 42, std::numeric_limits<std::int32_t>::max(),
                                   std::numeric_limits<std::int32_t>::min()};
    FileData data;
    for (std::size_t i = 0; i < std::size(values); ++i)
        data.AddInteger(Key('I', i), values[i]);
    const FileData back = ReadBack(Written(data));
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(back.FindInteger(Key('I', i)), values[i]);
}

TEST(FileDataRoundTrip, TextsComeBackExactly)
{
    const std::string values[] = {
        "",
        "plain",
        "back\\slash",
        "ends with a backslash\\",
        "\\",
        "\\\\",
        "\\r and \\n as written characters",
        "\\s",
        "C:\\sounds",
        " \\s ",
        "\\s\\s",
        "CR\rLF\nCRLF\r\n",
        "\r\n\r\n",
        "  leading blanks",
        "trailing blanks  ",
        " ",
        "   ",
        " \\ ",
        "key=value=more",
        "=",
        "UTF-8: TARVIC\xE2\x84\xA2 12.5\xC2\xB0 \xE6\x97\xA5\xE6\x9C\xAC",
        "tab\tinside\t",
        "# not a comment",
        "(dbl) X 1",
        std::string("nul\0inside", 10),
    };
    FileData data;
    for (std::size_t i = 0; i < std::size(values); ++i)
        data.AddString(Key('T', i), values[i]);
    const std::string text = Written(data);
    // Every record stays on its own line.
    EXPECT_EQ(Lines(text).size(), std::size(values));
    const FileData back = ReadBack(text);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(back.FindString(Key('T', i)), values[i]) << i;
}

// ---- What is written ------------------------------------------------------------------

TEST(FileDataWriting, NumbersHaveTheFewestDigitsAndAtLeastOneDecimal)
{
    const struct {
        double value;
        const char* text;
    } doubles[] = {{22, "22.0"},   {12.34, "12.34"},     {1.3048, "1.3048"}, {0, "0.0"},
                   {-0.0, "-0.0"}, {-3, "-3.0"},         {0.1, "0.1"},       {1e-5, "0.00001"},
                   {100000, "100000.0"}, {1e15, "1000000000000000.0"},       {1e-7, "1e-07"},
                   {1e300, "1e+300"}};
    for (const auto& c : doubles) {
        FileData data;
        data.AddDouble("X", c.value);
        EXPECT_EQ(Lines(Written(data)).at(0), std::string("(dbl) X ") + c.text) << c.value;
    }
    const struct {
        float value;
        const char* text;
    } singles[] = {{12.34f, "12.34"}, {1.3048f, "1.3048"}, {22, "22.0"}, {0.1f, "0.1"},
                   {100000.0f, "100000.0"}};
    for (const auto& c : singles) {
        FileData data;
        data.AddSingle("X", c.value);
        EXPECT_EQ(Lines(Written(data)).at(0), std::string("(sng) X ") + c.text) << c.value;
    }
}

TEST(FileDataWriting, ValuesLineUpOneBlankAfterTheLongestName)
{
    FileData data;
    data.AddInteger("A", 1);
    data.AddString("LONGEST_NAME", "x");
    data.AddDouble("MID_NAME", 2.5);
    data.AddString("E", "");
    // A name counts its characters, not its bytes.
    data.AddInteger("\xC3\x84\xC3\x84", 3);
    const auto lines = Lines(Written(data));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "(int) A            1");
    EXPECT_EQ(lines[1], "(str) LONGEST_NAME x");
    EXPECT_EQ(lines[2], "(dbl) MID_NAME     2.5");
    EXPECT_EQ(lines[3], "(str) E            ");
    EXPECT_EQ(lines[4], "(int) \xC3\x84\xC3\x84           3");
    EXPECT_EQ(ReadBack(Written(data)).FindString("E"), "");
}

// Every saved file names the program's version as the splash shows it: 2.4.0 is written
// "2.04 (Revision: 0)".
TEST(FileDataWriting, NewFilesWriteTheBuildsVersion)
{
    const std::string version = BuildVersion::Text();
    const std::size_t firstDot = version.find('.');
    const std::size_t secondDot = version.find('.', firstDot + 1);
    ASSERT_NE(secondDot, std::string::npos) << version;
    std::string minor = version.substr(firstDot + 1, secondDot - firstDot - 1);
    if (minor.size() < 2)
        minor.insert(0, "0");
    const std::string expected = "# Created with program version " +
                                 version.substr(0, firstDot) + "." + minor +
                                 " (Revision: " + version.substr(secondDot + 1) + ")\r\n";
    FileData data;
    data.SetHeaderText({"Quessel Polvane Venue file"});
    EXPECT_NE(Written(data).find(expected), std::string::npos) << Written(data);
}

TEST(FileDataWriting, HeaderWithVersionLine)
{
    FileData data;
    data.SetHeaderText({"Quessel Polvane Venue file", "second\r\nthird"});
    data.SetProgramVersion({2, 4, 15});
    data.AddInteger("N", 7);
    EXPECT_EQ(Written(data), "#\r\n"
                             "# Quessel Polvane Venue file\r\n"
                             "# second\r\n"
                             "# third\r\n"
                             "# Created with program version 2.04 (Revision: 15)\r\n"
                             "#\r\n"
                             "\r\n"
                             "(int) N 7\r\n");
    data.SetProgramVersion({3, 12, 0});
    EXPECT_NE(Written(data).find("version 3.12 (Revision: 0)"), std::string::npos);
    // The header is skipped on reading.
    const FileData back = ReadBack(Written(data));
    EXPECT_EQ(back.RecordCount(), 1u);
    EXPECT_TRUE(back.HeaderLines().empty());
}

TEST(FileDataWriting, WithoutHeaderTheFirstRecordComesFirst)
{
    FileData data;
    data.AddInteger("N", 7);
    EXPECT_EQ(Written(data), "(int) N 7\r\n");
}

TEST(FileDataWriting, AnEmptyObjectWritesAFileThatReadsBack)
{
    const FileData empty;
    const std::string text = Written(empty);
    EXPECT_EQ(text, "#\r\n");
    EXPECT_EQ(ReadBack(text).RecordCount(), 0u);
}

// A numeric punctuation with a decimal comma and a thousands point, as some users have.
struct CommaPunctuation : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Puts a decimal-comma locale in place for the C++ streams and, where one is installed, for
// the C library, and restores both.
class CommaLocale {
public:
    CommaLocale() : before_(std::setlocale(LC_ALL, nullptr))
    {
        std::locale::global(std::locale(std::locale::classic(), new CommaPunctuation));
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"})
            if (std::setlocale(LC_NUMERIC, name))
                break;
    }
    ~CommaLocale()
    {
        std::locale::global(globalBefore_);
        std::setlocale(LC_ALL, before_.c_str());
    }

private:
    std::string before_;
    std::locale globalBefore_;
};

TEST(FileDataWriting, DoesNotDependOnTheLocale)
{
    std::string text;
    FileData back;
    {
        const CommaLocale comma;
        FileData data;
        data.AddDouble("D", 1.5);
        data.AddSingle("S", -2.25f);
        data.AddInteger("I", 1234567);
        text = Written(data);
        back.ReadString(text + "(dbl) OLD 12.3\r\n");
    }
    EXPECT_EQ(text, "(dbl) D 1.5\r\n(sng) S -2.25\r\n(int) I 1234567\r\n");
    EXPECT_EQ(back.FindDouble("D"), 1.5);
    EXPECT_EQ(back.FindSingle("S"), -2.25f);
    EXPECT_EQ(back.FindInteger("I"), 1234567);
    EXPECT_EQ(back.FindDouble("OLD"), 12.3);
}

// ---- What is read -----------------------------------------------------------------------

TEST(FileDataReading, OlderFormsStillRead)
{
    const FileData data = ReadBack("#\r\n# Some header\r\n#\r\n\r\n"
                                   "(dbl) ONE_DECIMAL      12.3\r\n"
                                   "(sng) SINGLE           1.3\r\n"
                                   "(dbl) COMMA            12,5\r\n"
                                   "(adb) LEADING          12.5 ft\r\n"
                                   "(adb) NO_NUMBER        ft\r\n"
                                   "(asn) LEADING_SINGLE   -0.25e1xyz\r\n"
                                   "(int) ROUND_EVEN_DOWN  2.5\r\n"
                                   "(int) ROUND_EVEN_UP    3.5\r\n"
                                   "(int) ROUND_NEGATIVE   -2.5\r\n"
                                   "(int) PLUS             +12\r\n"
                                   "(str) TRIMMED            some text   \r\n"
                                   "(str) ESCAPED          a\\\\b\\rc\\nd\r\n"
                                   "(str) OTHER_BACKSLASH  C:\\temp\\x\r\n"
                                   "(str) LONE_BACKSLASH   end\\\r\n"
                                   "(str) EMPTY\x20\r\n");
    EXPECT_EQ(data.FindDouble("ONE_DECIMAL"), 12.3);
    EXPECT_EQ(data.FindSingle("SINGLE"), 1.3f);
    EXPECT_EQ(data.FindDouble("COMMA"), 12.5);
    EXPECT_EQ(data.FindDouble("LEADING"), 12.5);
    EXPECT_EQ(data.FindDouble("NO_NUMBER"), 0.0);
    EXPECT_EQ(data.FindSingle("LEADING_SINGLE"), -2.5f);
    EXPECT_EQ(data.FindInteger("ROUND_EVEN_DOWN"), 2);
    EXPECT_EQ(data.FindInteger("ROUND_EVEN_UP"), 4);
    EXPECT_EQ(data.FindInteger("ROUND_NEGATIVE"), -2);
    EXPECT_EQ(data.FindInteger("PLUS"), 12);
    EXPECT_EQ(data.FindString("TRIMMED"), "some text");
    EXPECT_EQ(data.FindString("ESCAPED"), "a\\b\rc\nd");
    EXPECT_EQ(data.FindString("OTHER_BACKSLASH"), "C:\\temp\\x");
    EXPECT_EQ(data.FindString("LONE_BACKSLASH"), "end\\");
    EXPECT_EQ(data.FindString("EMPTY"), "");
    // "(adb)" and "(asn)" records are doubles and singles.
    EXPECT_EQ(data.Find(T::kDouble, "LEADING")->DataType(), T::kDouble);
    EXPECT_EQ(data.Find(T::kSingle, "LEADING_SINGLE")->DataType(), T::kSingle);
}

TEST(FileDataReading, LineEndingsAndByteOrderMark)
{
    const FileData lf = ReadBack("(int) A 1\n(int) B 2\n");
    EXPECT_EQ(lf.FindInteger("B"), 2);
    const FileData bom = ReadBack("\xEF\xBB\xBF(int) A 1\r\n");
    EXPECT_EQ(bom.FindInteger("A"), 1);
}

TEST(FileDataReading, AppendsToTheRecordsHeld)
{
    FileData data;
    data.AddInteger("A", 1);
    data.ReadString("(int) A 2\r\n(int) B 3\r\n");
    ASSERT_EQ(data.RecordCount(), 3u);
    EXPECT_EQ(data.FindInteger("A"), 1); // the first of two with the same name and type
    EXPECT_EQ(data.FindInteger("B"), 3);
}

struct MalformedCase {
    const char* what;
    std::string text;
    std::size_t line; // 0: belongs to no line
    const char* reasonHas;
};

class FileDataMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(FileDataMalformed, FailsClearlyAndLeavesTheObjectAsItWas)
{
    const MalformedCase& c = GetParam();
    FileData data;
    data.SetHeaderText({"kept"});
    data.AddDouble("BEFORE", 1.25);
    const std::string before = data.WriteString();
    try {
        data.ReadString(c.text, "test.venue");
        FAIL() << c.what << ": no error";
    } catch (const FileFormatError& e) {
        EXPECT_EQ(e.FileName(), "test.venue");
        EXPECT_EQ(e.Line(), c.line) << c.what;
        EXPECT_NE(e.Reason().find(c.reasonHas), std::string::npos) << c.what << ": " << e.what();
        const std::string message = e.what();
        EXPECT_NE(message.find("test.venue"), std::string::npos) << message;
        if (c.line > 0) {
            EXPECT_NE(message.find("line " + std::to_string(c.line)), std::string::npos)
                << message;
        }
    }
    EXPECT_EQ(data.WriteString(), before) << c.what;
    EXPECT_EQ(data.RecordCount(), 1u);
}

const std::string kGoodLine = "(int) GOOD 1\r\n";

INSTANTIATE_TEST_SUITE_P(Inputs, FileDataMalformed, ::testing::Values(
    MalformedCase{"unknown tag", kGoodLine + "(xyz) A 1\r\n", 2, "tag"},
    MalformedCase{"tags are case-sensitive", "(DBL) A 1\r\n", 1, "tag"},
    MalformedCase{"double that is not a number", kGoodLine + "(dbl) A abc\r\n", 2,
                  "not a number"},
    MalformedCase{"single that is not a number", "(sng) A 1.5.5\r\n", 1, "not a number"},
    MalformedCase{"integer that is not a number", "(int) A twelve\r\n", 1, "not a number"},
    MalformedCase{"empty number", "(dbl) A    \r\n", 1, "not a number"},
    MalformedCase{"integer overflow", "(int) A 2147483648\r\n", 1, "out of range"},
    MalformedCase{"integer underflow", "(int) A -2147483649\r\n", 1, "out of range"},
    MalformedCase{"integer overflow by exponent", "(int) A 1e10\r\n", 1, "out of range"},
    MalformedCase{"integer overflow by rounding", "(int) A 2147483647.5\r\n", 1,
                  "out of range"},
    MalformedCase{"double overflow", "(dbl) A 1e400\r\n", 1, "out of range"},
    MalformedCase{"single overflow", "(sng) A 1e39\r\n", 1, "out of range"},
    MalformedCase{"old single overflow", "(asn) A 1e39\r\n", 1, "out of range"},
    MalformedCase{"no blank between name and value", kGoodLine + "(dbl) A\r\n", 2,
                  "separated by blanks"},
    MalformedCase{"tag alone", "(dbl)\r\n", 1, "separated by blanks"},
    MalformedCase{"a lone CR inside a name", "(dbl) A\rB 1\n", 1, "holds a line break"},
    MalformedCase{"a lone CR in the name of an empty text", "(str) A\rB", 1, "holds a line break"},
    MalformedCase{"no name", "(dbl)  1\r\n", 1, "no name"},
    MalformedCase{"blanks only", "     \r\n", 1, "tag"},
    MalformedCase{"leading blank", " (dbl) A 1\r\n", 1, "tag"},
    MalformedCase{"no separators at all", "garbage\r\n", 1, "separated by blanks"},
    MalformedCase{"cut short in a name", kGoodLine + kGoodLine + "(dbl) LONG_NA", 3,
                  "separated by blanks"},
    MalformedCase{"a number with nothing after its name", "(int) N", 1, "separated by blanks"},
    MalformedCase{"empty file", "", 0, "empty"},
    MalformedCase{"a line of 1 MiB", kGoodLine + "(str) BIG " + std::string(1 << 20, 'x') +
                  "\r\n", 2, "longer than"},
    MalformedCase{"a line of 1 MiB without line break", std::string(1 << 20, 'x'), 1,
                  "longer than"}));

// What people write by hand: editors leave out the last line break and strip the blanks at
// line ends, and Windows paths hold "\s".
TEST(FileDataReading, HandWrittenTexts)
{
    const struct {
        const char* text;
        const char* key;
        const char* value;
    } cases[] = {
        {"(str) A  last line", "A", "last line"},
        {"(str) A 1\r\n(str) B  two\r", "B", "two"},
        {"(str) EMPTY", "EMPTY", ""},
        {"(str) EMPTY\r\n(int) N 1\r\n", "EMPTY", ""},
        {"(str) EMPTY   \r\n", "EMPTY", ""},
        {"(str) P  C:\\sounds\\show", "P", "C:\\sounds\\show"},
        {"(str) P  a\\sb", "P", "a\\sb"},
        {"(str) P  \\sinner\\s", "P", " inner "},
        {"(str) P  \\s", "P", " "},
        {"(str) P  x\\s\\s", "P", "x\\s "},
    };
    for (const auto& c : cases) {
        FileData data;
        ASSERT_NO_THROW(data.ReadString(c.text)) << c.text;
        EXPECT_EQ(data.FindString(c.key), c.value) << c.text;
    }
    EXPECT_EQ(ReadBack("(dbl) A 1\r\n(dbl) B 12").FindDouble("B"), 12.0);
}

TEST(FileDataReading, LineLengthLimitIsExact)
{
    const std::string prefix = "(str) S ";
    const std::size_t room = FileChunk::kMaxLineLength - prefix.size();
    const std::string longest = prefix + std::string(room, 'y');
    EXPECT_EQ(ReadBack(longest + "\r\n").FindString("S")->size(), room);
    EXPECT_EQ(ReadBack(longest + "\n").FindString("S")->size(), room);
    FileData data;
    EXPECT_THROW(data.ReadString(longest + "y\r\n"), FileFormatError);
    EXPECT_EQ(data.RecordCount(), 0u);
}

TEST(FileDataReading, StreamsWithLargeInputs)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "(int) N" + std::to_string(i) + " " + std::to_string(i) + "\r\n";
    std::istringstream in(text);
    FileData data;
    data.ReadFrom(in, "stream");
    EXPECT_EQ(data.RecordCount(), 5000u);
    EXPECT_EQ(data.FindInteger("N4999"), 4999);
}

// ---- Lookups and changes ------------------------------------------------------------------

TEST(FileDataLookup, TypeAndNameMustBothMatch)
{
    FileData data;
    data.AddDouble("X", 1.5);
    data.AddDouble("X", 2.5);
    data.AddString("NAME", "first");
    EXPECT_EQ(data.FindDouble("X"), 1.5);
    EXPECT_FALSE(data.FindSingle("X"));              // written as a double
    EXPECT_EQ(data.FindSingle("X", 9.0f), 9.0f);
    EXPECT_FALSE(data.FindDouble("x"));              // names are case-sensitive
    EXPECT_EQ(data.FindString("MISSING", "default"), "default");
    EXPECT_EQ(data.FindInteger("MISSING", -4), -4);
    EXPECT_FALSE(data.FindValue(T::kString, "MISSING"));
    // A default of another type comes back as given.
    EXPECT_EQ(data.FindValue(T::kString, "MISSING", FileChunk::Value{3}),
              FileChunk::Value{3});
    EXPECT_EQ(data.FindValue(T::kString, "NAME", FileChunk::Value{3}),
              FileChunk::Value{std::string("first")});
}

TEST(FileDataLookup, SetValueReplacesTheFirstOrAppends)
{
    FileData data;
    data.AddInteger("A", 1);
    data.AddInteger("A", 2);
    data.SetValue(T::kInteger, "A", 5);
    data.SetValue(T::kString, "A", std::string("text"));
    EXPECT_EQ(data.RecordCount(), 3u);
    EXPECT_EQ(data.Records()[0].value(), FileChunk::Value{5});
    EXPECT_EQ(data.Records()[1].value(), FileChunk::Value{2});
    EXPECT_EQ(data.FindString("A"), "text");
}

TEST(FileDataLookup, AddedValuesAreConvertedToTheirType)
{
    FileData data;
    data.AddValue(T::kInteger, "HALF_DOWN", 2.5);
    data.AddValue(T::kInteger, "HALF_UP", 3.5f);
    data.AddValue(T::kInteger, "NEG_HALF", -2.5);
    data.AddValue(T::kInteger, "TEXT", std::string(" 41 "));
    data.AddValue(T::kDouble, "FROM_TEXT", std::string("12.5"));
    data.AddValue(T::kDouble, "FROM_INT", 7);
    data.AddValue(T::kSingle, "FROM_DOUBLE", 0.1);
    data.AddValue(T::kString, "FROM_DOUBLE_TEXT", 12.34);
    data.AddValue(T::kString, "FROM_INT_TEXT", -3);
    EXPECT_EQ(data.FindInteger("HALF_DOWN"), 2);
    EXPECT_EQ(data.FindInteger("HALF_UP"), 4);
    EXPECT_EQ(data.FindInteger("NEG_HALF"), -2);
    EXPECT_EQ(data.FindInteger("TEXT"), 41);
    EXPECT_EQ(data.FindDouble("FROM_TEXT"), 12.5);
    EXPECT_EQ(data.FindDouble("FROM_INT"), 7.0);
    EXPECT_EQ(data.FindSingle("FROM_DOUBLE"), 0.1f);
    EXPECT_EQ(data.FindString("FROM_DOUBLE_TEXT"), "12.34");
    EXPECT_EQ(data.FindString("FROM_INT_TEXT"), "-3");
}

TEST(FileDataLookup, RefusedValuesAddNothing)
{
    FileData data;
    data.AddInteger("KEEP", 1);
    EXPECT_THROW(data.AddValue(T::kDouble, "X", std::string("abc")), std::invalid_argument);
    EXPECT_THROW(data.AddValue(T::kDouble, "X", std::string("12,5")), std::invalid_argument);
    EXPECT_THROW(data.AddValue(T::kInteger, "X", 3e9), std::out_of_range);
    EXPECT_THROW(data.AddValue(T::kInteger, "X", std::nan("")), std::invalid_argument);
    EXPECT_THROW(data.AddValue(T::kSingle, "X", 1e300), std::out_of_range);
    EXPECT_THROW(data.AddValue(static_cast<T>(7), "X", 1.0), std::invalid_argument);
    for (const char* name : {"", "TWO WORDS", "LINE\nBREAK", "CR\r"})
        EXPECT_THROW(data.AddInteger(name, 1), std::invalid_argument) << name;
    EXPECT_EQ(data.RecordCount(), 1u);
}

TEST(FileChunk, ChangingTheTypeConvertsOrChangesNothing)
{
    FileChunk chunk(T::kString, "N", std::string("12.5"));
    chunk.SetDataType(T::kDouble);
    EXPECT_EQ(chunk.value(), FileChunk::Value{12.5});
    chunk.SetDataType(T::kInteger);
    EXPECT_EQ(chunk.value(), FileChunk::Value{12});
    FileChunk text(T::kString, "N", std::string("abc"));
    EXPECT_THROW(text.SetDataType(T::kDouble), std::invalid_argument);
    EXPECT_EQ(text.DataType(), T::kString);
    EXPECT_THROW(text.SetName("A B"), std::invalid_argument);
    EXPECT_EQ(text.Name(), "N");
}

TEST(FileChunk, LinesToSkipAndRecords)
{
    EXPECT_FALSE(FileChunk::ReadRawData(""));
    EXPECT_FALSE(FileChunk::ReadRawData("# comment"));
    EXPECT_FALSE(FileChunk::ReadRawData("#"));
    const auto chunk = FileChunk::ReadRawData("(str) KEY   a = b  ");
    ASSERT_TRUE(chunk);
    EXPECT_EQ(chunk->Name(), "KEY");
    EXPECT_EQ(chunk->value(), FileChunk::Value{std::string("a = b")});
}

TEST(FileDataWriting, RefusesLinesThatCouldNotBeReadBack)
{
    FileData data;
    data.AddString("HUGE", std::string(FileChunk::kMaxLineLength, 'x'));
    EXPECT_THROW(data.WriteString(), std::length_error);
    // Escapes count: each line break is written as two characters.
    FileData breaks;
    breaks.AddString("B", std::string(FileChunk::kMaxLineLength / 2, '\n'));
    EXPECT_THROW(breaks.WriteString(), std::length_error);
}

// ---- Files on disk --------------------------------------------------------------------------

class FileDataOnDisk : public ::testing::Test {
protected:
    std::set<std::string> Entries(const fs::path& folder) const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    static FileData Sample()
    {
        FileData data;
        data.SetHeaderText({"Sample"});
        data.AddDouble("LENGTH", 12.34);
        data.AddString("NOTES", "two\r\nlines");
        return data;
    }

    // Whether this process can create a file in a folder whose write permission is
    // removed: the superuser can.
    bool IgnoresPermissions(const fs::path& folder) const
    {
        const fs::path probe = folder / "probe";
        { std::ofstream out(probe); }
        std::error_code ec;
        const bool created = fs::exists(probe, ec);
        fs::remove(probe, ec);
        return created;
    }

    ScratchFolder scratch_;
    const fs::path& folder_ = scratch_.Path();
};

TEST_F(FileDataOnDisk, SaveAndLoad)
{
    const fs::path path = folder_ / "hall.venue";
    Sample().WriteFile(path);
    EXPECT_EQ(ReadAll(path), Sample().WriteString());
    FileData back;
    back.ReadFile(path);
    EXPECT_EQ(back.FindDouble("LENGTH"), 12.34);
    EXPECT_EQ(back.FindString("NOTES"), "two\r\nlines");
}

TEST_F(FileDataOnDisk, SavingReplacesTheFileAndLeavesNoTemporary)
{
    const fs::path path = folder_ / "hall.venue";
    WriteAll(path, "old contents\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    Sample().WriteFile(path);
    EXPECT_EQ(ReadAll(path), Sample().WriteString());
    EXPECT_EQ(Entries(folder_), std::set<std::string>{"hall.venue"});
    // The replaced file keeps its permissions.
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// A file opened through a symbolic link (or a chain of them) is saved into its target, which
// is replaced whole; the links stay links.
TEST_F(FileDataOnDisk, SavingThroughSymbolicLinksReplacesTheTarget)
{
    fs::create_directories(folder_ / "real");
    const fs::path target = folder_ / "real" / "hall.venue";
    WriteAll(target, "old contents\r\n");
    const fs::path link = folder_ / "hall.venue";
    const fs::path chain = folder_ / "chain.venue";
    fs::create_symlink(fs::path("real") / "hall.venue", link); // relative to its folder
    fs::create_symlink(link, chain);
    for (const fs::path& through : {link, chain}) {
        FileData data = Sample();
        data.AddString("THROUGH", through.filename().string());
        data.WriteFile(through);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_TRUE(fs::is_symlink(chain));
        EXPECT_EQ(ReadAll(target), data.WriteString());
        EXPECT_EQ(Entries(folder_ / "real"), std::set<std::string>{"hall.venue"});
    }
    // A link whose target is missing makes it.
    const fs::path dangling = folder_ / "new.venue";
    fs::create_symlink(folder_ / "real" / "new target.venue", dangling);
    Sample().WriteFile(dangling);
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadAll(folder_ / "real" / "new target.venue"), Sample().WriteString());
    // A loop of links is refused and changes nothing.
    fs::create_symlink(folder_ / "loop b", folder_ / "loop a");
    fs::create_symlink(folder_ / "loop a", folder_ / "loop b");
    EXPECT_THROW(Sample().WriteFile(folder_ / "loop a"), std::runtime_error);
    EXPECT_TRUE(fs::is_symlink(folder_ / "loop a"));
}

TEST_F(FileDataOnDisk, SavingIntoAMissingFolderFails)
{
    const fs::path path = folder_ / "missing" / "hall.venue";
    try {
        Sample().WriteFile(path);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("folder does not exist"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(FileDataOnDisk, SavingIntoAFileAsFolderFails)
{
    WriteAll(folder_ / "plain", "x");
    EXPECT_THROW(Sample().WriteFile(folder_ / "plain" / "hall.venue"), std::runtime_error);
    EXPECT_EQ(ReadAll(folder_ / "plain"), "x");
}

TEST_F(FileDataOnDisk, FailedSaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    const fs::path folder = folder_ / "locked";
    fs::create_directories(folder);
    const fs::path path = folder / "hall.venue";
    WriteAll(path, "old contents\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (IgnoresPermissions(folder))
        GTEST_SKIP() << "this process may write into read-only folders";
    try {
        Sample().WriteFile(path);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadAll(path), "old contents\r\n");
    EXPECT_EQ(Entries(folder), std::set<std::string>{"hall.venue"});
}

TEST_F(FileDataOnDisk, FailedRenameRemovesTheTemporary)
{
    // A folder stands where the file should go: the temporary is written, the rename fails.
    const fs::path path = folder_ / "hall.venue";
    fs::create_directories(path / "inside");
    EXPECT_THROW(Sample().WriteFile(path), std::runtime_error);
    EXPECT_EQ(Entries(folder_), std::set<std::string>{"hall.venue"});
    EXPECT_TRUE(fs::is_directory(path / "inside"));
}

TEST_F(FileDataOnDisk, ReadOnlyFileIsNotReplaced)
{
    const fs::path path = folder_ / "hall.venue";
    WriteAll(path, "old contents\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_THROW(Sample().WriteFile(path), std::runtime_error);
    EXPECT_EQ(ReadAll(path), "old contents\r\n");
    EXPECT_EQ(Entries(folder_), std::set<std::string>{"hall.venue"});
}

TEST_F(FileDataOnDisk, UnwritableContentLeavesTheOldFile)
{
    const fs::path path = folder_ / "hall.venue";
    WriteAll(path, "old contents\r\n");
    FileData data;
    data.AddString("HUGE", std::string(FileChunk::kMaxLineLength, 'x'));
    EXPECT_THROW(data.WriteFile(path), std::length_error);
    EXPECT_EQ(ReadAll(path), "old contents\r\n");
    EXPECT_EQ(Entries(folder_), std::set<std::string>{"hall.venue"});
}

TEST_F(FileDataOnDisk, LoadingFailuresNameTheFile)
{
    FileData data;
    data.AddInteger("KEEP", 1);
    const fs::path missing = folder_ / "missing.venue";
    const fs::path bad = folder_ / "bad.venue";
    WriteAll(bad, "(int) A 1\r\n(int) B x\r\n");
    const struct {
        fs::path path;
        std::size_t line;
        const char* reasonHas;
    } cases[] = {{missing, 0, "does not exist"}, {folder_, 0, "folder"}, {bad, 2, "x"}};
    for (const auto& c : cases) {
        try {
            data.ReadFile(c.path);
            ADD_FAILURE() << c.path << ": no error";
        } catch (const FileFormatError& e) {
            EXPECT_EQ(e.FileName(), c.path.string());
            EXPECT_EQ(e.Line(), c.line);
            EXPECT_NE(e.Reason().find(c.reasonHas), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(data.RecordCount(), 1u);
}

} // namespace
} // namespace polvane
