#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/options/AppTitle.h"

namespace polvane {

class PrintBox;
class Printer;
class Prompts;

// One printed page seen through a printable area of 7 by 9.5 inches centred on the paper.
// Callers place text and boxes in percent of that area (x from its left edge, y from its
// top edge); the document works in inches on the printer. The text cursor is the printer's
// own current position, so drawing in a box moves it too.
//
// Creating the document sets the printer up; Finalize ends or cancels the job. Printer
// failures are exceptions, left to the caller.
class PrintDocument {
public:
    static constexpr float kPrintableWidth = 7.0f;
    static constexpr float kPrintableHeight = 9.5f;

    // title is the message boxes' title. Throws std::runtime_error when the printer reports
    // no pixel size.
    PrintDocument(Printer& printer, Prompts& prompts, std::string title = AppTitle::kTitle);

    // Moves the cursor down by n lines of the current text style.
    void BlankLine(int n);
    // A box from left to right and top to bottom (percent; a negative top is the cursor's
    // y), drawing inside the pads (percent of the whole printable area), with or without
    // its frame.
    std::unique_ptr<PrintBox> CreateFreeformBox(float left, float top, float right, float bottom,
                                                float padLeft, float padTop, float padRight,
                                                float padBottom, bool border);
    // Prints the page while the job is still on its first page; otherwise shows how many
    // pages it ran to and prints nothing.
    void Finalize();
    // Inches: the height of "Xy" in the current text style; 0 before any style is set.
    float LineHeight() const { return lineHeight_; }
    // Remembers the cursor; returns its number, from 1.
    int MemorizePosition();
    // The program's logo at the printable area's top right corner.
    void Logo();
    // Throws std::out_of_range for a number MemorizePosition did not return.
    void SeekToMemorizedPosition(int n);
    // Where the rule under underlined text starts and ends, percent of the printable width.
    void SetBorderClipping(float left, float right);
    // Line width in twips, printed in whole printer pixels.
    void SetDrawingWidth(float twips);
    // 0 heading, 16 point bold; 1 body, 11 point; 2 small, 8 point; any other keeps the
    // font. The line height is measured again in every case.
    void SetTextStyle(int style);
    // Prints text anchored at x, y (percent; exactly -1 is the cursor's coordinate): align 0
    // starts at the anchor, 1 ends there, 2 centres on it, any other starts at the cursor.
    // Rule underlines the whole line between the rule limits, clear of its descenders. Keep
    // on line leaves the cursor after the text; otherwise it goes to the next line under the
    // anchor (below the rule of a ruled line).
    void Text(const std::string& text, int align, bool keepOnLine, bool rule, float x = -1,
              float y = -1);
    // The text's width in the current text style, percent of the printable width.
    float TextWidth(const std::string& text) const;
    // The cursor, in percent of the printable area.
    float x() const;
    void SetX(float percent);
    float y() const;
    void SetY(float percent);

    // For the boxes, which draw on the same printer.
    Printer& Device() const { return printer_; }

private:
    float PercentToX(float percent) const;
    float PercentToY(float percent) const;
    float XToPercent(float inches) const;
    float YToPercent(float inches) const;
    float TwipsToPixels(float twips) const;

    Printer& printer_;
    Prompts& prompts_;
    std::string title_;
    int memorisedCount_ = 0;
    float ruleLeft_ = 0;
    float ruleRight_ = 100;
    float lineHeight_ = 0;
    float printableBottom_ = 0;
    float printableHeight_ = 0;
    float printableLeft_ = 0;
    float printableRight_ = 0;
    float printableTop_ = 0;
    float printableWidth_ = 0;
    float twipsPerPixel_ = 0;
    // The printer's line width, inches.
    float lineWidth_ = 0;
    // The last ruled line: its anchor y, and where the line after it may start.
    std::optional<float> ruledLineY_;
    float belowRule_ = 0;
    // Grown 100 entries at a time; the first memorisedCount_ entries are in use.
    std::vector<float> memorisedX_;
    std::vector<float> memorisedY_;
};

} // namespace polvane
