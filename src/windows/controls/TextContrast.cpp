#include "windows/controls/TextContrast.h"

#include <algorithm>
#include <cmath>

namespace polvane {

namespace {

double Luminance(const QColor& c)
{
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double Worst(const QColor& ink, std::initializer_list<QColor> backs)
{
    double worst = 21.0;
    for (const QColor& back : backs)
        worst = std::min(worst, TextContrast::Ratio(ink, back));
    return worst;
}

QColor Mix(const QColor& from, const QColor& to, double t)
{
    const auto channel = [t](float a, float b) { return static_cast<float>(a + (b - a) * t); };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()));
}

} // namespace

double TextContrast::Ratio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor TextContrast::Readable(const QColor& ink, std::initializer_list<QColor> backs, double least)
{
    if (Worst(ink, backs) >= least)
        return ink;
    const QColor black(0, 0, 0), white(255, 255, 255);
    const QColor& towards = Worst(black, backs) >= Worst(white, backs) ? black : white;
    // The least step that reads plainly keeps as much of the wished colour as it can.
    constexpr int kSteps = 64;
    for (int step = 1; step < kSteps; ++step) {
        const QColor mixed = Mix(ink, towards, static_cast<double>(step) / kSteps);
        if (Worst(mixed, backs) >= least)
            return mixed;
    }
    return towards;
}

} // namespace polvane
