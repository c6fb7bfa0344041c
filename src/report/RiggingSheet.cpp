#include "report/RiggingSheet.h"

#include <algorithm>
#include <vector>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

#include "engine/AutoConfigure.h"
#include "engine/CalculationResults.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"
#include "model/Format.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/PrinterFailure.h"
#include "report/PrintBox.h"
#include "report/PrintDocument.h"
#include "report/SheetPlacement.h"
#include "shell/session/UpdateHub.h"

namespace polvane {

namespace {

using ModelRect = SheetPlacement::ModelRect;
using Spread = SheetPlacement::Spread;

constexpr float kCursor = -1.0f;
// A circle radius that draws the 0.07 inch dot, and a brace position outside the box.
constexpr float kDot = -1.0f;
constexpr float kOutside = -1.0f;

// The least room between a caption and its value, and between a value and the next caption
// on its line: clearly more than the space between two words, so that neither reads as
// part of the other.
constexpr float kCaptionGapInches = 0.125f;
constexpr float kCaptionGap = kCaptionGapInches / PrintDocument::kPrintableWidth * 100;
// Where a printer's font is too wide for the figures' block, their gaps narrow to this,
// percent of the printable width.
constexpr float kLeastCaptionGap = 1.0f;
// The dot's radius in inches, and the room kept round a cell number that needs more.
constexpr float kDotInches = 0.07f;
constexpr float kCirclePadInches = 0.01f;
// Room between two numbers' circles, and the dot of a cell whose number finds no room.
constexpr float kNumberGapInches = 0.02f;
constexpr float kMarkInches = 0.02f;
// Between a point and the text written beside it, as the boxes keep it; between a label
// and the lines and labels around it; a brace outside its box, as the boxes draw it.
constexpr float kTextGapInches = 0.015f;
constexpr float kLabelGapInches = 0.03f;
constexpr float kBraceOutsideInches = 0.1f;
// Half the ink of an outline, and the least room between a label and that ink: labels
// beside an outline stand a label gap clear of it.
constexpr float kOutlineInkInches = RiggingSheet::kHeavyWidth / 1440.0f / 2;
constexpr float kOutlineClearInches = kOutlineInkInches + 0.025f;
// How far below a box's drawing the boxes start its scale's labels: a tick and a gap.
constexpr float kScaleLabelDropInches = 0.065f;

// Where the title's values start, percent of the printable width.
constexpr float kTitleValueStop = 7.0f;
// Column stops of the figures, percent of the printable width.
constexpr float kLabelStop = 45.0f;
constexpr float kValueStop = 70.0f;
constexpr float kLabel2Stop = 75.0f;
constexpr float kValue2Stop = 100.0f;
// The right edge of the cell table and of the side view under it.
constexpr float kTableRight = 39.0f;

// How far an aim line reaches from its cell, model units.
constexpr float kAimLength = 10.0f;
// Model coordinates beyond this are clamped before they are shown: the box's padding and
// fit must stay finite.
constexpr float kLargestCoordinate = 1e7f;

// A model extent that a box can show. A venue without cells, or a bumper without depth,
// gives an extent of no size, which gets one unit around its middle; figures that are not
// numbers give a unit square about the origin.
void ShowExtent(PrintBox& box, float left, float top, float right, float bottom)
{
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) ||
        !std::isfinite(bottom)) {
        left = bottom = -0.5f;
        right = top = 0.5f;
    }
    const auto clamp = [](float v) {
        return std::clamp(v, -kLargestCoordinate, kLargestCoordinate);
    };
    left = clamp(left);
    right = clamp(right);
    top = clamp(top);
    bottom = clamp(bottom);
    if (right < left)
        std::swap(left, right);
    if (top < bottom)
        std::swap(top, bottom);
    if (right == left && top == bottom) {
        left -= 0.5f;
        right += 0.5f;
        top += 0.5f;
        bottom -= 0.5f;
    }
    box.SetCoords(left, top, right, bottom);
}

// Hang points are stored unchecked; one that names no hole of the bumper is not drawn.
bool IsHole(const Bumper& bumper, int hole) { return hole >= 1 && hole <= bumper.HoleCount(); }

// The figures' columns: the usual stops where they leave every caption clear of its value by
// a gap. Otherwise the first value column widens to its widest caption and value and the
// second caption column follows it; where even that runs off the page, the whole block starts
// further left, though never over the cell table, and only then do the gaps narrow, never
// below the least one.
void PlaceFigureColumns(const PrintDocument& doc,
                        const std::vector<std::array<std::string, 4>>& rows, float& label,
                        float& value, float& label2)
{
    float first = 0;
    float second = 0;
    for (const auto& row : rows) {
        first = std::max(first, doc.TextWidth(row[0]) + doc.TextWidth(row[1]));
        second = std::max(second, doc.TextWidth(row[2]) + doc.TextWidth(row[3]));
    }
    // Four gaps: after the cell table, and between the four texts of a row.
    const float gap = std::clamp((kValue2Stop - kTableRight - first - second) / 4, kLeastCaptionGap, kCaptionGap);
    label = std::clamp(kValue2Stop - (first + second + 3 * gap), kTableRight + gap, kLabelStop);
    value = std::max(kValueStop - (kLabelStop - label), label + first + gap);
    label2 = std::min(std::max(kLabel2Stop, value + gap), kValue2Stop - second - gap);
}

// The circle round a cell's number: the usual dot, or wider where the number would not fit
// in it (digits stand about 0.6 of a line high).
float NumberCircleInches(const Printer& printer, const std::string& widest)
{
    const float halfDiagonal =
        0.5f * std::hypot(printer.TextWidth(widest), 0.6f * printer.TextHeight(widest));
    return std::max(kDotInches, halfDiagonal + kCirclePadInches);
}

// Where a horizontal brace from a to b at height y has its label: centred between the ends
// where it fits between them (nothing), otherwise beside the right end, or the left one,
// inside the box and off the outlines.
std::optional<float> BraceLabelAt(const PrintBox& box, float a, float b, float y, float lineHeight, UnitsCode units,
                                  const std::vector<std::array<Point2D, 4>>& outlines)
{
    const float width = box.TextWidth({Format::FormatSmallMeasurement(b - a, units)});
    const float gap = box.InchesToModel(kLabelGapInches);
    if (width + 2 * gap <= b - a)
        return std::nullopt;
    const float half = box.InchesToModel(lineHeight) / 2;
    for (const float left : {b + gap, a - gap - width}) {
        const ModelRect rect{left, y - half, left + width, y + half};
        if (SheetPlacement::IsClear(box, rect, {}, {}, 0, outlines, box.InchesToModel(kOutlineClearInches)))
            return left + width / 2;
    }
    return std::nullopt;
}

// How far right of a box's drawing a vertical brace stands so that its label, centred on
// it, stays off the drawing: the usual tenth of an inch, or more for a wide label.
float BraceOutsideInches(const PrintDocument& doc, const std::string& label)
{
    const float halfLabel = doc.TextWidth(label) / 100 * PrintDocument::kPrintableWidth / 2;
    return std::max(kBraceOutsideInches, halfLabel + kLabelGapInches);
}

// How many circle widths the side view may leave around the array for the numbers.
constexpr int kMostRoom = 3;
// How many half lines a joint's label may step left of the joint.
constexpr int kMostLabelSteps = 3;

} // namespace

RiggingSheet::RiggingSheet(Printer& printer, Prompts& prompts, ProgressController& bar,
                           CaptionLabel& percent, Clock& clock)
    : printer_(printer), prompts_(prompts), bar_(bar), percent_(percent), clock_(clock)
{
}

RiggingSheet::~RiggingSheet() = default;

std::string RiggingSheet::FileNameText(const std::string& venuePath)
{
    return venuePath.empty() ? "(untitled)" : Format::GetFileName(venuePath);
}

void RiggingSheet::PrintOut(Environment& venue, const Settings& settings,
                            CalculationResults& shared)
{
    shared = venue.GenerateCalculations(false, settings.engineeringMode);
    // The copy's single-point bumper starts level; its own prediction tilts it as the
    // venue's did, and gives the same figures.
    venue_ = venue.CloneOf();
    results_ = std::make_unique<CalculationResults>(venue_->GenerateCalculations(false));
    const auto cellCount = static_cast<std::size_t>(venue_->LineArray().Cells().Count());
    if (results_->CellResults.size() != cellCount)
        throw std::logic_error("The prediction does not hold one result per cell.");
    flown_ = venue_->LineArray().Configuration() == ConfigurationCode::Flown;
    Progress(0.1);

    try {
        document_ = std::make_unique<PrintDocument>(printer_, prompts_, settings.title);
    } catch (const std::runtime_error& refused) {
        throw PrinterFailure(refused.what());
    }
    Title(settings);
    Progress(0.2);
    CellTable();
    Progress(0.3);
    SideView(settings);
    Progress(0.4);
    Figures();
    Progress(0.7);
    Rigging();
    Progress(0.8);
    TopView();
    Progress(0.9);
    document_->Finalize();

    document_.reset();
    results_.reset();
    venue_.reset();
}

void RiggingSheet::Progress(double fraction)
{
    bar_.SetProgress(fraction);
    percent_.SetCaption(AutoConfigure::FormatPercent(fraction));
    clock_.LetMessagesRun();
}

void RiggingSheet::Title(const Settings& settings)
{
    PrintDocument& doc = *document_;
    doc.SetDrawingWidth(kNormalWidth);
    doc.Logo();
    doc.SetTextStyle(0);
    doc.Text("Polvane Rigging Sheet", 0, false, false, kCursor, kCursor);
    doc.SetTextStyle(1);
    // The values start at their usual stop unless a caption reaches too close to it.
    const float value =
        std::max(kTitleValueStop, std::max(doc.TextWidth("File:"), doc.TextWidth("Date:")) + kCaptionGap);
    doc.Text("File:", 0, true, false, 0, kCursor);
    doc.Text(FileNameText(settings.venuePath), 0, false, false, value, kCursor);
    doc.Text("Date:", 0, true, false, 0, kCursor);
    // The rule under the date runs across the whole width, the limits a new page has.
    doc.Text(settings.date, 0, false, true, value, kCursor);
}

void RiggingSheet::CellTable()
{
    PrintDocument& doc = *document_;
    doc.BlankLine(1);
    // The figures start level with the table's header.
    tablePosition_ = doc.MemorizePosition();
    doc.SetBorderClipping(0, kTableRight);
    doc.Text("Cell", 0, true, true, 0, kCursor);
    doc.Text("Type", 0, true, false, 6, kCursor);
    doc.Text("Angle", 0, true, false, 15, kCursor);
    doc.Text("Pinning", 0, true, false, 24, kCursor);
    // The last head ends with the rule under it, where a wide font would run past it.
    doc.Text("Splay", 0, false, false, std::min(34.0f, kTableRight - doc.TextWidth("Splay")), kCursor);
    const Cells& cells = venue_->LineArray().Cells();
    // The numbers end at their usual stop unless the widest would then start left of the
    // margin that the title, the rules and the boxes keep.
    float numberStop = 2.0f;
    for (int i = 1; i <= cells.Count(); ++i)
        numberStop = std::max(numberStop, doc.TextWidth(std::to_string(i)));
    for (int i = 1; i <= cells.Count(); ++i) {
        const Cell& cell = cells.Item(i);
        const CellResult& result = results_->CellResults[static_cast<std::size_t>(i - 1)];
        doc.Text(std::to_string(i), 1, true, false, numberStop, kCursor);
        doc.Text(Format::FormatCellType(cell.CellType()), 0, true, false, 6, kCursor);
        doc.Text(Format::FormatDegrees(result.Aim.Degrees()), 1, true, false, 20, kCursor);
        doc.Text(Format::FormatPinning(cell.PinPosition()), 0, true, false, 24, kCursor);
        doc.Text(Format::FormatDegrees(cell.SplayAngle().Degrees()), 1, false, false,
                 kTableRight, kCursor);
    }
}

void RiggingSheet::SideView(const Settings& settings)
{
    PrintDocument& doc = *document_;
    const CalculationResults& r = *results_;
    const LineArray& array = venue_->LineArray();
    const Bumper& bumper = array.Bumper();
    const Cells& cells = array.Cells();
    const std::vector<CellResult>& cellResults = r.CellResults;

    auto box = OpenBox(0, kTableRight, 100, 4, 1, 1, 2);
    // Where the numbers find no room beside a crowded array, the array is drawn a little
    // smaller, with room around it, a circle's width at a time.
    const float circleInches = NumberCircleInches(doc.Device(), std::to_string(cellResults.size()));
    std::vector<std::optional<Point2D>> places;
    float radius = 0;
    for (int room = 0; room <= kMostRoom; ++room) {
        const float around = room == 0 ? 0 : box->InchesToModel(2 * circleInches + kNumberGapInches);
        ShowExtent(*box, r.ArrayMinX - around * static_cast<float>(room), r.ArrayMaxY + around * static_cast<float>(room),
                   r.ArrayMaxX + around * static_cast<float>(room), r.ArrayMinY - around * static_cast<float>(room));
        radius = box->InchesToModel(circleInches);
        places = SheetPlacement::PlaceNumbers(*box, cellResults, radius, box->InchesToModel(kNumberGapInches));
        if (std::all_of(places.begin(), places.end(), [](const auto& place) { return place.has_value(); }))
            break;
    }
    box->DrawScale(kNormalWidth);

    doc.SetDrawingWidth(kHeavyWidth);
    box->DrawQuad(bumper.TopFront(), bumper.BottomFront(), bumper.BottomBack(), bumper.TopBack());
    std::vector<std::array<Point2D, 4>> outlines{{bumper.TopFront(), bumper.BottomFront(), bumper.BottomBack(), bumper.TopBack()}};
    for (const CellResult& c : cellResults)
        outlines.push_back({c.TopFront, c.BottomFront, c.BottomBack, c.TopBack});
    std::vector<ModelRect> jointLabels;
    for (int i = 1; i <= cells.Count(); ++i) {
        const CellResult& c = cellResults[static_cast<std::size_t>(i - 1)];
        box->DrawQuad(c.TopFront, c.BottomFront, c.BottomBack, c.TopBack);
        // Splays win over pin positions when both are asked for.
        std::string label;
        if (settings.showSplayAngles)
            label = Format::FormatDegrees(cells.Item(i).SplayAngle().Degrees());
        else if (settings.showPinning)
            label = Format::FormatPinning(cells.Item(i).PinPosition());
        else
            continue;
        // At the joint above the cell: for the first cell its edge against the bumper. A
        // label that would run into another, a number or an outline there moves half a line
        // down the cell's back, or up, or steps further left where the back edges slant
        // under it; on a crowded array one that finds no room is left out, the table lists
        // them all.
        const Point2D joint = i == 1 ? (flown_ ? c.TopBack : c.BottomBack)
                                     : c.TopBack.MidPointWith(cellResults[static_cast<std::size_t>(i - 2)].BottomBack);
        const float half = box->InchesToModel(doc.LineHeight()) / 2;
        const float width = box->TextWidth({label});
        const auto place = [&] {
            for (int step = 0; step <= kMostLabelSteps; ++step) {
                const float right = joint.x - box->InchesToModel(kOutlineInkInches + kLabelGapInches) -
                                    static_cast<float>(step) * half;
                for (const float shift : {0.0f, -half, half}) {
                    const ModelRect rect{right - width, joint.y + shift - half, right, joint.y + shift + half};
                    if (SheetPlacement::IsClear(*box, rect, jointLabels, places, radius, outlines,
                                box->InchesToModel(kOutlineClearInches))) {
                        // The box writes a text this far left of its point.
                        box->Text(label, 1, Point2D(right + box->InchesToModel(kTextGapInches), joint.y + shift));
                        jointLabels.push_back(rect);
                        return;
                    }
                }
            }
        };
        place();
    }

    // The aim lines end where they leave the box, on every side.
    doc.SetDrawingWidth(kThinWidth);
    for (const CellResult& c : cellResults)
        box->DrawLine(c.Source, SheetPlacement::InsideBox(*box, c.Source, c.Source.OffsetFromAH(c.Aim, kAimLength)));

    // The white circles hide the aim lines beneath the numbers. A cell whose number finds
    // no room is still marked by a small dot at its source; the table names it.
    doc.SetDrawingWidth(kNormalWidth);
    for (std::size_t i = 0; i < cellResults.size(); ++i) {
        if (places[i]) {
            box->DrawCircle(*places[i], radius);
            box->Text(std::to_string(i + 1), 2, *places[i]);
        } else {
            box->DrawCircle(cellResults[i].Source, box->InchesToModel(kMarkInches));
        }
    }
}

void RiggingSheet::Figures()
{
    PrintDocument& doc = *document_;
    const CalculationResults& r = *results_;
    const LineArray& array = venue_->LineArray();
    const Bumper& bumper = array.Bumper();

    doc.SetTextStyle(1);
    doc.SetDrawingWidth(kNormalWidth);
    doc.SeekToMemorizedPosition(tablePosition_);

    const UnitsCode units = venue_->Units();
    const double upper = r.UpperCoverageAngle.Degrees();
    const double lower = r.LowerCoverageAngle.Degrees();
    using Row = std::array<std::string, 4>;
    const Row type{"Type:", Format::FormatBrand(array.Brand()), "Pinning Style:",
                   array.PinStyle() == PinStyleCode::Fixed ? "Fixed" : "Slide"};
    const Row horizontal{"Horizontal:", Format::FormatMeasurement(bumper.Location().x, units), "Angle:",
                         Format::FormatDegrees(bumper.Angle().Degrees())};
    const Row vertical{"Vertical:", Format::FormatMeasurement(bumper.Location().y, units),
                       "Hanging Points:", bumper.Rigging() == RiggingCode::DualPoint ? "2" : "1"};
    const Row farThrow{"Far Throw:", Format::FormatMeasurement(r.FarThrow, units), "Upper Angle:",
                       Format::FormatDegrees(upper)};
    const Row shortThrow{"Short Throw:", Format::FormatMeasurement(r.NearThrow, units), "Lower Angle:",
                         Format::FormatDegrees(lower)};
    const Row weight{"Total Weight:", Format::FormatWeight(r.TotalWeight, units), "Total Coverage:",
                     Format::FormatDegrees(upper - lower)};
    // The trim height is the array's lowest point when flown, its highest when stacked.
    const Row height{"Array Height:", Format::FormatMeasurement(r.ArrayMaxY - r.ArrayMinY, units),
                     "Trim Height:", Format::FormatMeasurement(flown_ ? r.ArrayMinY : r.ArrayMaxY, units)};
    PlaceFigureColumns(doc, {type, horizontal, vertical, farThrow, shortThrow, weight, height},
                       figures_.label, figures_.value, figures_.label2);
    doc.SetBorderClipping(figures_.label, kValue2Stop);

    doc.Text("Array", 0, false, true, figures_.label, kCursor);
    Figure(type);
    Progress(0.5);

    doc.BlankLine(1);
    doc.Text("Bumper", 0, false, true, figures_.label, kCursor);
    Figure(horizontal);
    Figure(vertical);
    Progress(0.6);

    doc.BlankLine(1);
    doc.Text("Calculations", 0, false, true, figures_.label, kCursor);
    Figure(farThrow);
    Figure(shortThrow);
    Figure(weight);
    Figure(height);
}

void RiggingSheet::Figure(const std::array<std::string, 4>& row)
{
    PrintDocument& doc = *document_;
    doc.Text(row[0], 0, true, false, figures_.label, kCursor);
    doc.Text(row[1], 1, true, false, figures_.value, kCursor);
    doc.Text(row[2], 0, true, false, figures_.label2, kCursor);
    doc.Text(row[3], 1, false, false, kValue2Stop, kCursor);
}

std::unique_ptr<PrintBox> RiggingSheet::OpenBox(float left, float right, float bottom,
                                                float padLeft, float padTop, float padRight,
                                                float padBottom, const std::string& rightLabel)
{
    document_->BlankLine(2);
    document_->SetTextStyle(2);
    // The scale's labels under the drawing, and a label centred on a brace outside its
    // right edge, stay inside the frame.
    padBottom = std::max(padBottom, (kScaleLabelDropInches + document_->LineHeight() + kTextGapInches) /
                                        PrintDocument::kPrintableHeight * 100);
    if (!rightLabel.empty())
        padRight = std::max(padRight, (BraceOutsideInches(*document_, rightLabel) + kLabelGapInches) /
                                              PrintDocument::kPrintableWidth * 100 +
                                          document_->TextWidth(rightLabel) / 2);
    return document_->CreateFreeformBox(left, kCursor, right, bottom, padLeft, padTop, padRight,
                                        padBottom, true);
}

void RiggingSheet::Rigging()
{
    PrintDocument& doc = *document_;
    const CalculationResults& r = *results_;
    const Bumper& bumper = venue_->LineArray().Bumper();

    auto box = OpenBox(kLabelStop, 100, 60, 4, 2, 1, 2);
    ShowExtent(*box, r.RiggingMinX, r.RiggingMaxY, r.RiggingMaxX, r.RiggingMinY);
    box->DrawScale(kNormalWidth);
    doc.SetDrawingWidth(kHeavyWidth);
    box->DrawQuad(bumper.TopFront(), bumper.BottomFront(), bumper.BottomBack(), bumper.TopBack());
    doc.SetDrawingWidth(kNormalWidth);
    // With the centre of gravity outside the hang points no pair of cables carries the
    // weight as split between them: the sheet says so, as the status bar does, where the
    // loads would stand, and prints no figure a rigger could take for a load. A stacked
    // array is told the same, though it hangs from no cable.
    if (!r.Balanced)
        box->TopText(UpdateHub::kUnbalancedText, (box->Left() + box->Right()) / 2);
    for (int h = 1; h <= bumper.HoleCount(); ++h)
        box->DrawCircle(bumper.HoleLocation(h), bumper.HoleRadius());
    if (!flown_ || !IsHole(bumper, bumper.FrontHangPoint()))
        return;

    // The cables run from the top of their holes straight up out of the picture.
    const Point2D front = bumper.HoleLocation(bumper.FrontHangPoint());
    box->DrawLineFromXY(front.x, front.y + bumper.HoleRadius(), front.x, box->Top());
    if (bumper.Rigging() != RiggingCode::DualPoint || !IsHole(bumper, bumper.BackHangPoint()))
        return;
    const Point2D back = bumper.HoleLocation(bumper.BackHangPoint());
    box->DrawLineFromXY(back.x, back.y + bumper.HoleRadius(), back.x, box->Top());
    if (r.Balanced) {
        // The loads above their cables, apart from each other and over the box.
        const std::string frontLoad = Format::FormatWeight(r.FrontLoad, venue_->Units());
        const std::string backLoad = Format::FormatWeight(r.BackLoad, venue_->Units());
        const Spread loads =
            SheetPlacement::SpreadApart(back.x, box->TextWidth({backLoad}), front.x, box->TextWidth({frontLoad}),
                                        box->Left(), box->Right(), box->InchesToModel(kLabelGapInches));
        box->TopText(frontLoad, loads.right);
        box->TopText(backLoad, loads.left);
    }
    const float braceY = (std::max(front.y, back.y) + box->Top()) / 2;
    box->BraceDistance(0, back.x, front.x, braceY, venue_->Units(),
                       BraceLabelAt(*box, back.x, front.x, braceY, doc.LineHeight(), venue_->Units(),
                                    {{bumper.TopFront(), bumper.BottomFront(), bumper.BottomBack(), bumper.TopBack()}}));
}

void RiggingSheet::TopView()
{
    PrintDocument& doc = *document_;
    const CalculationResults& r = *results_;
    const Bumper& bumper = venue_->LineArray().Bumper();

    doc.SetY(60);
    doc.SetTextStyle(1);
    const float d = bumper.Depth() / 2;
    const std::string depth = Format::FormatSmallMeasurement(2 * d, venue_->Units());
    auto box = OpenBox(kLabelStop, 100, 100, 4, 1, 5, 2, depth);
    const float minX = r.RiggingMinX;
    const float maxX = r.RiggingMaxX;
    ShowExtent(*box, minX, d, maxX, -d);
    box->DrawScale(kNormalWidth);
    // Right of the box: the bumper's depth, its label clear of the bumper.
    const float outside = BraceOutsideInches(doc, depth);
    box->BraceDistance(1, d, -d, outside > kBraceOutsideInches ? box->Right() + box->InchesToModel(outside) : kOutside,
                       venue_->Units());
    doc.SetDrawingWidth(kHeavyWidth);
    box->DrawRectangleFromXY(minX, d, maxX, -d);
    doc.SetDrawingWidth(kThinWidth);
    box->DrawLineFromXY(minX, 0, maxX, 0);
    doc.SetDrawingWidth(kNormalWidth);
    if (!flown_ || !IsHole(bumper, bumper.FrontHangPoint()))
        return;

    const float frontX = bumper.HoleLocation(bumper.FrontHangPoint()).x;
    box->DrawCircleFromXY(frontX, 0, kDot, true);
    if (bumper.Rigging() != RiggingCode::DualPoint || !IsHole(bumper, bumper.BackHangPoint()))
        return;
    const float backX = bumper.HoleLocation(bumper.BackHangPoint()).x;

    // An array out of balance has its hang points named and no loads.
    std::vector<std::string> frontLabel{"Front"};
    std::vector<std::string> backLabel{"Back"};
    if (r.Balanced) {
        frontLabel.push_back("Load: " + Format::FormatWeight(r.FrontLoad, venue_->Units()));
        backLabel.push_back("Load: " + Format::FormatWeight(r.BackLoad, venue_->Units()));
    }
    const float wF = box->TextWidth(frontLabel);
    const float wB = box->TextWidth(backLabel);
    // The labels stand under their markers inside the bumper's outline, clear of its ink and
    // of each other. Where the bumper is too narrow for them side by side, the back label
    // goes under the front one; one wider than the bumper is centred on it.
    const float gap = box->InchesToModel(kOutlineInkInches + kLabelGapInches);
    const float low = minX + gap;
    const float high = maxX - gap;
    Spread at = SheetPlacement::SpreadApart(backX, wB, frontX, wF, low, high, 2 * gap);
    int backLines = 1;
    if (!at.fits) {
        const auto alone = [&](float x, float width) {
            return width <= high - low ? std::clamp(x, low + width / 2, high - width / 2) : (minX + maxX) / 2;
        };
        at = Spread{alone(backX, wB), alone(frontX, wF), false};
        // A blank line under the front label's lines.
        backLines = 2 + static_cast<int>(frontLabel.size());
    }

    const auto label = [&](float x, int lines, const std::vector<std::string>& texts) {
        box->SetXY(x, 0);
        doc.BlankLine(lines);
        for (const std::string& text : texts)
            doc.Text(text, 2, false, false, kCursor, kCursor);
    };
    label(at.right, 1, frontLabel);
    box->DrawCircleFromXY(backX, 0, kDot, true);
    label(at.left, backLines, backLabel);
    box->BraceDistance(0, backX, frontX, 0.15f * d, venue_->Units(),
                       BraceLabelAt(*box, backX, frontX, 0.15f * d, doc.LineHeight(), venue_->Units(),
                                    {{Point2D(minX, d), Point2D(maxX, d), Point2D(maxX, -d), Point2D(minX, -d)}}));
}

} // namespace polvane
