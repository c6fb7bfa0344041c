#include "windows/tools/ArrayPictureWindow.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QColor>
#include <QMouseEvent>
#include <QSizeF>

#include "engine/Environment.h"
#include "model/Format.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "plot/NearestItem.h"
#include "plot/OverlayMarker.h"
#include "plot/PictureFingerprint.h"
#include "plot/PlotPictureBox.h"

namespace polvane {

namespace {

using PenRole = PlotCanvas::PenRole;
using BrushRole = PlotCanvas::BrushRole;

constexpr float kCenterOfGravityArm = 5.0f;
constexpr float kCellCrossArm = 3.0f;

} // namespace

ArrayPictureWindow::ArrayPictureWindow(ToolWindowContext& context, QWidget* parent)
    : DrawingWindow(ToolWindowId::ArrayPicture, context, PlotCanvas::Kind::ArrayPicture,
                    "picArray", parent),
      linSoundPath_(new OverlayMarker(OverlayMarker::Shape::Line, Picture()))
{
    linSoundPath_->setObjectName(QStringLiteral("linSoundPath"));
    linSoundPath_->SetWidth(2);
    GraphicsObjectsCreated();
}

void ArrayPictureWindow::GraphicsObjectsCreated()
{
    const std::uint32_t selected = Context().options.Colors().Color(ColorTable::kSelectedItem);
    linSoundPath_->SetColor(QColor(ArgbColor::Red(selected), ArgbColor::Green(selected),
                                   ArgbColor::Blue(selected)));
}

void ArrayPictureWindow::DoHighlightCell()
{
    const int cell = Context().hub.HighlightedCell();
    // A cell another window highlights before this one has drawn it has no path here yet.
    if (cell < 1 || cell > PathCount()) {
        linSoundPath_->hide();
        return;
    }
    // Stopped at the plot's edge as the drawn path is.
    linSoundPath_->SetLine(PathStart(cell), PathEnd(cell), Canvas().PlotRect().toRect());
    linSoundPath_->show();
    linSoundPath_->raise();
}

void ArrayPictureWindow::DoClearHighlightedCell() { linSoundPath_->hide(); }

std::string ArrayPictureWindow::DrawnFrom() const
{
    // What DrawArray draws from: a change of sound alone (a frequency, a temperature)
    // leaves the array as it was drawn.
    const Options& options = Context().options;
    const CalculationResults& results = Context().session.Results();
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    const Bumper& bumper = array.Bumper();
    const Cells& cells = array.Cells();
    PictureFingerprint key;
    key.Add(bumper.TopFront()).Add(bumper.BottomFront()).Add(bumper.BottomBack()).Add(bumper.TopBack());
    key.Add(array.Configuration()).Add(bumper.Rigging()).Add(results.HangLinePoint);
    key.Add(options.ShowCenterOfGravity()).Add(options.ShowCellNumbers()).Add(options.ShowSoundPaths());
    key.Add(options.ShowCellSplayAngles()).Add(options.ShowCellPinningConfigurations());
    const int count = std::min(cells.Count(), static_cast<int>(results.CellResults.size()));
    key.Add(count);
    for (int i = 1; i <= count; ++i) {
        const CellResult& r = results.CellResults[static_cast<std::size_t>(i - 1)];
        key.Add(r.TopFront).Add(r.BottomFront).Add(r.BottomBack).Add(r.TopBack);
        key.Add(r.Center).Add(r.Source).Add(r.Aim.Degrees()).Add(r.Hit);
        key.Add(cells.Item(i).SplayAngle().Degrees()).Add(cells.Item(i).PinPosition().value_or(-1));
    }
    return key.Take();
}

void ArrayPictureWindow::DrawContent() { DrawArray(); }

void ArrayPictureWindow::DrawArray()
{
    PlotCanvas& canvas = Plot();
    const Options& options = Context().options;
    const CalculationResults& results = Context().session.Results();
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    const Bumper& bumper = array.Bumper();
    const Cells& cells = array.Cells();
    const bool flown = array.Configuration() == ConfigurationCode::Flown;

    canvas.DrawFillQuad(bumper.TopFront(), bumper.BottomFront(), bumper.BottomBack(),
                        bumper.TopBack(), canvas.Brush(BrushRole::BumperFill),
                        canvas.Pen(PenRole::BumperEdge));

    // Results older than the column (or none yet) cover only the cells they know of.
    const int count = std::min(cells.Count(), static_cast<int>(results.CellResults.size()));
    pathStart_.assign(static_cast<std::size_t>(count), QPointF());
    pathEnd_.assign(static_cast<std::size_t>(count), QPointF());
    cellLabels_.clear();
    const QFont& font = canvas.Font();
    const QBrush& text = canvas.Brush(BrushRole::Text);
    for (int i = 1; i <= count; ++i) {
        const CellResult& r = results.CellResults[static_cast<std::size_t>(i - 1)];
        const auto index = static_cast<std::size_t>(i - 1);
        pathStart_[index] = PixelOf(r.Source);
        pathEnd_[index] = PixelOf(r.Center.OffsetFromAH(r.Aim, kPathLength));

        if (options.ShowCenterOfGravity() && !options.ShowCellNumbers())
            DrawCross(pathStart_[index], kCellCrossArm, canvas.Pen(PenRole::CenterOfGravityThin));
        if (options.ShowSoundPaths()) {
            const QPen& pen = canvas.Pen(r.Hit ? PenRole::SoundPathHit : PenRole::SoundPathMiss);
            canvas.DrawLineManual(static_cast<float>(pathStart_[index].x()),
                                  static_cast<float>(pathStart_[index].y()),
                                  static_cast<float>(pathEnd_[index].x()),
                                  static_cast<float>(pathEnd_[index].y()), pen);
        }
        // Over the path and the cross, hiding them where the cell is opaque.
        canvas.DrawFillQuad(r.TopFront, r.BottomFront, r.BottomBack, r.TopBack,
                            canvas.Brush(BrushRole::CellFill), canvas.Pen(PenRole::CellEdge));
        if (options.ShowCellNumbers()) {
            canvas.DrawFillCircle(r.Source.x, r.Source.y, kNumberRadius, canvas.Pen(PenRole::CellEdge),
                                  canvas.Brush(BrushRole::Background));
            canvas.DrawText(std::to_string(i), 0, static_cast<float>(pathStart_[index].x()),
                            static_cast<float>(pathStart_[index].y()), font, text);
        }

        std::string label;
        if (options.ShowCellSplayAngles())
            label = Format::FormatDegrees(cells.Item(i).SplayAngle().Degrees());
        else if (options.ShowCellPinningConfigurations())
            label = Format::FormatPinning(cells.Item(i).PinPosition());
        if (label.empty())
            continue;
        // On the back joint between this cell and the one before it; the first cell's
        // against the bumper. The label ends at the joint, centred on it.
        const QPointF at = i == 1 ? PixelOf(flown ? r.TopBack : r.BottomBack)
                                  : PixelOf(r.TopBack.MidPointWith(results.CellResults[index - 1].BottomBack));
        const QSizeF size(canvas.MeasureText(label));
        const QRectF rect(QPointF(at.x() - size.width(), at.y() - size.height() / 2), size);
        // Where the joints stand closer than a line of text, a label that would overprint
        // one written before it is left out: a crowded column is labelled at every second
        // joint or fewer, from the bumper on.
        if (std::any_of(cellLabels_.begin(), cellLabels_.end(),
                        [&rect](const CellLabel& drawn) { return drawn.rect.intersects(rect); }))
            continue;
        canvas.DrawText(label, 1, static_cast<float>(at.x()), static_cast<float>(at.y()), font, text);
        cellLabels_.push_back(CellLabel{i, rect});
    }
    // Over the cells: the centre of gravity lies at the hang points' holes, and on a small
    // picture the top cell would hide half of its cross.
    if (flown && bumper.Rigging() == RiggingCode::DualPoint && options.ShowCenterOfGravity())
        DrawCross(PixelOf(results.HangLinePoint), kCenterOfGravityArm, canvas.Pen(PenRole::CenterOfGravity));
    drawn_ = true;
}

int ArrayPictureWindow::GetHotCell(float x, float y) const
{
    const int count = std::min(PathCount(), Context().lifecycle.Venue().LineArray().Cells().Count());
    NearestItem nearest;
    for (int i = 1; i <= count; ++i) {
        const QPointF start = PathStart(i);
        nearest.Offer(i, static_cast<float>(std::hypot(start.x() - x, start.y() - y)));
    }
    return nearest.Index();
}

bool ArrayPictureWindow::PictureMouseMove(const QMouseEvent& event)
{
    Guard("picArray_MouseMove", [&] {
        if (!drawn_)
            return;
        const QPointF at = event.position();
        const int hot = GetHotCell(static_cast<float>(at.x()), static_cast<float>(at.y()));
        UpdateHub& hub = Context().hub;
        if (hot == hub.HighlightedCell())
            return;
        if (hot != 0)
            hub.HighlightCell(hot);
        else
            hub.ClearHighlightedCell();
    });
    return false;
}

} // namespace polvane
