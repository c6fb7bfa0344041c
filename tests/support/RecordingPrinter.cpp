#include "support/RecordingPrinter.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace polvane {

namespace {

// UTF-8 continuation bytes do not start a character.
float CodePoints(const std::string& text)
{
    return static_cast<float>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

RecordingPrinter::RecordingPrinter(float pageWidth, float pageHeight, float twipsPerPixel)
    : pageWidth_(pageWidth), pageHeight_(pageHeight), twipsPerPixel_(twipsPerPixel)
{
}

std::vector<RecordingPrinter::Call> RecordingPrinter::CallsOf(Op op) const
{
    std::vector<Call> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [op](const Call& call) { return call.op == op; });
    return found;
}

std::vector<std::string> RecordingPrinter::Texts() const
{
    std::vector<std::string> texts;
    for (const Call& call : calls_)
        if (call.op == Op::Text)
            texts.push_back(call.text);
    return texts;
}

const RecordingPrinter::Call& RecordingPrinter::TextCall(const std::string& text) const
{
    auto found = std::find_if(calls_.rbegin(), calls_.rend(), [&](const Call& call) {
        return call.op == Op::Text && call.text == text;
    });
    if (found == calls_.rend())
        throw std::logic_error("nothing printed the text \"" + text + "\"");
    return *found;
}

void RecordingPrinter::SetFont(float points, bool bold)
{
    fontPoints_ = points;
    bold_ = bold;
}

float RecordingPrinter::TextWidth(const std::string& text) const
{
    return CodePoints(text) * fontPoints_ / 120.0f;
}

float RecordingPrinter::TextHeight(const std::string&) const { return fontPoints_ / 60.0f; }

void RecordingPrinter::Print(const std::string& text)
{
    Record(Op::Text, CurrentX(), CurrentY()).text = text;
    SetCurrentX(0);
    SetCurrentY(CurrentY() + TextHeight(text));
}

void RecordingPrinter::DrawLine(float x1, float y1, float x2, float y2)
{
    Record(Op::Line, x1, y1, x2, y2);
    SetCurrentX(x2);
    SetCurrentY(y2);
}

void RecordingPrinter::DrawCircle(float cx, float cy, float radius)
{
    DrawPie(cx, cy, radius, 0, 0);
    calls_.back().op = Op::Circle;
}

void RecordingPrinter::DrawPie(float cx, float cy, float radius, float startAngle, float endAngle)
{
    Call& call = Record(Op::Pie, cx, cy);
    call.radius = radius;
    call.startAngle = startAngle;
    call.endAngle = endAngle;
    SetCurrentX(cx);
    SetCurrentY(cy);
}

void RecordingPrinter::PaintPicture(const std::string& name, float x, float y, float width,
                                    float height)
{
    Record(Op::Picture, x, y, width, height).text = name;
}

void RecordingPrinter::EndDoc() { Record(Op::EndDoc, CurrentX(), CurrentY()); }

void RecordingPrinter::KillDoc() { Record(Op::KillDoc, CurrentX(), CurrentY()); }

RecordingPrinter::Call& RecordingPrinter::Record(Op op, float x, float y, float x2, float y2)
{
    Call call;
    call.op = op;
    call.x = x;
    call.y = y;
    call.x2 = x2;
    call.y2 = y2;
    call.lineWidth = LineWidth();
    call.foreColor = ForeColor();
    call.fillColor = FillColor();
    call.fillStyle = Fill();
    call.transparentText = TransparentText();
    call.fontPoints = fontPoints_;
    call.bold = bold_;
    return calls_.emplace_back(std::move(call));
}

} // namespace polvane
