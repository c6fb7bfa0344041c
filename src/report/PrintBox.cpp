#include "report/PrintBox.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/Angle.h"
#include "model/Format.h"
#include "platform/Printer.h"
#include "report/PrintDocument.h"

namespace polvane {

namespace {

// Inches on the page.
constexpr float kGap = 0.015f;        // between a point or tick and its text
constexpr float kTick = 0.05f;        // scale ticks, and half a brace's end tick
constexpr float kBraceOutside = 0.1f; // a brace without a position, outside the box
constexpr float kDotRadius = 0.07f;   // a circle without a radius of its own

// Room added around the model extent so that nothing touches the axes.
constexpr float kExtentPad = 0.05f;

constexpr float kPi = static_cast<float>(Angle::kPi);

// Every whole model unit gets a tick. An extent of more units than a page can show (far-out
// model coordinates) is ticked at a power of ten instead, so that drawing stays bounded;
// beyond the whole numbers a double holds exactly it gets no ticks.
constexpr double kMostTicks = 1000;
constexpr double kLargestTick = 1e15;

// Room between two neighbouring scale labels, inches.
constexpr float kLabelSpace = 0.05f;

// The fewest units (1, 2, 5, 10, 20, 50, ...) between labels that leave each label `needed`
// inches of room, with `perUnit` inches between units.
long long LabelStep(float perUnit, float needed)
{
    if (!(perUnit > 0) || !std::isfinite(perUnit))
        return 1;
    for (long long decade = 1; decade <= static_cast<long long>(kLargestTick); decade *= 10)
        for (const long long step : {decade, 2 * decade, 5 * decade})
            if (static_cast<float>(step) * perUnit >= needed)
                return step;
    return static_cast<long long>(kLargestTick);
}

template <typename Draw>
void ForEachTick(float low, float high, Draw draw)
{
    const double first = std::floor(static_cast<double>(low)) + 1;
    const double last = std::floor(static_cast<double>(high));
    if (!(last >= first) || std::fabs(first) > kLargestTick || std::fabs(last) > kLargestTick)
        return;
    double step = 1;
    while ((last - first) / step >= kMostTicks)
        step *= 10;
    for (double i = std::ceil(first / step) * step; i <= last; i += step)
        draw(static_cast<long long>(i));
}

} // namespace

PrintBox::PrintBox(PrintDocument& document, float left, float top, float right, float bottom)
    : document_(document),
      pageBottom_(bottom),
      pageHeight_(bottom - top),
      pageLeft_(left),
      pageRight_(right),
      pageTop_(top),
      pageWidth_(right - left)
{
}

void PrintBox::BraceDistance(int orientation, float a, float b, float position, UnitsCode units,
                             std::optional<float> labelAt)
{
    if (orientation != 0 && orientation != 1)
        return;
    RequireCoords();
    Printer& printer = Device();
    const bool wasTransparent = printer.TransparentText();
    // The label blanks the line behind it.
    printer.SetTransparentText(false);
    const float lineHeight = document_.LineHeight();
    std::string label;
    if (orientation == 0) {
        const float lineY = position > 0 ? ToPageY(position) : pageTop_ - kBraceOutside;
        const float xa = ToPageX(a);
        const float xb = ToPageX(b);
        Line(xa, lineY - kTick, xa, lineY + kTick);
        Line(xa, lineY, xb, lineY);
        Line(xb, lineY - kTick, xb, lineY + kTick);
        label = Format::FormatSmallMeasurement(b - a, units);
        printer.SetCurrentX(ToPageX(labelAt.value_or((a + b) / 2)) - printer.TextWidth(label) / 2);
        printer.SetCurrentY(lineY - lineHeight / 2);
    } else {
        const float lineX = position > 0 ? ToPageX(position) : pageRight_ + kBraceOutside;
        const float ya = ToPageY(a);
        const float yb = ToPageY(b);
        Line(lineX - kTick, ya, lineX + kTick, ya);
        Line(lineX, ya, lineX, yb);
        Line(lineX - kTick, yb, lineX + kTick, yb);
        label = Format::FormatSmallMeasurement(a - b, units);
        printer.SetCurrentX(lineX - printer.TextWidth(label) / 2);
        printer.SetCurrentY(ToPageY(labelAt.value_or((a + b) / 2)) - lineHeight / 2);
    }
    printer.Print(label);
    printer.SetTransparentText(wasTransparent);
}

void PrintBox::DrawCircle(const Point2D& centre, float radius)
{
    DrawCircleFromXY(centre.x, centre.y, radius, false);
}

void PrintBox::DrawCircleFromXY(float x, float y, float radius, bool filled)
{
    RequireCoords();
    Printer& printer = Device();
    const float cx = ToPageX(x);
    const float cy = ToPageY(y);
    const float r = radius > 0 ? radius * PageScale() : kDotRadius;
    printer.DrawCircle(cx, cy, r);
    if (!filled)
        return;
    const std::uint32_t fill = printer.FillColor();
    printer.SetFillColor(printer.ForeColor());
    printer.DrawPie(cx, cy, r, 3 * kPi / 2, 2 * kPi);
    printer.DrawPie(cx, cy, r, kPi / 2, kPi);
    printer.SetFillColor(fill);
}

void PrintBox::DrawLineFromXY(float x1, float y1, float x2, float y2)
{
    RequireCoords();
    Line(ToPageX(x1), ToPageY(y1), ToPageX(x2), ToPageY(y2));
}

void PrintBox::SetXY(float x, float y)
{
    RequireCoords();
    Device().SetCurrentX(ToPageX(x));
    Device().SetCurrentY(ToPageY(y));
}

float PrintBox::InchesToModel(float inches) const
{
    RequireCoords();
    return inches / PageScale();
}

float PrintBox::TextWidth(const std::vector<std::string>& texts) const
{
    RequireCoords();
    float widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, Device().TextWidth(text));
    return widest / PageScale();
}

void PrintBox::DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4)
{
    DrawLineFromXY(p1.x, p1.y, p2.x, p2.y);
    DrawLineFromXY(p2.x, p2.y, p3.x, p3.y);
    DrawLineFromXY(p3.x, p3.y, p4.x, p4.y);
    DrawLineFromXY(p4.x, p4.y, p1.x, p1.y);
}

void PrintBox::DrawRectangleFromXY(float x1, float y1, float x2, float y2)
{
    DrawQuad({x1, y1}, {x2, y1}, {x2, y2}, {x1, y2});
}

void PrintBox::DrawLine(const Point2D& p1, const Point2D& p2)
{
    RequireCoords();
    const float x1 = ToPageX(p1.x);
    const float y1 = ToPageY(p1.y);
    float x2 = ToPageX(p2.x);
    float y2 = ToPageY(p2.y);
    // Aim lines run out of the box to the right and downward; cut them there. A line that
    // does not move across cannot be cut at a side, and one that does not move down not at
    // the bottom.
    if (x2 > pageRight_ && x2 != x1) {
        y2 = y1 + (pageRight_ - x1) / (x2 - x1) * (y2 - y1);
        x2 = pageRight_;
    }
    if (y2 > pageBottom_ && y2 != y1) {
        x2 = x1 + (pageBottom_ - y1) / (y2 - y1) * (x2 - x1);
        y2 = pageBottom_;
    }
    Line(x1, y1, x2, y2);
}

void PrintBox::DrawScale(float lineWidth)
{
    RequireCoords();
    document_.SetDrawingWidth(lineWidth);
    Printer& printer = Device();
    const float lineHeight = document_.LineHeight();
    Line(pageLeft_, pageTop_, pageLeft_, pageBottom_);
    Line(pageLeft_, pageBottom_, pageRight_, pageBottom_);

    // Where the units stand closer than their labels need, only every second, fifth, tenth
    // ... unit is labelled, so that the labels stay apart; every unit keeps its tick.
    float widest = 0;
    ForEachTick(modelLeft_, modelRight_, [&](long long i) { widest = std::max(widest, printer.TextWidth(std::to_string(i))); });
    const long long acrossEvery = LabelStep(PageScale(), widest + kLabelSpace);
    const long long upEvery = LabelStep(PageScale(), lineHeight + kLabelSpace / 2);
    ForEachTick(modelLeft_, modelRight_, [&](long long i) {
        const float x = ToPageX(static_cast<float>(i));
        Line(x, pageBottom_, x, pageBottom_ + kTick);
        if (i % acrossEvery != 0)
            return;
        const std::string label = std::to_string(i);
        printer.SetCurrentX(x - printer.TextWidth(label) / 2);
        printer.SetCurrentY(pageBottom_ + kTick + kGap);
        printer.Print(label);
    });
    ForEachTick(modelBottom_, modelTop_, [&](long long i) {
        const float y = ToPageY(static_cast<float>(i));
        Line(pageLeft_, y, pageLeft_ - kTick, y);
        if (i % upEvery != 0)
            return;
        const std::string label = std::to_string(i);
        printer.SetCurrentX(pageLeft_ - kTick - kGap - printer.TextWidth(label));
        printer.SetCurrentY(y - lineHeight / 2);
        printer.Print(label);
    });
}

void PrintBox::SetCoords(float left, float top, float right, float bottom)
{
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) ||
        !std::isfinite(bottom))
        throw std::invalid_argument("A box cannot show a model extent that is not finite.");
    if (right < left || top < bottom || (right == left && top == bottom))
        throw std::invalid_argument("A box needs a model extent with its right not left of its "
                                    "left, its top not below its bottom, and some size.");
    if (!(pageWidth_ > 0) || !(pageHeight_ > 0))
        throw std::invalid_argument("A box without room on the page cannot show the model.");

    const float padX = (right - left) * kExtentPad;
    modelLeft_ = left - padX;
    modelRight_ = right + padX;
    const float padY = (top - bottom) * kExtentPad;
    modelTop_ = top + padY;
    modelBottom_ = bottom - padY;
    modelWidth_ = modelRight_ - modelLeft_;
    modelHeight_ = modelTop_ - modelBottom_;

    // Grow the direction with room to spare, about the middle, so that both scales match.
    const float sx = modelWidth_ / pageWidth_;
    const float sy = modelHeight_ / pageHeight_;
    if (sy <= sx) {
        const float extra = sx * pageHeight_ - modelHeight_;
        modelTop_ += extra / 2;
        modelBottom_ -= extra / 2;
        modelHeight_ = modelTop_ - modelBottom_;
    } else {
        const float extra = sy * pageWidth_ - modelWidth_;
        modelLeft_ -= extra / 2;
        modelRight_ += extra / 2;
        modelWidth_ = modelRight_ - modelLeft_;
    }
    coordsSet_ = true;
}

void PrintBox::Text(const std::string& text, int align, const Point2D& p1,
                    const std::optional<Point2D>& p2)
{
    RequireCoords();
    Printer& printer = Device();
    const Point2D point = p2 ? p1.MidPointWith(*p2) : p1;
    const float x = ToPageX(point.x);
    const float width = printer.TextWidth(text);
    switch (align) {
    case 0: printer.SetCurrentX(x + kGap); break;
    case 1: printer.SetCurrentX(x - kGap - width); break;
    case 2: printer.SetCurrentX(x - width / 2); break;
    default: break;
    }
    printer.SetCurrentY(ToPageY(point.y) - document_.LineHeight() / 2);
    printer.Print(text);
}

void PrintBox::TopText(const std::string& text, float x)
{
    RequireCoords();
    Printer& printer = Device();
    printer.SetCurrentX(ToPageX(x) - printer.TextWidth(text) / 2);
    printer.SetCurrentY(pageTop_ - kGap - document_.LineHeight());
    printer.Print(text);
}

float PrintBox::ToPageX(float x) const
{
    return (x - modelLeft_) / modelWidth_ * pageWidth_ + pageLeft_;
}

float PrintBox::ToPageY(float y) const
{
    return (modelBottom_ - y) / modelHeight_ * pageHeight_ + pageBottom_;
}

float PrintBox::PageScale() const { return pageWidth_ / modelWidth_; }

void PrintBox::RequireCoords() const
{
    if (!coordsSet_)
        throw std::logic_error("A box draws in model coordinates only after SetCoords.");
}

Printer& PrintBox::Device() const { return document_.Device(); }

void PrintBox::Line(float x1, float y1, float x2, float y2)
{
    Device().SetForeColor(Printer::kBlack);
    Device().DrawLine(x1, y1, x2, y2);
}

} // namespace polvane
