#include "shell/places/MainWindowPlace.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include <QWidget>

#include "model/Format.h"
#include "platform/ScreenInfo.h"
#include "shell/places/ScreenPlace.h"

namespace polvane {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

// A field of the stored main-window place, rounded to whole twips; nothing when it is
// not a number of the 32-bit range.
std::optional<int> WholeNumber(std::string_view field)
{
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value) || value < -2147483648.0 || value > 2147483647.0)
        return std::nullopt;
    return Format::WholeHalfEven(value);
}

int SaturatedSum(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

} // namespace

std::array<int, 4> MainWindowPlace::Twips() const
{
    const int twipsX = std::max(1, screen_.TwipsPerPixelX());
    const int twipsY = std::max(1, screen_.TwipsPerPixelY());
    return {window_.x() * twipsX, window_.y() * twipsY, window_.width() * twipsX,
            window_.height() * twipsY};
}

void MainWindowPlace::PlaceNormal(const std::array<int, 4>& twips)
{
    Hold(screen_.PixelsX(twips[0]), screen_.PixelsY(twips[1]), screen_.PixelsX(twips[2]),
         screen_.PixelsY(twips[3]));
    // Before the window is first shown neither its frame nor its final least size (the status
    // bar comes later) is known.
    heldUnshown_ = !window_.isVisible();
}

void MainWindowPlace::HoldAgainOnceShown()
{
    if (!heldUnshown_)
        return;
    heldUnshown_ = false;
    if (window_.windowState() == Qt::WindowNoState)
        Hold(window_.x(), window_.y(), window_.width(), window_.height());
}

void MainWindowPlace::Hold(int left, int top, int width, int height)
{
    // Stored places may come from a larger or a removed monitor, or a hand edit. The whole
    // frame must be on the screen: the stored width and height are those of its inside.
    const QSize frame = (window_.frameGeometry().size() - window_.size()).expandedTo(QSize(0, 0));
    const QSize least = window_.minimumSize().expandedTo(window_.minimumSizeHint()) + frame;
    const std::optional<ScreenPlace::Rect> held = ScreenPlace::HeldOnScreen(
        {left, top, SaturatedSum(width, frame.width()), SaturatedSum(height, frame.height())},
        {least.width(), least.height()}, screen_.Width(), screen_.Height());
    if (!held) {
        // A screen smaller than the window can hold it only as the presets place it.
        window_.setWindowState(Qt::WindowMaximized);
        return;
    }
    window_.setWindowState(Qt::WindowNoState);
    window_.move(held->left, held->top);
    window_.resize(held->width - frame.width(), held->height - frame.height());
}

std::string MainWindowPlace::Text() const
{
    const int state = window_.isMaximized() ? 2 : window_.isMinimized() ? 1 : 0;
    std::string text = std::to_string(state);
    for (const int value : Twips())
        text.append(1, ',').append(std::to_string(value));
    return text;
}

void MainWindowPlace::Restore(const std::string& text)
{
    if (text.empty())
        return;
    const std::vector<std::string_view> fields = Split(text, ',');
    if (WholeNumber(fields[0]) == 2) {
        window_.setWindowState(Qt::WindowMaximized);
        return;
    }
    // A damaged place is passed over: the window stays where it is.
    if (fields.size() < 5)
        return;
    std::array<int, 4> place{};
    for (std::size_t index = 0; index < place.size(); ++index) {
        const std::optional<int> value = WholeNumber(fields[index + 1]);
        if (!value)
            return;
        place[index] = *value;
    }
    PlaceNormal(place);
}

} // namespace polvane
