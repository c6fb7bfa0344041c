#pragma once

#include <array>
#include <memory>
#include <string>

#include "shell/options/AppTitle.h"

namespace polvane {

struct CalculationResults;
class CaptionLabel;
class Clock;
class Environment;
class PrintBox;
class PrintDocument;
class Printer;
class ProgressController;
class Prompts;

// The one-page rigging sheet of the open venue's array: the title with the logo, the file
// and the date, the table of the cells, the array from the side, the array's, bumper's and
// calculation figures, the rigging with its cables and loads, and the bumper from above
// with its hang points. A dual-point array whose centre of gravity lies outside its hang
// points, flown or stacked, gets no load figures: its rigging box says that it is
// unbalanced instead, in the status bar's words.
//
// The prediction runs first and its results become the caller's shared results. The
// sheet is then laid out from a copy of the venue taken at that moment: window messages run
// at every progress step, and an edit or a new venue meanwhile must not change (or pull away)
// what is being printed. Progress goes from 10 % to 90 % on the bar and its label.
//
// Printer failures are PrinterFailure exceptions; any other exception is a fault.
class RiggingSheet {
public:
    // Line widths, twips.
    static constexpr float kHeavyWidth = 30.0f;
    static constexpr float kNormalWidth = 15.0f;
    static constexpr float kThinWidth = 7.5f;

    struct Settings {
        std::string venuePath; // empty for a venue never saved
        std::string date;      // today, as the user writes dates
        bool showSplayAngles = false;
        bool showPinning = false;
        bool engineeringMode = false; // the shared results hold the listening points' levels
        std::string title = AppTitle::kTitle; // the message boxes' title
    };

    RiggingSheet(Printer& printer, Prompts& prompts, ProgressController& bar,
                 CaptionLabel& percent, Clock& clock);
    ~RiggingSheet();
    RiggingSheet(const RiggingSheet&) = delete;
    RiggingSheet& operator=(const RiggingSheet&) = delete;

    // Predicts into `shared`, lays the sheet out and ends the job (or cancels it when it ran
    // past its first page, after telling the user).
    void PrintOut(Environment& venue, const Settings& settings, CalculationResults& shared);

    // What the sheet writes after "File:": the name after the last folder separator, or
    // "(untitled)".
    static std::string FileNameText(const std::string& venuePath);

private:
    void Progress(double fraction);
    void Title(const Settings& settings);
    void CellTable();
    void SideView(const Settings& settings);
    void Figures();
    void Figure(const std::array<std::string, 4>& row);
    // Two lines down, in small text: a framed box from the cursor's line down to bottom,
    // its right pad wide enough for rightLabel centred on a brace right of the drawing.
    std::unique_ptr<PrintBox> OpenBox(float left, float right, float bottom, float padLeft,
                                      float padTop, float padRight, float padBottom,
                                      const std::string& rightLabel = {});
    void Rigging();
    void TopView();

    Printer& printer_;
    Prompts& prompts_;
    ProgressController& bar_;
    CaptionLabel& percent_;
    Clock& clock_;

    // For one run.
    std::unique_ptr<Environment> venue_;
    std::unique_ptr<CalculationResults> results_;
    std::unique_ptr<PrintDocument> document_;
    bool flown_ = false;
    int tablePosition_ = 0;
    // Where the figures' labels start, their values end and their second labels start,
    // percent of the printable width.
    struct {
        float label = 0;
        float value = 0;
        float label2 = 0;
    } figures_;
};

} // namespace polvane
