#include "plot/PlotCanvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "engine/CalculationResults.h"
#include "shell/options/ColorTable.h"
#include "shell/options/Options.h"

namespace polvane {

PlotCanvas::PlotCanvas(Kind kind, const Options& options)
    : options_(options), style_(kind, options),
      transform_(kind == Kind::EvennessGraph || kind == Kind::ListeningPointsGraph), surface_(options),
      painter_(surface_, transform_, style_), scale_(options, style_, transform_, painter_, surface_)
{
}

PlotCanvas::~PlotCanvas() = default;

bool PlotCanvas::IsGraph() const
{
    return GetKind() == Kind::EvennessGraph || GetKind() == Kind::ListeningPointsGraph;
}

// --- Drawing objects ---------------------------------------------------------------------

void PlotCanvas::CreateGraphicsObjects()
{
    style_.Create();
    surface_.ForgetPictures();
}

void PlotCanvas::DestroyGraphicsObjects()
{
    style_.Destroy();
    surface_.ForgetPictures();
}

void PlotCanvas::RefreshGraphicsObjects()
{
    DestroyGraphicsObjects();
    CreateGraphicsObjects();
}

PlotCanvas::TextFormat PlotCanvas::FormatOfCode(int alignment) const
{
    switch (alignment) {
    case 0:
        // Only the windows that write on markers have the centred format.
        return GetKind() == Kind::ArrayPicture || GetKind() == Kind::RiggingDetails ? TextFormat::Centred
                                                                            : TextFormat::None;
    case 1:
        return TextFormat::FarCentred;
    case 2:
        return TextFormat::CentredBelow;
    default:
        return TextFormat::None;
    }
}

// --- Surface -----------------------------------------------------------------------------

void PlotCanvas::SetPictureSize(double width, double height) { surface_.SetPictureSize(width, height); }

void PlotCanvas::RefreshGraphicsHandle(bool release, bool create)
{
    // Making the surface again lets go of the old one itself, keeping the image when the
    // size has not changed.
    if (release && !create)
        surface_.Release();
    if (create)
        surface_.Create();
}

bool PlotCanvas::BeginRedraw(const CalculationResults& results, std::string_view cableDistanceText)
{
    // The transform needs only the picture's size, so it is known before the surface.
    const bool room = FitTransform(results, cableDistanceText);
    const ScaleKey key = CurrentScaleKey();
    const bool sameScale = surface_.StartPicture(key, room);
    if (!room)
        return false;
    if (!sameScale) {
        DrawScale();
        surface_.ScaleDrawn(key);
    }
    // What the venue and the array picture draw can reach far past their fitted box (the
    // path of a cell that hits nothing): it stops at the axes, off the scale's labels. The
    // rigging details write their figures in the margins.
    if (GetKind() == Kind::Venue || GetKind() == Kind::ArrayPicture)
        SetPlotClip(true);
    return true;
}

bool PlotCanvas::FitTransform(const CalculationResults& results, std::string_view cableDistanceText)
{
    if (!IsGraph())
        return SetBounds(results, cableDistanceText);
    SetGraphBounds();
    return true;
}

bool PlotCanvas::FitsLastPicture(const CalculationResults& results, std::string_view cableDistanceText)
{
    return FitTransform(results, cableDistanceText) && surface_.HoldsPicture(CurrentScaleKey());
}

PlotCanvas::ScaleKey PlotCanvas::CurrentScaleKey() const
{
    return ScaleKey{transform_,
                    surface_.RoundedSize(),
                    options_.Antialias(),
                    options_.ShowScale(),
                    options_.ShowGrid(),
                    options_.Colors().Color(ColorTable::kBackground)};
}

// --- Transforms --------------------------------------------------------------------------

bool PlotCanvas::SetBounds(const CalculationResults& results, std::string_view cableDistanceText)
{
    switch (GetKind()) {
    case Kind::ArrayPicture:
        return SetBounds(Box{results.ArrayMinX, results.ArrayMaxY, results.ArrayMaxX,
                             results.ArrayMinY},
                         cableDistanceText);
    case Kind::RiggingDetails:
        return SetBounds(Box{results.RiggingMinX, results.RiggingMaxY, results.RiggingMaxX,
                             results.RiggingMinY},
                         cableDistanceText);
    case Kind::Venue:
        return SetBounds(Box{results.VenueMinX, results.VenueMaxY, results.VenueMaxX,
                             results.VenueMinY},
                         cableDistanceText);
    default:
        SetGraphBounds();
        return PlotHasRoom();
    }
}

bool PlotCanvas::SetBounds(const Box& box, std::string_view cableDistanceText)
{
    if (IsGraph())
        throw std::logic_error("A graph has no model bounds");
    // The venue keeps the array's origin in the lower-left corner.
    // The array picture's markers stay whole at the edge of the array's box.
    return transform_.FitGeometry(box, GetKind() == Kind::Venue, Margins(cableDistanceText),
                                  surface_.PictureWidth(), surface_.PictureHeight(),
                                  GetKind() == Kind::ArrayPicture ? kArrayMarkerReach : 0);
}

PlotTransform::Margins PlotCanvas::Margins(std::string_view cableDistanceText) const
{
    const bool scale = options_.ShowScale();
    PlotTransform::Margins margins{scale ? 27 : 3, 3, 3, scale ? 18 : 3};
    if (GetKind() != Kind::RiggingDetails)
        return margins;
    const QSize label = MeasureText(cableDistanceText);
    if (options_.ShowDistanceBetweenCables()) {
        margins.top = label.height() + 2;
        margins.right = label.width() + 2;
    } else {
        margins.top = 2;
        margins.right = 2;
    }
    const int rows = std::max(options_.ShowWeights() ? loadRows_ : 0, noticeRows_);
    margins.top += rows * (label.height() + 1);
    return margins;
}

void PlotCanvas::SetGraphBounds()
{
    const bool evenness = GetKind() == Kind::EvennessGraph;
    const float top = evenness ? 100.0f : 12.0f;
    const float bottom = evenness ? 0.0f : -36.0f;
    // The value labels stand whole, each centred on its line and ending at its tick, a
    // pixel clear of the picture's edge: the top one needs half a line above the plot,
    // the widest its width beside it.
    PlotTransform::Margins margins = PlotTransform::kGraphMargins;
    const QSize topLabel = MeasureText(PlotScale::SignedText(top));
    const QSize bottomLabel = MeasureText(PlotScale::SignedText(bottom));
    margins.top = std::max(margins.top, (topLabel.height() + 1) / 2 + 1);
    margins.left = std::max(margins.left, std::max(topLabel.width(), bottomLabel.width()) + PlotScale::kTickLength + 1);
    transform_.FitGraph(top, bottom, surface_.PictureWidth(), surface_.PictureHeight(), margins);
}

// --- Primitives --------------------------------------------------------------------------

void PlotCanvas::DrawText(std::string_view text, int alignment, float x, float y,
                          const QFont& font, const QBrush& brush)
{
    DrawText(text, FormatOfCode(alignment), x, y, font, brush);
}

void PlotCanvas::DrawTextOnMidPoint(const Point2D& p1, const Point2D& p2, std::string_view text,
                                    const QFont& font, const QBrush& brush)
{
    const Point2D mid = p1.MidPointWith(p2);
    DrawText(text, 1, ConvertX(mid.x), ConvertY(mid.y), font, brush);
}

float PlotCanvas::DistanceBetweenCoords(int x1, int y1, int x2, int y2)
{
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool PlotCanvas::IsBetween(int v, int a, int b)
{
    if (b > a)
        return a <= v && v <= b;
    if (a > b)
        return b <= v && v <= a;
    return v == a;
}

} // namespace polvane
