#include "plot/PlotScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QPen>
#include <QSize>

#include "model/Format.h"
#include "plot/PlotPainter.h"
#include "plot/PlotStyle.h"
#include "plot/PlotSurface.h"
#include "plot/PlotTransform.h"
#include "shell/options/FrequencyTable.h"
#include "shell/options/Options.h"

namespace polvane {
namespace {

using Kind = PlotStyle::Kind;
using PenRole = PlotStyle::PenRole;
using BrushRole = PlotStyle::BrushRole;

// Free pixels between neighbouring scale labels.
constexpr double kLabelGap = 2.0;
// A scale never needs more steps than there are pixels; this only stops a runaway loop on
// absurd bounds.
constexpr double kMaxScaleSteps = 100000.0;

// The whole multiples of step from the first strictly above low to the last not above high.
template <class F>
void ForEachStep(double low, double high, double step, F&& draw)
{
    if (!(step > 0.0) || !std::isfinite(low) || !std::isfinite(high))
        return;
    const double first = std::floor(low / step + 1.0);
    const double last = std::floor(high / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > kMaxScaleSteps)
        return;
    for (double k = first; k <= last; k += 1.0)
        draw(k * step);
}

// The graphs' value step: a multiple of `multiple`.
float GraphValueStep(int plotHeight, float range, int sample, int multiple)
{
    if (sample <= 0)
        return 0.0f;
    const int fit = Format::WholeHalfEven(static_cast<double>(plotHeight) / sample);
    if (fit <= 0)
        return 0.0f;
    const int pixelsPerLabel = plotHeight / fit;
    if (pixelsPerLabel <= 0)
        return 0.0f;
    const int perLabel = Format::WholeHalfEven(static_cast<double>(range) / pixelsPerLabel);
    return static_cast<float>((perLabel / multiple + 1) * multiple);
}

} // namespace

bool PlotScale::IsGraph() const
{
    return style_.GetKind() == Kind::EvennessGraph || style_.GetKind() == Kind::ListeningPointsGraph;
}

int PlotScale::BottomEdge() const { return transform_.Top() + transform_.PlotHeight(); }

std::string PlotScale::SignedText(double whole)
{
    const double rounded = Format::RoundHalfEven(whole);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(rounded));
    return std::string(rounded < 0.0 ? "-" : " ") + buffer;
}

int PlotScale::ScaleSampleSize(bool alongX) const
{
    if (!alongX)
        return painter_.MeasureText("Xy").height();
    const auto digits = [](float v) { return SignedText(std::trunc(v)).size(); };
    const std::size_t n = std::max(digits(transform_.XMax()), digits(transform_.XMin()));
    // A blank and the widest label's digits, all as wide as a zero.
    std::string sample(n + 1, '0');
    sample.front() = ' ';
    return painter_.MeasureText(sample).width();
}

float PlotScale::GeometryStep(int plotSize, float range, int sample) const
{
    if (sample <= 0)
        return 0.0f;
    if (style_.GetKind() == Kind::Venue) {
        // The venue's steps are always whole multiples of 5.
        const int fit = plotSize / sample;
        if (fit <= 0)
            return 0.0f;
        const int perLabel = Format::WholeHalfEven(static_cast<double>(range) / fit);
        return static_cast<float>((perLabel / 5 + 1) * 5);
    }
    const int fit = Format::WholeHalfEven(static_cast<double>(plotSize) / sample);
    if (fit <= 0)
        return 0.0f;
    const int pixelsPerLabel = plotSize / fit;
    if (pixelsPerLabel <= 0)
        return 0.0f;
    return static_cast<float>(
        std::max(1, Format::WholeHalfEven(static_cast<double>(range) / pixelsPerLabel)));
}

float PlotScale::StepWithRoom(float step, bool alongX, float increment) const
{
    const double range =
        IsGraph() ? transform_.ValueRange() : (alongX ? transform_.XRange() : transform_.YRange());
    const int plotSize = alongX ? transform_.PlotWidth() : transform_.PlotHeight();
    if (!(step > 0.0f) || !(range > 0.0) || !std::isfinite(range) || plotSize <= 0)
        return step;
    const double low =
        IsGraph() ? transform_.ValueBottom() : (alongX ? transform_.XMin() : transform_.YMin());
    const double high =
        IsGraph() ? transform_.ValueTop() : (alongX ? transform_.XMax() : transform_.YMax());
    const double perUnit = plotSize / range;
    // The next whole multiple of the increment that is at least `units`.
    const auto upTo = [increment](double units) {
        return static_cast<float>(std::ceil(units / increment) * increment);
    };
    // The rule can give steps whose labels run into each other (its step grows with the
    // range but not with the pixels per unit); then the next steps that leave each label
    // its own room are taken. First the sample's room, then each drawn label's.
    double needed = ScaleSampleSize(alongX) + kLabelGap;
    if (step * perUnit < needed)
        step = upTo(needed / perUnit);
    for (int tries = 0; tries < 8; ++tries) {
        double widest = 0.0;
        ForEachStep(low, high, step, [&](double value) {
            const QSize size = painter_.MeasureText(SignedText(value));
            widest = std::max(widest, static_cast<double>(alongX ? size.width() : size.height()));
        });
        needed = widest + kLabelGap;
        if (step * perUnit >= needed)
            break;
        step = std::max(step + increment, upTo(needed / perUnit));
    }
    return step;
}

float PlotScale::XStep() const
{
    if (IsGraph())
        return 0.0f;
    const float step =
        GeometryStep(transform_.PlotWidth(), transform_.XRange(), ScaleSampleSize(true));
    return StepWithRoom(step, true, style_.GetKind() == Kind::Venue ? 5.0f : 1.0f);
}

float PlotScale::YStep() const
{
    if (IsGraph()) {
        const int multiple = style_.GetKind() == Kind::EvennessGraph ? 5 : 3;
        const float step = GraphValueStep(transform_.PlotHeight(), transform_.ValueRange(),
                                          ScaleSampleSize(false), multiple);
        return StepWithRoom(step, false, static_cast<float>(multiple));
    }
    const float step =
        GeometryStep(transform_.PlotHeight(), transform_.YRange(), ScaleSampleSize(false));
    return StepWithRoom(step, false, style_.GetKind() == Kind::Venue ? 5.0f : 1.0f);
}

int PlotScale::FrequencyLabelStep() const
{
    if (!IsGraph())
        return 0;
    int widest = 0;
    for (int i = 1; i <= FrequencyTable::Count(); ++i)
        widest = std::max(
            widest, painter_.MeasureText(Format::FormatFrequency(FrequencyTable::Frequency(i))).width());
    // A graph narrower than its widest label goes without frequency labels.
    if (widest <= 0)
        return 0;
    const int fit = transform_.PlotWidth() / widest;
    if (fit <= 0)
        return 0;
    return FrequencyTable::Count() / fit + 1;
}

void PlotScale::Draw()
{
    labels_.clear();
    if (IsGraph())
        DrawGraph();
    else
        DrawGeometry();
}

void PlotScale::DrawGeometry()
{
    if (options_.ShowScale()) {
        const QPen& pen = style_.Pen(PenRole::ScaleLines);
        painter_.DrawLineFromXY(transform_.XMin(), transform_.YMax(), transform_.XMin(),
                                transform_.YMin(), pen);
        painter_.DrawLineFromXY(transform_.XMin(), transform_.YMin(), transform_.XMax(),
                                transform_.YMin(), pen);
    }
    DrawGeometryAxis(true);
    DrawGeometryAxis(false);
}

void PlotScale::DrawGeometryAxis(bool alongX)
{
    const bool scale = options_.ShowScale();
    const bool grid = options_.ShowGrid();
    const float step = alongX ? XStep() : YStep();
    // Only the array picture and the venue mark the zero line apart.
    const bool zeroPen = style_.GetKind() != Kind::RiggingDetails;
    const float low = alongX ? transform_.XMin() : transform_.YMin();
    const float high = alongX ? transform_.XMax() : transform_.YMax();

    ForEachStep(low, high, step, [&](double value) {
        const auto t = static_cast<float>(value);
        if (scale) {
            const QPen& pen = style_.Pen(PenRole::ScaleLines);
            if (alongX) {
                const float x = transform_.ConvertX(t);
                const auto y = static_cast<float>(BottomEdge());
                painter_.DrawLineManual(x, y, x, y + kTickLength, pen);
                DrawLabel(SignedText(value), TextFormat::CentredBelow, x, y + kTickLength, true);
            } else {
                const float y = transform_.ConvertY(t);
                const auto x = static_cast<float>(transform_.Left());
                painter_.DrawLineManual(x - kTickLength, y, x, y, pen);
                DrawLabel(SignedText(value), TextFormat::FarCentred, x - kTickLength, y, false);
            }
        }
        if (grid) {
            const QPen& pen =
                style_.Pen(zeroPen && value == 0.0 ? PenRole::GridZero : PenRole::GridNormal);
            if (alongX)
                painter_.DrawLineFromXY(t, transform_.YMin(), t, transform_.YMax(), pen);
            else
                painter_.DrawLineFromXY(transform_.XMin(), t, transform_.XMax(), t, pen);
        }
    });
}

void PlotScale::DrawGraph()
{
    const bool scale = options_.ShowScale();
    const bool grid = options_.ShowGrid();
    const QPen& scalePen = style_.Pen(PenRole::ScaleLines);
    const QPen& gridPen = style_.Pen(PenRole::GridNormal);
    const float first = FrequencyTable::Frequency(1);
    const float last = FrequencyTable::Frequency(FrequencyTable::Count());
    const auto bottomEdge = static_cast<float>(BottomEdge());
    const auto top = static_cast<float>(transform_.Top());
    // Value labels end left of their ticks.
    const auto labelX = static_cast<float>(transform_.Left() - kTickLength);

    painter_.DrawLineFromXY(first, transform_.ValueBottom(), last, transform_.ValueBottom(), scalePen);
    painter_.DrawLineFromXY(first, transform_.ValueTop(), first, transform_.ValueBottom(), scalePen);

    const int labelStep = FrequencyLabelStep();
    for (int i = 1; i <= FrequencyTable::Count(); ++i) {
        const float f = FrequencyTable::Frequency(i);
        const float x = transform_.ConvertX(f);
        if (scale) {
            painter_.DrawLineManual(x, bottomEdge, x, bottomEdge + kTickLength, scalePen);
            if (labelStep > 0 && (i - 1) % labelStep == 0)
                DrawLabel(Format::FormatFrequency(f), TextFormat::CentredBelow, x,
                          bottomEdge + kTickLength, true);
        }
        if (grid && style_.GetKind() == Kind::EvennessGraph)
            painter_.DrawLineManual(x, bottomEdge, x, top, gridPen);
    }

    ForEachStep(transform_.ValueBottom(), transform_.ValueTop(), YStep(), [&](double value) {
        const auto v = static_cast<float>(value);
        const float y = transform_.ConvertY(v);
        if (scale) {
            painter_.DrawLineManual(labelX, y, static_cast<float>(transform_.Left()), y, scalePen);
            DrawLabel(SignedText(value), TextFormat::FarCentred, labelX, y, false);
        }
        if (grid)
            painter_.DrawLineFromXY(first, v, last, v, gridPen);
    });

    if (grid && style_.GetKind() == Kind::ListeningPointsGraph) {
        // Decade lines 10 Hz .. 90 kHz, where they fall inside the table's range.
        for (int k = 1; k <= 4; ++k) {
            for (int m = 1; m <= 9; ++m) {
                const double f = m * std::pow(10.0, k);
                const double lg = std::log10(f);
                if (lg < transform_.LogFirst() || lg > transform_.LogLast())
                    continue;
                const float x = transform_.ConvertX(static_cast<float>(f));
                painter_.DrawLineManual(x, bottomEdge, x, top, gridPen);
            }
        }
    }
}

void PlotScale::DrawLabel(const std::string& text, TextFormat format, float x, float y,
                          bool alongX)
{
    if (!surface_.HasPainter())
        return;
    const QSize size = painter_.MeasureText(text);
    const double w = size.width();
    const double h = size.height();
    QRectF rect(x, y, w, h);
    if (format == TextFormat::CentredBelow)
        rect.moveTo(x - w / 2.0, y);
    else if (format == TextFormat::FarCentred)
        rect.moveTo(x - w, y - h / 2.0);
    else if (format == TextFormat::Centred)
        rect.moveTo(x - w / 2.0, y - h / 2.0);
    // A label at the picture's edge (the top value, the last frequency) is moved in whole
    // rather than cut; one that would then run into its neighbour is left out.
    const QRectF picture(0.0, 0.0, surface_.Image().width(), surface_.Image().height());
    if (rect.right() > picture.right())
        rect.moveRight(picture.right());
    if (rect.bottom() > picture.bottom())
        rect.moveBottom(picture.bottom());
    if (rect.left() < picture.left())
        rect.moveLeft(picture.left());
    if (rect.top() < picture.top())
        rect.moveTop(picture.top());
    for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
        if (it->alongX != alongX)
            continue;
        if (it->rect.intersects(rect))
            return;
        break;
    }
    painter_.DrawText(text, TextFormat::None, static_cast<float>(rect.left()),
                      static_cast<float>(rect.top()), style_.Font(), style_.Brush(BrushRole::Text));
    labels_.push_back(Label{alongX, text, rect});
}

} // namespace polvane
