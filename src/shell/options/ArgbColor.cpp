#include "shell/options/ArgbColor.h"

#include <array>

#include "model/Format.h"
#include "shell/options/OptionText.h"

namespace polvane {

std::string ArgbColor::RegistryColorOutput(std::uint32_t argb)
{
    return std::to_string(Alpha(argb)) + "," + std::to_string(Red(argb)) + "," +
           std::to_string(Green(argb)) + "," + std::to_string(Blue(argb));
}

std::optional<std::uint32_t> ArgbColor::ReadColorText(std::string_view text)
{
    std::array<std::uint8_t, 4> bytes{};
    std::size_t start = 0;
    for (std::size_t part = 0; part < bytes.size(); ++part) {
        if (start > text.size())
            return std::nullopt; // fewer than four parts
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
        const std::optional<double> number = OptionText::ParseNumber(text.substr(start, end - start));
        if (!number)
            return std::nullopt;
        const double value = Format::RoundHalfEven(*number);
        if (!(value >= 0 && value <= 255))
            return std::nullopt;
        bytes[part] = static_cast<std::uint8_t>(value);
        start = comma == std::string_view::npos ? text.size() + 1 : comma + 1;
    }
    return MakeARGB(bytes[0], bytes[1], bytes[2], bytes[3]);
}

} // namespace polvane
