#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Point2D.h"
#include "model/Units.h"

namespace polvane {

class PrintDocument;
class Printer;

// A rectangle on the printed page that shows a piece of the model in model coordinates,
// y upward, with the same scale on both axes. Everything is drawn in black with the
// document's current drawing width; SetCoords must come before any drawing, or the
// drawing throws std::logic_error.
class PrintBox {
public:
    // The page rectangle in inches, from the document's printer.
    PrintBox(PrintDocument& document, float left, float top, float right, float bottom);

    // The model extent, after SetCoords.
    float Bottom() const { return modelBottom_; }
    float Left() const { return modelLeft_; }
    float Right() const { return modelRight_; }
    float Top() const { return modelTop_; }

    // A dimension line with end ticks, labelled with its length in the small unit of
    // `units` (the venue's).
    // Orientation 0 runs from model x a to b at model y position; 1 from model y a to b at
    // model x position. A position of 0 or less puts it 0.1 inch outside the box, above it
    // or right of it. The label reads b - a across and a - b down, so pass horizontal braces
    // left to right and vertical ones top to bottom. The label is centred on the line, or,
    // given labelAt, at that model coordinate along it (beside a brace too short to hold it).
    void BraceDistance(int orientation, float a, float b, float position, UnitsCode units,
                       std::optional<float> labelAt = std::nullopt);
    // A radius of 0 or less draws 0.07 inch, whatever the scale.
    void DrawCircle(const Point2D& centre, float radius);
    // Filled: the hang-point marker, a white circle with its upper left and lower right
    // quarters black.
    void DrawCircleFromXY(float x, float y, float radius, bool filled);
    void DrawLineFromXY(float x1, float y1, float x2, float y2);
    // Moves the printer's current position to the model point.
    void SetXY(float x, float y);
    // A length on the page in inches, in model units.
    float InchesToModel(float inches) const;
    // The widest of the texts, in model units.
    float TextWidth(const std::vector<std::string>& texts) const;
    void DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4);
    void DrawRectangleFromXY(float x1, float y1, float x2, float y2);
    // The second end is cut where it leaves the box on the right or at the bottom; callers
    // start such lines inside the box.
    void DrawLine(const Point2D& p1, const Point2D& p2);
    // The left and bottom axes with a tick and label at every whole model unit, drawn with
    // the line width given in twips; where the labels would run into each other only every
    // second, fifth, tenth ... unit is labelled. An axis of more than a thousand units is
    // ticked at a power of ten instead, and one beyond 1e15 not at all.
    void DrawScale(float lineWidth);
    // Throws std::invalid_argument for an extent that is empty both ways or not finite, and
    // for a box with no room on the page.
    void SetCoords(float left, float top, float right, float bottom);
    // At p1, or at the midpoint of p1 and p2, centred vertically: align 0 starts just right
    // of the point, 1 ends just left of it, 2 centres on it, any other starts at the cursor.
    void Text(const std::string& text, int align, const Point2D& p1,
              const std::optional<Point2D>& p2 = std::nullopt);
    // Centred on model x just above the box.
    void TopText(const std::string& text, float x);

private:
    float ToPageX(float x) const;
    float ToPageY(float y) const;
    // Inches per model unit, the same both ways.
    float PageScale() const;
    void RequireCoords() const;
    Printer& Device() const;
    void Line(float x1, float y1, float x2, float y2);

    PrintDocument& document_;
    float modelBottom_ = 0;
    float modelHeight_ = 0;
    float modelLeft_ = 0;
    float modelRight_ = 0;
    float modelTop_ = 0;
    float modelWidth_ = 0;
    float pageBottom_;
    float pageHeight_;
    float pageLeft_;
    float pageRight_;
    float pageTop_;
    float pageWidth_;
    bool coordsSet_ = false;
};

} // namespace polvane
