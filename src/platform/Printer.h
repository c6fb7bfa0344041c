#pragma once

#include <cstdint>
#include <string>

namespace polvane {

// One print job on one printer, addressed in inches from the paper's top left corner with
// y growing downward. The page document and its boxes draw through this and nothing else.
//
// The printer keeps a current position: drawing a line leaves it at the line's end, a
// circle or pie at its centre, and printing a text moves it to the start of the next line
// (x 0, y one text height lower). Texts are UTF-8.
class Printer {
public:
    // Colours as colour references: red in the low byte, then green, then blue.
    static constexpr std::uint32_t kBlack = 0x000000;
    static constexpr std::uint32_t kWhite = 0xFFFFFF;

    enum class FillStyle { Solid, Transparent };

    virtual ~Printer() = default;

    virtual float PageWidth() const = 0;
    virtual float PageHeight() const = 0;
    // The printer's horizontal twips (1/1440 inch) per device pixel.
    virtual float TwipsPerPixelX() const = 0;

    // The state kept between drawing calls, used by the next one.
    float CurrentX() const { return x_; }
    float CurrentY() const { return y_; }
    void SetCurrentX(float x) { x_ = x; }
    void SetCurrentY(float y) { y_ = y; }
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t color) { foreColor_ = color; }
    // How circles and pies are filled.
    FillStyle Fill() const { return fillStyle_; }
    void SetFillStyle(FillStyle style) { fillStyle_ = style; }
    std::uint32_t FillColor() const { return fillColor_; }
    void SetFillColor(std::uint32_t color) { fillColor_ = color; }
    // Transparent text leaves what lies behind it; opaque text blanks its box in white.
    bool TransparentText() const { return transparentText_; }
    void SetTransparentText(bool transparent) { transparentText_ = transparent; }
    // Lines and outlines, in whole device pixels.
    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int pixels) { lineWidth_ = pixels; }

    // The face stays what the printer has; only size and weight are chosen.
    virtual void SetFont(float points, bool bold) = 0;

    // In the current font, inches.
    virtual float TextWidth(const std::string& text) const = 0;
    virtual float TextHeight(const std::string& text) const = 0;
    // Prints with the text's top left corner at the current position.
    virtual void Print(const std::string& text) = 0;

    virtual void DrawLine(float x1, float y1, float x2, float y2) = 0;
    // Outlined in the fore colour and filled by the fill style and colour.
    virtual void DrawCircle(float cx, float cy, float radius) = 0;
    // The sector between two angles in radians, counter-clockwise from the positive x axis
    // as seen on the paper, with both radii drawn; filled like a circle.
    virtual void DrawPie(float cx, float cy, float radius, float startAngle, float endAngle) = 0;
    // A picture of the program's own, by name, scaled into the rectangle.
    virtual void PaintPicture(const std::string& name, float x, float y, float width,
                              float height) = 0;

    // 1-based; a job that ran past the bottom of its first page is on page 2 or later.
    virtual int Page() const = 0;
    // Sends the job to the printer.
    virtual void EndDoc() = 0;
    // Discards the job: nothing is printed.
    virtual void KillDoc() = 0;

private:
    float x_ = 0;
    float y_ = 0;
    std::uint32_t foreColor_ = kBlack;
    std::uint32_t fillColor_ = kBlack;
    FillStyle fillStyle_ = FillStyle::Transparent;
    bool transparentText_ = true;
    int lineWidth_ = 1;
};

} // namespace polvane
