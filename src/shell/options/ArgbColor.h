#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace polvane {

// Colours as 32-bit ARGB values (alpha in the top byte, then red, green, blue) and their
// text form in the settings: the four bytes in decimal, alpha first, joined by ","
// ("255,0,64,255").
class ArgbColor {
public:
    static constexpr std::uint32_t MakeARGB(std::uint8_t alpha, std::uint8_t red,
                                            std::uint8_t green, std::uint8_t blue)
    {
        return (std::uint32_t{alpha} << 24) | (std::uint32_t{red} << 16) |
               (std::uint32_t{green} << 8) | std::uint32_t{blue};
    }
    static constexpr std::uint8_t Alpha(std::uint32_t argb) { return static_cast<std::uint8_t>(argb >> 24); }
    static constexpr std::uint8_t Red(std::uint32_t argb) { return static_cast<std::uint8_t>(argb >> 16); }
    static constexpr std::uint8_t Green(std::uint32_t argb) { return static_cast<std::uint8_t>(argb >> 8); }
    static constexpr std::uint8_t Blue(std::uint32_t argb) { return static_cast<std::uint8_t>(argb); }

    // The colour reference of the platform's window colours: red in the low byte, then
    // green and blue; alpha dropped.
    static constexpr std::uint32_t ARGBToRGB(std::uint32_t argb)
    {
        return std::uint32_t{Red(argb)} | (std::uint32_t{Green(argb)} << 8) |
               (std::uint32_t{Blue(argb)} << 16);
    }

    // "a,r,g,b" without leading zeros or blanks.
    static std::string RegistryColorOutput(std::uint32_t argb);

    // The colour of a text whose first four parts, split at ",", are numbers (blanks
    // around them allowed) that round, halves to even, to 0..255; parts after the fourth
    // are ignored. Nothing for any other text.
    static std::optional<std::uint32_t> ReadColorText(std::string_view text);
};

} // namespace polvane
