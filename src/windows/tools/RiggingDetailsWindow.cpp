#include "windows/tools/RiggingDetailsWindow.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <QColor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QSizeF>

#include "engine/Environment.h"
#include "model/Format.h"
#include "shell/options/ColorTable.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "plot/NearestItem.h"
#include "plot/PictureFingerprint.h"
#include "plot/PlotPictureBox.h"

namespace polvane {

namespace {

using PenRole = PlotCanvas::PenRole;
using BrushRole = PlotCanvas::BrushRole;
using TextFormat = PlotCanvas::TextFormat;

constexpr float kCrossArm = 5.0f;
constexpr float kArrow = 4.0f;
// Pixels between a label and the cable or hole it stands beside, and between a
// dimension line and its text.
constexpr float kLabelGap = 3.0f;
constexpr float kLineGap = 2.0f;

// Whether any part of the line lies in the rectangle.
bool LineCrossesRect(const QLineF& line, const QRectF& rect)
{
    if (rect.contains(line.p1()) || rect.contains(line.p2()))
        return true;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()}, {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()}, {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF& edge : edges)
        if (line.intersects(edge, nullptr) == QLineF::BoundedIntersection)
            return true;
    return false;
}

// Whole pixels of a drawn length; absurd ones (a zero range, a huge hole) give none.
int WholePixels(float value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1.0e6f)
        return 0;
    return static_cast<int>(std::lround(value));
}

Bumper& VenueBumper(ToolWindowContext& context) { return context.lifecycle.Venue().LineArray().Bumper(); }

} // namespace

RiggingDetailsWindow::RiggingDetailsWindow(ToolWindowContext& context, QWidget* parent)
    : DrawingWindow(ToolWindowId::RiggingDetails, context, PlotCanvas::Kind::RiggingDetails,
                    "picRigging", parent)
{
}

RiggingDetailsWindow::~RiggingDetailsWindow()
{
    // An open rigging menu must not hand its choice to a window that is gone.
    if (Context().popupMenus != nullptr)
        Context().popupMenus->SetRiggingPopupTarget(nullptr);
}

std::string RiggingDetailsWindow::MarginText() const
{
    return Format::FormatSmallMeasurement(VenueBumper(Context()).YDistanceBetweenCables(), VenueUnits());
}

std::string RiggingDetailsWindow::DrawnFrom() const
{
    // What DrawBumper draws from. A splay step moves the centre of gravity of an array
    // that is out of balance but changes nothing here while the cross stays off the picture.
    const PlotCanvas& canvas = Canvas();
    const Options& options = Context().options;
    const CalculationResults& results = Context().session.Results();
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    const Bumper& bumper = array.Bumper();
    PictureFingerprint key;
    key.Add(bumper.TopFront()).Add(bumper.BottomFront()).Add(bumper.BottomBack()).Add(bumper.TopBack());
    key.Add(bumper.HoleRadius());
    const int holes = std::max(0, bumper.HoleCount());
    key.Add(holes);
    for (int i = 1; i <= holes; ++i)
        key.Add(bumper.HoleLocation(i));
    key.Add(array.Configuration()).Add(bumper.Rigging()).Add(bumper.FrontHangPoint()).Add(bumper.BackHangPoint());
    key.Add(options.ShowDistanceBetweenCables()).Add(options.ShowCenterOfGravity()).Add(options.ShowWeights());
    key.Add(Format::FormatSmallMeasurement(bumper.XDistanceBetweenCables(), VenueUnits()));
    key.Add(Format::FormatSmallMeasurement(bumper.YDistanceBetweenCables(), VenueUnits()));
    if (options.ShowCenterOfGravity()) {
        const int gx = WholePixels(canvas.ConvertX(results.HangLinePoint.x));
        const int gy = WholePixels(canvas.ConvertY(results.HangLinePoint.y));
        // The cross's arms and the width of its pen.
        const int reach = static_cast<int>(kCrossArm) + 3;
        const QRect cross(gx - reach, gy - reach, 2 * reach + 1, 2 * reach + 1);
        const bool crossShows = cross.intersects(QRect(QPoint(0, 0), canvas.Surface().size()));
        key.Add(crossShows);
        if (crossShows)
            key.Add(gx).Add(gy);
    }
    key.Add(results.Balanced);
    if (results.Balanced && options.ShowWeights()) {
        key.Add(Format::FormatWeight(results.FrontLoad, VenueUnits()));
        key.Add(Format::FormatWeight(results.BackLoad, VenueUnits()));
    }
    return key.Take();
}

void RiggingDetailsWindow::DrawContent() { DrawBumper(); }

void RiggingDetailsWindow::DrawBumper()
{
    PlotCanvas& canvas = Plot();
    const Options& options = Context().options;
    const CalculationResults& results = Context().session.Results();
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    const Bumper& bumper = array.Bumper();
    labels_.clear();
    lines_.clear();

    // One path with the holes in it, filled alternately so that the holes stay open.
    outline_ = QPolygonF({PixelOf(bumper.TopFront()), PixelOf(bumper.BottomFront()),
                          PixelOf(bumper.BottomBack()), PixelOf(bumper.TopBack())});
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(outline_);
    path.closeSubpath();
    const int w = WholePixels(canvas.ConvertWidth(2 * bumper.HoleRadius()));
    const int h = WholePixels(canvas.ConvertHeight(2 * bumper.HoleRadius()));
    const int holes = std::max(0, bumper.HoleCount());
    holePoints_.assign(static_cast<std::size_t>(holes), QPointF());
    for (int i = 1; i <= holes; ++i) {
        const QPointF at = PixelOf(bumper.HoleLocation(i));
        holePoints_[static_cast<std::size_t>(i - 1)] = at;
        path.addEllipse(at, w / 2.0, h / 2.0);
    }
    canvas.DrawFillPath(path, canvas.Brush(BrushRole::BumperFill), canvas.Pen(PenRole::BumperEdge));

    // Out of balance, flown or stacked: said over the picture, where the loads would stand.
    float noticeTop = 1.0f;
    for (const std::string& line : NoticeLines()) {
        const QSizeF size(canvas.MeasureText(line));
        const float left = std::max(0.0f, (static_cast<float>(canvas.Surface().width()) -
                                           static_cast<float>(size.width())) / 2);
        DrawLabel(line, QRectF(QPointF(left, noticeTop), size), false);
        noticeTop += static_cast<float>(size.height()) + 1;
    }

    if (array.Configuration() != ConfigurationCode::Flown)
        return;
    // Hang points outside the bumper's holes (a damaged file) hang no cable.
    auto holeAt = [&](int hole) -> const QPointF* {
        return hole >= 1 && hole <= holes ? &holePoints_[static_cast<std::size_t>(hole - 1)] : nullptr;
    };
    const auto top = static_cast<float>(canvas.Top());
    const QPen& cable = canvas.Pen(PenRole::RiggingCable);
    const QPointF* front = holeAt(bumper.FrontHangPoint());
    if (front == nullptr)
        return;
    const auto fx = static_cast<float>(front->x());
    const auto fy = static_cast<float>(front->y());
    Stroke(fx, top, fx, fy - h / 2.0f, cable);
    if (bumper.Rigging() != RiggingCode::DualPoint)
        return;
    const QPointF* back = holeAt(bumper.BackHangPoint());
    if (back == nullptr)
        return;
    const auto bx = static_cast<float>(back->x());
    const auto by = static_cast<float>(back->y());
    Stroke(bx, top, bx, by - h / 2.0f, cable);
    if (options.ShowDistanceBetweenCables())
        DrawCableDistances(fx, fy, bx, by);
    if (options.ShowCenterOfGravity()) {
        // On whole pixels, so the cross is as sharp as the holes around it.
        const QPointF gravity(WholePixels(canvas.ConvertX(results.HangLinePoint.x)),
                              WholePixels(canvas.ConvertY(results.HangLinePoint.y)));
        DrawCross(gravity, kCrossArm, canvas.Pen(PenRole::CenterOfGravity));
    }
    if (results.Balanced && options.ShowWeights())
        DrawHangPointWeights(fx, bx);
}

void RiggingDetailsWindow::DrawCableDistances(float fx, float fy, float bx, float by)
{
    PlotCanvas& canvas = Plot();
    const Bumper& bumper = VenueBumper(Context());
    const QPen& dashed = canvas.Pen(PenRole::Dimension);
    const QPen& scale = canvas.Pen(PenRole::ScaleLines);
    const auto top = static_cast<float>(canvas.Top());

    // Across, above the plot; the front cable is the right one. The text stands between
    // the arrows where it fits, otherwise beside the front cable or the back one.
    const std::string across = Format::FormatSmallMeasurement(bumper.XDistanceBetweenCables(), VenueUnits());
    const QSize acrossSize = canvas.MeasureText(across);
    const auto w1 = static_cast<float>(acrossSize.width());
    const auto h1 = static_cast<float>(acrossSize.height());
    const auto y = static_cast<float>(std::lround(top - h1 / 2 - 1));
    Stroke(fx, top, fx, top - h1 - 1, dashed);
    Stroke(bx, top, bx, top - h1 - 1, dashed);
    Stroke(fx, y, fx - kArrow, y - kArrow, scale);
    Stroke(fx, y, fx - kArrow, y + kArrow, scale);
    Stroke(bx, y, bx + kArrow, y - kArrow, scale);
    Stroke(bx, y, bx + kArrow, y + kArrow, scale);
    const float textTop = y - h1 / 2;
    const std::optional<QRectF> acrossBox =
        PlaceLabel(across, {QPointF((fx + bx - w1) / 2, textTop), QPointF(fx + kLabelGap, textTop),
                            QPointF(bx - kLabelGap - w1, textTop)});
    const bool between = acrossBox && acrossBox->left() > bx && acrossBox->right() < fx;
    if (between) {
        Stroke(fx, y, static_cast<float>(acrossBox->right()) + kLineGap, y, scale);
        Stroke(bx, y, static_cast<float>(acrossBox->left()) - kLineGap, y, scale);
    } else {
        Stroke(fx, y, bx, y, scale);
    }

    // Up, in the right margin.
    const std::string up = Format::FormatSmallMeasurement(bumper.YDistanceBetweenCables(), VenueUnits());
    const QSize upSize = canvas.MeasureText(up);
    const auto w2 = static_cast<float>(upSize.width());
    const auto h2 = static_cast<float>(upSize.height());
    // The margin is as wide as the text and a pixel either side.
    const float x = static_cast<float>(canvas.RightEdge()) + 1 + w2 / 2;
    Stroke(fx, fy, x, fy, dashed);
    Stroke(bx, by, x, by, dashed);
    if (std::fabs(fy - by) > h2 + 10) {
        const float s = fy < by ? 1.0f : -1.0f;
        Stroke(x, fy, x - kArrow, fy + kArrow * s, scale);
        Stroke(x, fy, x + kArrow, fy + kArrow * s, scale);
        Stroke(x, by, x - kArrow, by - kArrow * s, scale);
        Stroke(x, by, x + kArrow, by - kArrow * s, scale);
        // The line in two pieces, leaving room for the text between them.
        const std::optional<QRectF> upBox = PlaceLabel(up, {QPointF(x - w2 / 2, (fy + by - h2) / 2)});
        const float gap = upBox ? h2 / 2 + kLineGap : 0.0f;
        Stroke(x, fy, x, (fy + by) / 2 - gap * s, scale);
        Stroke(x, by, x, (fy + by) / 2 + gap * s, scale);
    } else {
        // No room for arrows: the text alone, below the lower hole, or above the higher
        // one when the picture ends first.
        PlaceLabel(up, {QPointF(x - w2 / 2, std::max(fy, by) + kLabelGap),
                        QPointF(x - w2 / 2, std::min(fy, by) - kLabelGap - h2)});
    }
}

int RiggingDetailsWindow::LoadRows() const
{
    const Options& options = Context().options;
    const CalculationResults& results = Context().session.Results();
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    const Bumper& bumper = array.Bumper();
    const auto isHole = [&bumper](int hole) { return hole >= 1 && hole <= bumper.HoleCount(); };
    if (!options.ShowWeights() || !results.Balanced || array.Configuration() != ConfigurationCode::Flown ||
        bumper.Rigging() != RiggingCode::DualPoint || !isHole(bumper.FrontHangPoint()) ||
        !isHole(bumper.BackHangPoint()))
        return 1;
    // Loads too wide to stand side by side across the picture stand one above the other.
    const PlotCanvas& canvas = Canvas();
    const int widths = canvas.MeasureText(Format::FormatWeight(results.FrontLoad, VenueUnits())).width() +
                       canvas.MeasureText(Format::FormatWeight(results.BackLoad, VenueUnits())).width();
    return static_cast<float>(widths) + kLabelGap > static_cast<float>(Format::WholeHalfEven(Picture()->ScaleWidth()))
               ? 2
               : 1;
}

std::vector<std::string> RiggingDetailsWindow::NoticeLines() const
{
    if (Context().session.Results().Balanced)
        return {};
    // Word by word onto as few lines as the picture's width allows.
    const int width = Format::WholeHalfEven(Picture()->ScaleWidth());
    std::vector<std::string> lines;
    std::istringstream words{std::string(UpdateHub::kUnbalancedText)};
    for (std::string word; words >> word;) {
        if (!lines.empty() && Canvas().MeasureText(lines.back() + ' ' + word).width() + 2 <= width)
            lines.back() += ' ' + word;
        else
            lines.push_back(word);
    }
    return lines;
}

void RiggingDetailsWindow::DrawHangPointWeights(float fx, float bx)
{
    PlotCanvas& canvas = Plot();
    const CalculationResults& results = Context().session.Results();
    const std::string frontText = Format::FormatWeight(results.FrontLoad, VenueUnits());
    const std::string backText = Format::FormatWeight(results.BackLoad, VenueUnits());
    const QSizeF frontSize(canvas.MeasureText(frontText));
    const QSizeF backSize(canvas.MeasureText(backText));
    const auto w1 = static_cast<float>(frontSize.width());
    const auto w2 = static_cast<float>(backSize.width());
    const auto width = static_cast<float>(canvas.Surface().width());
    const auto within = [width](float left, float w) { return std::clamp(left, 0.0f, std::max(0.0f, width - w)); };
    // Each load over its own cable, the back one on a row of its own under the front one
    // where the two do not fit side by side.
    float frontLeft = within(fx - w1 / 2, w1);
    float backLeft = within(bx - w2 / 2, w2);
    float backTop = 1.0f;
    if (LoadRows() == 2) {
        backTop += static_cast<float>(frontSize.height()) + 1;
    } else {
        // Labels that would run into each other move apart by half the overlap each.
        const float overlap = (bx + w2 / 2) - (fx - w1 / 2);
        const float shift = overlap > 0 ? overlap / 2 : 0.0f;
        // Then each stays inside the picture; one held at an edge pushes the other on.
        frontLeft = std::min(fx + shift - w1 / 2, width - w1);
        backLeft = std::max(bx - shift - w2 / 2, 0.0f);
        const float clash = backLeft + w2 + kLabelGap - frontLeft;
        if (clash > 0) {
            if (frontLeft + w1 >= width)
                backLeft -= clash;
            else
                frontLeft += clash;
        }
    }
    // Each moves along its row past what stands in its way (a scale label, the other load),
    // the back load staying left of the front one on a shared row.
    const std::optional<QRectF> front = ClearPlaceOnRow(frontSize, frontLeft, 1.0f, 0.0f, width);
    const float backRight = front && backTop == 1.0f ? static_cast<float>(front->left()) - kLabelGap : width;
    const std::optional<QRectF> back = ClearPlaceOnRow(backSize, backLeft, backTop, 0.0f, backRight);
    if (front)
        DrawLabel(frontText, *front, false);
    if (back)
        DrawLabel(backText, *back, false);
    // A load with no room there is never left out: it goes beside its cable in the plot, or
    // where even that is taken, to its own place over a blank of its own.
    const QRectF plot = canvas.PlotRect();
    const auto elsewhere = [&](const std::string& text, QSizeF size, float cable, float left, float top) {
        const auto w = static_cast<float>(size.width());
        const auto step = std::max(1.0f, static_cast<float>(size.height()) / 2);
        const float low = static_cast<float>(plot.left()) + kLabelGap;
        for (auto row = static_cast<float>(plot.top()); row + size.height() <= plot.bottom(); row += step) {
            if (const std::optional<QRectF> place = ClearPlaceOnRow(size, cable - w / 2, row, low, width)) {
                DrawLabel(text, *place, false);
                return;
            }
        }
        DrawLabel(text, QRectF(QPointF(within(left, w), top), size), true);
    };
    if (!front)
        elsewhere(frontText, frontSize, fx, frontLeft, 1.0f);
    if (!back)
        elsewhere(backText, backSize, bx, backLeft, backTop);
}

std::optional<QRectF> RiggingDetailsWindow::ClearPlaceOnRow(QSizeF size, float preferred, float top, float low,
                                                            float high) const
{
    const auto w = static_cast<float>(size.width());
    const float bottom = top + static_cast<float>(size.height());
    // Besides the one asked for, the places just clear of each thing on the row.
    std::vector<float> lefts{preferred, low, high - w};
    const auto around = [&](const QRectF& r) {
        if (r.bottom() + 1 >= top && r.top() - 1 <= bottom) {
            lefts.push_back(static_cast<float>(r.right()) + kLabelGap);
            lefts.push_back(static_cast<float>(r.left()) - kLabelGap - w);
        }
    };
    for (const PlotCanvas::ScaleLabel& label : Canvas().ScaleLabels())
        around(label.rect);
    for (const DrawnLabel& label : labels_)
        around(label.rect);
    for (const QLineF& line : lines_)
        around(QRectF(line.p1(), line.p2()).normalized());
    for (qsizetype i = 0; i < outline_.size(); ++i)
        around(QRectF(outline_[i], outline_[(i + 1) % outline_.size()]).normalized());
    std::stable_sort(lefts.begin(), lefts.end(),
                     [preferred](float a, float b) { return std::fabs(a - preferred) < std::fabs(b - preferred); });
    for (const float left : lefts) {
        if (left < low || left + w > high)
            continue;
        const QRectF rect(QPointF(left, top), size);
        if (IsClear(rect))
            return rect;
    }
    return std::nullopt;
}

void RiggingDetailsWindow::Stroke(float x1, float y1, float x2, float y2, const QPen& pen)
{
    Plot().DrawLineManual(x1, y1, x2, y2, pen);
    lines_.emplace_back(x1, y1, x2, y2);
}

std::optional<QRectF> RiggingDetailsWindow::PlaceLabel(const std::string& text,
                                                       std::initializer_list<QPointF> corners)
{
    const QSize size = Plot().MeasureText(text);
    for (const QPointF& corner : corners) {
        const QRectF rect(corner, QSizeF(size));
        if (!IsClear(rect))
            continue;
        DrawLabel(text, rect, false);
        return rect;
    }
    return std::nullopt;
}

void RiggingDetailsWindow::DrawLabel(const std::string& text, const QRectF& rect, bool blank)
{
    PlotCanvas& canvas = Plot();
    if (blank) {
        QPainterPath behind;
        behind.addRect(rect);
        canvas.FillPath(behind, QColor::fromRgba(Context().options.Colors().Color(ColorTable::kBackground)));
    }
    canvas.DrawText(text, TextFormat::None, static_cast<float>(rect.left()), static_cast<float>(rect.top()),
                    canvas.Font(), canvas.Brush(BrushRole::Text));
    labels_.push_back(DrawnLabel{text, rect});
}

bool RiggingDetailsWindow::IsClear(const QRectF& rect) const
{
    const PlotCanvas& canvas = Canvas();
    const QRectF picture(0, 0, canvas.Surface().width(), canvas.Surface().height());
    if (!picture.contains(rect))
        return false;
    // A pixel of room beside the text, for the lines' width; the line spacing gives
    // room enough above and below it.
    const QRectF room = rect.adjusted(-1, 0.5, 1, -0.5);
    const auto crosses = [&room](const QRectF& other) { return room.intersects(other); };
    for (const PlotCanvas::ScaleLabel& label : canvas.ScaleLabels())
        if (crosses(label.rect))
            return false;
    for (const DrawnLabel& label : labels_)
        if (crosses(label.rect))
            return false;
    for (const QLineF& line : lines_)
        if (LineCrossesRect(line, room))
            return false;
    return !outline_.intersects(QPolygonF(room));
}

int RiggingDetailsWindow::GetHotHole(float x, float y) const
{
    NearestItem nearest;
    for (int i = 1; i <= HoleCount(); ++i) {
        const QPointF at = HolePoint(i);
        nearest.Offer(i, static_cast<float>(std::hypot(at.x() - x, at.y() - y)));
    }
    return nearest.Index();
}

bool RiggingDetailsWindow::PictureMouseUp(const QMouseEvent& event)
{
    Guard("picRigging_MouseUp", [&] {
        const QPointF at = event.position();
        const int k = GetHotHole(static_cast<float>(at.x()), static_cast<float>(at.y()));
        clickedHole_ = k;
        if (k == 0)
            return;
        if (ApplyClick(k, event.button(), at))
            Changed();
    });
    return false;
}

bool RiggingDetailsWindow::ApplyClick(int k, Qt::MouseButton button, QPointF at)
{
    Bumper& bumper = VenueBumper(Context());
    if (bumper.Rigging() != RiggingCode::DualPoint) {
        bumper.SetFrontHangPoint(k);
        return true;
    }
    const int front = bumper.FrontHangPoint();
    const int back = bumper.BackHangPoint();
    if (k < front) {
        bumper.SetFrontHangPoint(k);
    } else if (k > back) {
        bumper.SetBackHangPoint(k);
    } else if (k != front && k != back) {
        if (button == Qt::RightButton) {
            MainWindow* menus = Context().popupMenus;
            if (menus != nullptr) {
                menus->SetRiggingPopupTarget(this);
                menus->PopupMenu(MainWindow::Popup::Rigging)->popup(Picture()->mapToGlobal(at.toPoint()));
            }
            return false;
        }
        const float gravityX = Plot().ConvertX(Context().session.Results().HangLinePoint.x);
        if (static_cast<float>(at.x()) <= gravityX)
            bumper.SetBackHangPoint(k);
        else
            bumper.SetFrontHangPoint(k);
    }
    return true;
}

void RiggingDetailsWindow::ChoosePointType(int point)
{
    Guard("ChoosePointType", [&] {
        Bumper& bumper = VenueBumper(Context());
        // The menu may answer after the venue changed under it; a hole it no longer has
        // becomes no hang point.
        if (clickedHole_ < 1 || clickedHole_ > bumper.HoleCount())
            return;
        if (point == kBackPoint)
            bumper.SetBackHangPoint(clickedHole_);
        else
            bumper.SetFrontHangPoint(clickedHole_);
        Changed();
    });
}

void RiggingDetailsWindow::Changed()
{
    const bool dual = VenueBumper(Context()).Rigging() == RiggingCode::DualPoint;
    VenueEdited(dual ? UpdateScope::RiggingDetails : UpdateScope::AllButNotesAreas);
}

} // namespace polvane
