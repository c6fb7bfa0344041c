#include "plot/PlotStyle.h"

#include <stdexcept>
#include <string>

#include <QColor>

#include "shell/options/ColorTable.h"
#include "shell/options/CurveColors.h"
#include "shell/options/Options.h"

namespace polvane {
namespace {

constexpr std::uint32_t kFarFieldColor = 0x80000000u; // black, half transparent
constexpr std::uint32_t kShadeColor = 0x40000000u;    // black, quarter opaque
constexpr std::uint32_t kLevelColor = 0xFF000000u;

} // namespace

PlotStyle::PlotStyle(Kind kind, const Options& options) : options_(options), kind_(kind)
{
    font_ = QFont(QStringLiteral("Tahoma"));
    font_.setPointSizeF(8.0);
    font_.setWeight(QFont::Normal);
}

void PlotStyle::AddPen(PenRole role, std::uint32_t argb, int width, bool roundCaps)
{
    QPen pen(QColor::fromRgba(argb));
    pen.setWidthF(width);
    pen.setCapStyle(roundCaps ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pens_[role] = pen;
}

void PlotStyle::AddBrush(BrushRole role, std::uint32_t argb)
{
    brushes_[role] = QBrush(QColor::fromRgba(argb));
}

void PlotStyle::AddCurvePens(int width)
{
    for (int i = 1; i <= CurveColors::Count(); ++i) {
        QPen pen(QColor::fromRgba(CurveColors::Color(i)));
        pen.setWidthF(width);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        curvePens_.push_back(pen);
    }
}

void PlotStyle::Create()
{
    Clear();
    const ColorTable& colors = options_.Colors();
    auto color = [&colors](int item) { return colors.Color(item); };

    switch (kind_) {
    case Kind::ArrayPicture:
        AddPen(PenRole::CenterOfGravity, color(ColorTable::kCenterOfGravity), 3, true);
        AddPen(PenRole::BumperEdge, color(ColorTable::kBumperEdge), 2, true);
        AddPen(PenRole::CellEdge, color(ColorTable::kCellEdge), 2, true);
        AddPen(PenRole::GridNormal, color(ColorTable::kGridLinesNormal), 1, false);
        AddPen(PenRole::GridZero, color(ColorTable::kGridLinesZero), 1, false);
        AddPen(PenRole::SoundPathHit, color(ColorTable::kSoundPathHit), 1, false);
        AddPen(PenRole::SoundPathMiss, color(ColorTable::kSoundPathMiss), 1, false);
        AddPen(PenRole::ScaleLines, color(ColorTable::kScaleLines), 1, false);
        AddPen(PenRole::CenterOfGravityThin, color(ColorTable::kCenterOfGravity), 1, false);
        AddBrush(BrushRole::Background, color(ColorTable::kBackground));
        AddBrush(BrushRole::BumperFill, color(ColorTable::kBumperFill));
        AddBrush(BrushRole::CellFill, color(ColorTable::kCellFill));
        AddBrush(BrushRole::Text, color(ColorTable::kText));
        break;
    case Kind::RiggingDetails:
        AddPen(PenRole::BumperEdge, color(ColorTable::kBumperEdge), 2, true);
        AddPen(PenRole::RiggingCable, color(ColorTable::kRiggingCable), 2, true);
        AddPen(PenRole::CenterOfGravity, color(ColorTable::kCenterOfGravity), 3, true);
        AddPen(PenRole::Dimension, color(ColorTable::kScaleLines), 1, false);
        pens_[PenRole::Dimension].setDashPattern({1.0, 3.0});
        AddPen(PenRole::GridNormal, color(ColorTable::kGridLinesNormal), 1, false);
        AddPen(PenRole::ScaleLines, color(ColorTable::kScaleLines), 1, false);
        AddBrush(BrushRole::BumperFill, color(ColorTable::kBumperFill));
        AddBrush(BrushRole::Text, color(ColorTable::kText));
        break;
    case Kind::Venue:
        AddPen(PenRole::BumperEdge, color(ColorTable::kBumperEdge), 1, false);
        AddPen(PenRole::CellEdge, color(ColorTable::kCellEdge), 1, false);
        AddPen(PenRole::GridNormal, color(ColorTable::kGridLinesNormal), 1, false);
        AddPen(PenRole::GridZero, color(ColorTable::kGridLinesZero), 1, false);
        AddPen(PenRole::SoundPathHit, color(ColorTable::kSoundPathHit), 1, false);
        AddPen(PenRole::SoundPathMiss, color(ColorTable::kSoundPathMiss), 1, false);
        AddPen(PenRole::ScaleLines, color(ColorTable::kScaleLines), 1, false);
        AddPen(PenRole::FarField, kFarFieldColor, 2, false);
        AddPen(PenRole::SeatingArea, color(ColorTable::kSeatingArea), 4, true);
        AddPen(PenRole::Level, kLevelColor, 4, false);
        AddCurvePens(1);
        AddBrush(BrushRole::BumperFill, color(ColorTable::kBumperFill));
        AddBrush(BrushRole::CellFill, color(ColorTable::kCellFill));
        AddBrush(BrushRole::Text, color(ColorTable::kText));
        AddBrush(BrushRole::Shade, kShadeColor);
        break;
    case Kind::EvennessGraph:
        AddPen(PenRole::GridNormal, color(ColorTable::kGridLinesNormal), 1, false);
        AddPen(PenRole::GraphLines, color(ColorTable::kGraphLines), 3, false);
        AddPen(PenRole::ScaleLines, color(ColorTable::kScaleLines), 1, false);
        AddBrush(BrushRole::Text, color(ColorTable::kText));
        break;
    case Kind::ListeningPointsGraph:
        AddPen(PenRole::GridNormal, color(ColorTable::kGridLinesNormal), 1, false);
        AddPen(PenRole::ScaleLines, color(ColorTable::kScaleLines), 1, false);
        AddCurvePens(3);
        AddBrush(BrushRole::Text, color(ColorTable::kText));
        break;
    }
    created_ = true;
}

void PlotStyle::Clear()
{
    pens_.clear();
    brushes_.clear();
    curvePens_.clear();
}

void PlotStyle::Destroy()
{
    Clear();
    created_ = false;
}

const QPen& PlotStyle::Pen(PenRole role) const
{
    const auto found = pens_.find(role);
    if (found == pens_.end())
        throw std::out_of_range("This drawing window has no such pen");
    return found->second;
}

const QBrush& PlotStyle::Brush(BrushRole role) const
{
    const auto found = brushes_.find(role);
    if (found == brushes_.end())
        throw std::out_of_range("This drawing window has no such brush");
    return found->second;
}

const QPen& PlotStyle::CurvePen(int index) const
{
    if (index < 1 || index > static_cast<int>(curvePens_.size()))
        throw std::out_of_range("Curve pen " + std::to_string(index) + " does not exist here");
    return curvePens_[static_cast<std::size_t>(index - 1)];
}

} // namespace polvane
