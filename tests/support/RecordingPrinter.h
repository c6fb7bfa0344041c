#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Printer.h"

namespace polvane {

// A printer for tests: nothing reaches paper; every drawing call is recorded with the
// printer's state at that moment. Its font metrics are simple and exact, so expected
// positions can be worked out by hand: a text is 1/120 inch per point wide for each
// character (code point) and 1/60 inch per point high.
class RecordingPrinter : public Printer {
public:
    enum class Op { Line, Circle, Pie, Text, Picture, EndDoc, KillDoc };

    struct Call {
        Op op = Op::Line;
        // Line: from (x, y) to (x2, y2). Circle and pie: the centre. Text: where it was
        // printed. Picture: the top left corner, and width and height in x2 and y2.
        float x = 0, y = 0, x2 = 0, y2 = 0;
        float radius = 0, startAngle = 0, endAngle = 0;
        std::string text; // the text printed, or the picture's name
        int lineWidth = 1;
        std::uint32_t foreColor = kBlack;
        std::uint32_t fillColor = kBlack;
        FillStyle fillStyle = FillStyle::Transparent;
        bool transparentText = true;
        float fontPoints = 10;
        bool bold = false;
    };

    explicit RecordingPrinter(float pageWidth = 8.5f, float pageHeight = 11.0f,
                              float twipsPerPixel = 2.4f);

    // The page the job is on, as if it had run onto further pages.
    void SetPage(int page) { page_ = page; }

    const std::vector<Call>& Calls() const { return calls_; }
    std::vector<Call> CallsOf(Op op) const;
    // The texts printed, in order.
    std::vector<std::string> Texts() const;
    // The last text printed that equals text; throws std::logic_error when there is none.
    const Call& TextCall(const std::string& text) const;
    void ClearCalls() { calls_.clear(); }
    float FontPoints() const { return fontPoints_; }
    bool Bold() const { return bold_; }

    float PageWidth() const override { return pageWidth_; }
    float PageHeight() const override { return pageHeight_; }
    float TwipsPerPixelX() const override { return twipsPerPixel_; }
    void SetFont(float points, bool bold) override;
    float TextWidth(const std::string& text) const override;
    float TextHeight(const std::string& text) const override;
    void Print(const std::string& text) override;
    void DrawLine(float x1, float y1, float x2, float y2) override;
    void DrawCircle(float cx, float cy, float radius) override;
    void DrawPie(float cx, float cy, float radius, float startAngle, float endAngle) override;
    void PaintPicture(const std::string& name, float x, float y, float width,
                      float height) override;
    int Page() const override { return page_; }
    void EndDoc() override;
    void KillDoc() override;

private:
    // Appends the call with the printer's state as it is now.
    Call& Record(Op op, float x, float y, float x2 = 0, float y2 = 0);

    float pageWidth_;
    float pageHeight_;
    float twipsPerPixel_;
    float fontPoints_ = 10;
    bool bold_ = false;
    int page_ = 1;
    std::vector<Call> calls_;
};

} // namespace polvane
