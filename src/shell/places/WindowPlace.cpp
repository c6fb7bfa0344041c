#include "shell/places/WindowPlace.h"

#include <limits>
#include <vector>

#include "model/Format.h"
#include "shell/options/OptionText.h"

namespace polvane {

namespace {

std::vector<std::string_view> SplitAtCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

std::optional<int> Twips(std::string_view field)
{
    const std::optional<double> number = OptionText::ParseNumber(field);
    if (!number)
        return std::nullopt;
    const double whole = Format::RoundHalfEven(*number);
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(whole);
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<WindowPlace> WindowPlace::Parse(std::string_view text, bool sizable)
{
    if (text.empty())
        return std::nullopt;
    const std::vector<std::string_view> parts = SplitAtCommas(text);
    const std::size_t needed = sizable ? 5 : 3;
    if (parts.size() < needed)
        return std::nullopt;
    WindowPlace place;
    place.visible = TrimBlanks(parts[0]) != "0";
    place.sizable = sizable;
    int* const fields[] = {&place.left, &place.top, &place.width, &place.height};
    for (std::size_t i = 1; i < needed; ++i) {
        const std::optional<int> twips = Twips(parts[i]);
        if (!twips)
            return std::nullopt;
        *fields[i - 1] = *twips;
    }
    return place;
}

std::string WindowPlace::Text() const
{
    std::string text(visible ? "1" : "0");
    for (const int value : {left, top})
        text.append(1, ',').append(std::to_string(value));
    if (sizable)
        for (const int value : {width, height})
            text.append(1, ',').append(std::to_string(value));
    return text;
}

} // namespace polvane
