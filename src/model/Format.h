#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/BrandCode.h"
#include "model/Units.h"

namespace polvane {

// Display texts, bounds and small numeric and path helpers shared by the windows, the shell
// and the report. The measurement, weight and bound helpers label and bound a value in the
// units they are given (metric or English), which callers take from the
// venue; none of them converts between units.
//
// Texts are UTF-8. Numbers are written with a point as decimal separator whatever the
// locale, with exactly the pattern's decimals, rounded half away from zero on the shortest
// decimal text of the value (so 0.125 and 2.675 with two decimals give 0.13 and 2.68), with
// a minus sign for negatives, except that a value that rounds to zero never shows one.
class Format {
public:
    // 0 "TARVIC™ KV9", 1 "TARVIC™ KV7", 2 "TARVIC™ KV4", 4 "DE.VELT™",
    // any other code "R.SARN™".
    static std::string FormatBrand(BrandCode brand);
    // The model name of a cell type; empty for an index outside the product tables.
    static std::string FormatCellType(int type);
    // One decimal and the degree sign: "12.5°".
    static std::string FormatDegrees(double degrees);
    // "3.46 m" or "3.46 ft".
    static std::string FormatMeasurement(float length, UnitsCode units);
    // Centimetres or inches of a venue length: "50.00 cm" or "6.00 in".
    static std::string FormatSmallMeasurement(float length, UnitsCode units);
    // "12.5 kg" or "12.5 lbs".
    static std::string FormatWeight(float weight, UnitsCode units);
    static std::string FormatAttentuation(float dB); // "-1.5 dB"
    static std::string FormatSPL(float dB);          // "-1.50 dB"
    // "125 Hz", "1.25 kHz", "12.5 kHz".
    static std::string FormatFrequency(float hertz);
    // "Hole 3"; "(n/a)" for a negative hole number; kNoHole when no hole gives the splay.
    static std::string FormatPinning(std::optional<int> hole);
    static constexpr const char* kNoHole = "No hole";
    // "Arial, 10pt, Bold, Italic".
    static std::string FormatFont(std::string_view name, float size, bool bold, bool italic);

    // `decimals` decimals, rounded as described above. The text of a non-finite value is
    // "inf", "-inf" or "nan".
    static std::string FormatNumber(double value, int decimals);
    static std::string FormatNumber(float value, int decimals);
    // Up to seven significant digits, no trailing zeros, no exponent: 125 gives "125",
    // 12.5 gives "12.5", 1.0f / 3 gives "0.3333333".
    static std::string ShortestText(float value);

    // To the nearest whole number, halves to even (2.5 gives 2, 3.5 gives 4); a value that
    // is not finite comes back as it is.
    static double RoundHalfEven(double value);
    // The same as an int; 0 for a value beyond the int range or not a number.
    static int WholeHalfEven(double value);

    static int MaxLong(int a, int b) { return a < b ? b : a; }
    static int MinLong(int a, int b) { return a > b ? b : a; }
    static float MaxSingle(float a, float b) { return a >= b ? a : b; }
    static float MinSingle(float a, float b) { return a <= b ? a : b; }
    // low below the range, high above it; a NaN gives high.
    static float BoundSingle(float x, float low, float high);
    // Within 600 ft (182.88 m) either side of the array.
    static float BoundDistance(float x, UnitsCode units);
    // Between 0.001 and 600 ft (182.88 m).
    static float BoundLength(float x, UnitsCode units);
    // (a - b) * t + b in 64 bits: t = 0 gives b, t = 1 gives a.
    static float InterpolateValue(float a, float b, float t);
    // The nearest multiple of the grid size; exactly halfway goes to the lower one.
    // A grid size that is not a positive finite number, or an x that is not finite, leaves
    // x as it is; a multiple beyond the range of a single is never chosen.
    static float SnapTo(float x, float grid);
    // 6 ^ (-x / 20000).
    static float SPLECToPercent(float x);

    // Ascending by byte value (upper case before lower case; UTF-8 sorts by code point).
    static void BubbleSort(std::vector<std::string>& texts);

    // Paths split at "\" and at "/".
    // The text after the last separator; the whole path when there is none.
    static std::string GetFileName(std::string_view path);
    // The file name without the part from its last "." on.
    static std::string GetFileTitle(std::string_view path);
    // The text after the last "." of the whole path, which may reach into the folders
    // ("a.b\c" gives "b\c"); empty when there is no point.
    static std::string GetFileNameExtension(std::string_view path);
};

} // namespace polvane
