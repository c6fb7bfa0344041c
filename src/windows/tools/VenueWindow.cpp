#include "windows/tools/VenueWindow.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainterPath>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "model/Angle.h"
#include "model/Format.h"
#include "model/Units.h"
#include "shell/options/ColorTable.h"
#include "shell/options/CurveColors.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "plot/OverlayMarker.h"
#include "plot/PlotPictureBox.h"

namespace polvane {
namespace {

using PenRole = PlotCanvas::PenRole;
using BrushRole = PlotCanvas::BrushRole;

// The hover markers' blue.
const QColor kMarkerColor(0, 96, 255);
// A path that hits nothing is drawn this far along its aim.
constexpr float kMissLength = 500.0f;
// A sweep with more steps than this is no sweep the prediction makes; its balloon is
// left out rather than drawn for ever.
constexpr double kMaxBalloonSteps = 100000.0;

QColor Opaque(std::uint32_t argb)
{
    QColor color = QColor::fromRgba(argb);
    color.setAlpha(255);
    return color;
}

QPoint WholePixel(QPointF p)
{
    return {VenueHotSpots::RoundPixel(static_cast<float>(p.x())),
            VenueHotSpots::RoundPixel(static_cast<float>(p.y()))};
}

// The point at `degrees` (counter-clockwise, y up) and `radius` pixels from the centre.
QPointF Polar(QPointF centre, double degrees, double radius)
{
    const double radians = degrees / 180.0 * Angle::kPi;
    return {centre.x() + radius * std::cos(radians), centre.y() - radius * std::sin(radians)};
}

QRectF Circle(QPointF centre, double radius)
{
    return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius};
}

QPainterPath Arc(QPointF centre, double radius, double fromDegrees, double toDegrees)
{
    QPainterPath path;
    path.arcMoveTo(Circle(centre, radius), fromDegrees);
    path.arcTo(Circle(centre, radius), fromDegrees, toDegrees - fromDegrees);
    return path;
}

QString CoordinatesCaption(float x, float y, const QString& spl, UnitsCode units)
{
    return QStringLiteral(" X: ") + QString::fromStdString(Format::FormatMeasurement(x, units)) +
           QStringLiteral("\n  Y: ") + QString::fromStdString(Format::FormatMeasurement(y, units)) +
           QStringLiteral("\n  SPL: ") + spl;
}

} // namespace

VenueWindow::VenueWindow(ToolWindowContext& context, QWidget* parent)
    : DrawingWindow(ToolWindowId::Venue, context, PlotCanvas::Kind::Venue, "picVenue", parent)
{
    linSoundPath_ = new OverlayMarker(OverlayMarker::Shape::Line, Picture());
    linSoundPath_->setObjectName(QStringLiteral("linSoundPath"));
    linSoundPath_->SetWidth(2);
    lblDistance_ = new QLabel(Picture());
    lblDistance_->setObjectName(QStringLiteral("lblDistance"));
    lblDistance_->setAutoFillBackground(true);
    lblDistance_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblDistance_->setAlignment(Qt::AlignCenter);
    lblDistance_->hide();
    lblCoordinates_ = new QLabel(Picture());
    lblCoordinates_->setObjectName(QStringLiteral("lblCoordinates"));
    lblCoordinates_->setAutoFillBackground(true);
    lblCoordinates_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblCoordinates_->setContentsMargins(0, 0, 0, 0);
    lblCoordinates_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    {
        // The system's window colours.
        QPalette palette = lblCoordinates_->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Base));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
        lblCoordinates_->setPalette(palette);
    }
    lblCoordinates_->hide();
    linMove_ = new OverlayMarker(OverlayMarker::Shape::Line, Picture());
    linMove_->setObjectName(QStringLiteral("linMove"));
    linMove_->SetDashed(true);
    linPlane_ = new OverlayMarker(OverlayMarker::Shape::Line, Picture());
    linPlane_->setObjectName(QStringLiteral("linPlane"));
    linPlane_->SetWidth(4);
    linPlane_->SetColor(kMarkerColor);
    shpHotspot_ = new OverlayMarker(OverlayMarker::Shape::Dot, Picture());
    shpHotspot_->setObjectName(QStringLiteral("shpHotspot"));
    shpHotspot_->SetWidth(9);
    shpHotspot_->SetColor(kMarkerColor);

    GraphicsObjectsCreated();
    hotspotHalfWidth_ = shpHotspot_->width() / 2;
    hotspotHalfHeight_ = shpHotspot_->height() / 2;
    coordinatesHeight_ = 3 * lblCoordinates_->fontMetrics().lineSpacing() + 2;
}

void VenueWindow::GraphicsObjectsCreated()
{
    ramp_ = LevelRamp();
    const ColorTable& colors = Context().options.Colors();
    const QColor selected = Opaque(colors.Color(ColorTable::kSelectedItem));
    linSoundPath_->SetColor(selected);
    QPalette palette = lblDistance_->palette();
    palette.setColor(QPalette::WindowText, selected);
    palette.setColor(QPalette::Window, Opaque(colors.Color(ColorTable::kBackground)));
    lblDistance_->setPalette(palette);
}


// --- Drawing -----------------------------------------------------------------------------

void VenueWindow::NothingDrawn()
{
    // Without a plot there is no transform to point with.
    hotSpots_.Clear();
}

void VenueWindow::DrawContent()
{
    const Environment& venue = Context().lifecycle.Venue();
    const CalculationResults& results = Context().session.Results();
    const Options& options = Context().options;
    DrawSeatingAreas(venue);
    if (options.ShowColoredResponseLevels())
        DrawPlaneSPLs(venue, results);
    const bool engineering = options.EngineeringMode();
    if (engineering && options.ShowArrayPolarResponse())
        DrawSPLBalloon(venue, results);
    DrawArray(venue, results);
    if (engineering) {
        if (options.ShowFarFieldTransitionLines())
            DrawFarFieldTransition(venue, results);
        if (options.ShowListeningPoints())
            DrawListeningPoints(venue, results);
    }
    CacheHotSpots(venue, results);
}

void VenueWindow::DrawSeatingAreas(const Environment& venue)
{
    const Planes& areas = venue.SeatingAreas();
    for (int i = 1; i <= areas.Count(); ++i)
        Plot().DrawLine(areas.Item(i).FrontPoint(), areas.Item(i).BackPoint(),
                         Canvas().Pen(PenRole::SeatingArea));
}

void VenueWindow::DrawPlaneSPLs(const Environment& venue, const CalculationResults& results)
{
    const int areaCount = std::min(venue.SeatingAreas().Count(), static_cast<int>(results.AreaLevels.size()));
    for (int i = 0; i < areaCount; ++i) {
        const AreaLevelResult& area = results.AreaLevels[static_cast<std::size_t>(i)];
        const int count = std::min(area.SampleCount, static_cast<int>(area.Samples.size()));
        for (int k = 1; k < count; ++k) {
            const LevelSample& from = area.Samples[static_cast<std::size_t>(k - 1)];
            const LevelSample& to = area.Samples[static_cast<std::size_t>(k)];
            const QPointF a = PixelOf(from.Point);
            const QPointF b = PixelOf(to.Point);
            QLinearGradient gradient(a, b);
            gradient.setColorAt(0.0, QColor::fromRgba(ramp_.ColorOf(from.Level)));
            gradient.setColorAt(1.0, QColor::fromRgba(ramp_.ColorOf(to.Level)));
            gradient.setSpread(QGradient::ReflectSpread);
            QPen pen = Canvas().Pen(PenRole::Level);
            pen.setBrush(gradient);
            Plot().DrawLineManual(static_cast<float>(a.x()), static_cast<float>(a.y()),
                                   static_cast<float>(b.x()), static_cast<float>(b.y()), pen);
        }
    }
}

void VenueWindow::DrawSPLBalloon(const Environment& venue, const CalculationResults& results)
{
    const double middle = (Canvas().PlotWidth() + Canvas().PlotHeight()) / 2.0;
    const double outer = Format::WholeHalfEven(middle * 0.20);
    const double inner = Format::WholeHalfEven(middle * 0.05);

    const CalcParameters& sweep = venue.CalcParameters();
    const bool stacked = venue.LineArray().Configuration() == ConfigurationCode::GroundStacked;
    const double a0 = stacked ? -sweep.UpperAngle() : sweep.LowerAngle();
    const double a1 = stacked ? -sweep.LowerAngle() : sweep.UpperAngle();
    const double step = sweep.AngleStep();
    // A sweep without a forward step has no balloon.
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(a0) || !std::isfinite(a1))
        return;
    const double steps = Format::RoundHalfEven((a1 - a0) / step);
    if (steps < 0.0 || steps > kMaxBalloonSteps)
        return;
    const int n = static_cast<int>(steps);

    // The balloon is sized to the plot, not the venue: near an edge it is cut there, as
    // everything the window draws.
    const QPointF centre(WholePixel(PixelOf(results.CenterOfGravity)));
    // Levels the prediction did not fill count as the quietest, on the inner circle.
    auto radius = [&](int k) {
        const float level = k < static_cast<int>(results.PolarLevels.size())
                                ? results.PolarLevels[static_cast<std::size_t>(k)]
                                : -LevelRamp::kRangeDb;
        double above = static_cast<double>(level) + LevelRamp::kRangeDb;
        if (!(above > 0.0))
            above = 0.0;
        above = std::min(above, static_cast<double>(LevelRamp::kRangeDb));
        return above / LevelRamp::kRangeDb * (outer - inner) + inner;
    };
    const double an = a0 + n * step;

    QPainterPath balloon;
    balloon.setFillRule(Qt::WindingFill);
    balloon.moveTo(centre);
    for (int k = 0; k <= n; ++k)
        balloon.lineTo(Polar(centre, a0 + k * step, radius(k)));
    balloon.lineTo(Polar(centre, an, inner));
    balloon.arcTo(Circle(centre, inner), an, a0 - an);
    balloon.closeSubpath();
    Plot().FillPath(balloon, Canvas().Brush(BrushRole::Shade));

    const QPen& zero = Canvas().Pen(PenRole::GridZero);
    const QPen& normal = Canvas().Pen(PenRole::GridNormal);
    auto radial = [&](double degrees, const QPen& pen) {
        const QPointF from = Polar(centre, degrees, inner);
        const QPointF to = Polar(centre, degrees, outer);
        Plot().DrawLineManual(static_cast<float>(from.x()), static_cast<float>(from.y()),
                               static_cast<float>(to.x()), static_cast<float>(to.y()), pen);
    };
    radial(a1, zero);
    radial(a0, zero);
    Plot().StrokePath(Arc(centre, outer, a0, a1), zero);
    for (int d = 6; d <= 30; d += 6)
        Plot().StrokePath(Arc(centre, ((36 - d) * outer + d * inner) / 36.0, a0, a1), normal);
    Plot().StrokePath(Arc(centre, inner, a0, a1), zero);
    for (int degrees = -180; degrees <= 180; degrees += 15) {
        if (degrees > a0 && degrees < a1)
            radial(degrees, normal);
    }
}

void VenueWindow::DrawArray(const Environment& venue, const CalculationResults& results)
{
    const Options& options = Context().options;
    const Bumper& bumper = venue.LineArray().Bumper();
    Plot().DrawFillQuad(bumper.TopFront(), bumper.BottomFront(), bumper.BottomBack(), bumper.TopBack(),
                         Canvas().Brush(BrushRole::BumperFill), Canvas().Pen(PenRole::BumperEdge));

    const std::size_t count = results.CellResults.size();
    soundPathStart_.assign(count, QPoint());
    soundPathEnd_.assign(count, QPoint());
    for (std::size_t i = 0; i < count; ++i) {
        const CellResult& cell = results.CellResults[i];
        const bool hit = cell.Hit && cell.HitPoint.has_value();
        const Point2D end = hit ? *cell.HitPoint : cell.Center.OffsetFromAH(cell.Aim, kMissLength);
        soundPathStart_[i] = WholePixel(PixelOf(cell.Center));
        soundPathEnd_[i] = WholePixel(PixelOf(end));
        if (options.ShowSoundPaths() && (hit || options.ShowSoundPathMisses())) {
            const QPoint a = soundPathStart_[i];
            const QPoint b = soundPathEnd_[i];
            Plot().DrawLineManual(static_cast<float>(a.x()), static_cast<float>(a.y()),
                                   static_cast<float>(b.x()), static_cast<float>(b.y()),
                                   Canvas().Pen(hit ? PenRole::SoundPathHit : PenRole::SoundPathMiss));
        }
        Plot().DrawFillQuad(cell.TopFront, cell.BottomFront, cell.BottomBack, cell.TopBack,
                             Canvas().Brush(BrushRole::CellFill), Canvas().Pen(PenRole::CellEdge));
    }
}

void VenueWindow::DrawFarFieldTransition(const Environment& venue, const CalculationResults& results)
{
    if (venue.AggregateFrequencies())
        return;
    const double cx = results.CenterOfGravity.x;
    const double cy = results.CenterOfGravity.y;
    const double r = results.FarFieldDistance;
    const Planes& areas = venue.SeatingAreas();
    for (int i = 1; i <= areas.Count(); ++i) {
        const Plane& area = areas.Item(i);
        const double x0 = area.FrontPoint().x;
        const double y0 = area.FrontPoint().y;
        std::vector<Point2D> crossings;
        const double m = area.Slope();
        if (std::isfinite(m)) {
            const double d = (m * m + 1) * r * r - std::pow(cy - y0 - m * cx + m * x0, 2);
            if (!(d >= 0.0))
                continue;
            for (const double sign : {1.0, -1.0}) {
                const double x = ((cy - y0 + m * x0) * m + cx + sign * std::sqrt(d)) / (m * m + 1);
                crossings.emplace_back(static_cast<float>(x), static_cast<float>((x - x0) * m + y0));
            }
        } else if (area.Height() != 0.0f) {
            // An upright area: the circle meets the vertical line straight above and below
            // its centre.
            const double d = r * r - (x0 - cx) * (x0 - cx);
            if (!(d >= 0.0))
                continue;
            for (const double sign : {1.0, -1.0})
                crossings.emplace_back(static_cast<float>(x0), static_cast<float>(cy + sign * std::sqrt(d)));
        }
        for (const Point2D& p : crossings) {
            if (!area.IsWithinBounds(p))
                continue;
            const float px = Canvas().ConvertX(p.x);
            const float py = Canvas().ConvertY(p.y);
            Plot().DrawLineManual(px, py - 10.0f, px, py + 5.0f, Canvas().Pen(PenRole::FarField));
        }
    }
}

void VenueWindow::DrawListeningPoints(const Environment& venue, const CalculationResults& results)
{
    const ListeningPoints& points = venue.ListeningPoints();
    const int count = std::min(points.Count(), static_cast<int>(results.PointLevels.size()));
    // A foot in either unit, so the figure has the same size in every venue.
    const float unit = venue.Units() == UnitsCode::Metric ? kMetresPerFoot : 1.0f;
    for (int i = 1; i <= count; ++i)
        DrawListeningPoint(points.Item(i).Name(), results.PointLevels[static_cast<std::size_t>(i - 1)].Point,
                           Canvas().CurvePen((i - 1) % CurveColors::Count() + 1), unit);
}

void VenueWindow::DrawListeningPoint(const std::string& name, const Point2D& p, const QPen& pen, float unit)
{
    const float u = unit;
    Plot().DrawCircleFromXY(p.x - u, p.y + u, p.x + u, p.y - u, pen);
    Plot().DrawLineFromXY(p.x, p.y - u, p.x, p.y - 3.5f * u, pen);
    Plot().DrawLineFromXY(p.x - u, p.y - 2 * u, p.x + u, p.y - 2 * u, pen);
    Plot().DrawLineFromXY(p.x - u, p.y - 5 * u, p.x, p.y - 3.5f * u, pen);
    Plot().DrawLineFromXY(p.x, p.y - 3.5f * u, p.x + u, p.y - 5 * u, pen);
    Plot().DrawText(name, 0, Canvas().ConvertX(p.x + u), Canvas().ConvertY(p.y + u), Canvas().Font(),
                     Canvas().Brush(BrushRole::Text));
}

// --- Highlighted cell ----------------------------------------------------------------------

void VenueWindow::DoClearHighlightedCell()
{
    linSoundPath_->hide();
    lblDistance_->hide();
}

void VenueWindow::DoHighlightCell()
{
    const int cell = Context().hub.HighlightedCell();
    // A cell the last drawing did not have has no path to show.
    if (cell < 1 || cell > static_cast<int>(soundPathStart_.size())) {
        DoClearHighlightedCell();
        return;
    }
    const auto index = static_cast<std::size_t>(cell - 1);
    const QPoint start = soundPathStart_[index];
    const QPoint end = soundPathEnd_[index];
    // Stopped at the plot's edge as the drawn path is.
    linSoundPath_->SetLine(start, end, Canvas().PlotRect().toRect());
    linSoundPath_->show();
    linSoundPath_->raise();

    const std::vector<CellResult>& cells = Context().session.Results().CellResults;
    if (index >= cells.size() || !cells[index].Hit) {
        lblDistance_->hide();
        return;
    }
    const QString caption = QString::fromStdString(Format::FormatMeasurement(cells[index].Throw, VenueUnits()));
    lblDistance_->setText(caption);
    const QFontMetrics metrics(Picture()->font());
    const int width = metrics.horizontalAdvance(caption) + 2;
    const int height = metrics.height() + 2;
    const double midX = (start.x() + end.x()) / 2.0;
    const double midY = (start.y() + end.y()) / 2.0;
    lblDistance_->setGeometry(static_cast<int>(std::lround(midX - width / 2.0)),
                              static_cast<int>(std::lround(midY - height / 2.0)), width, height);
    lblDistance_->show();
    lblDistance_->raise();
}

// --- Pointing and dragging -----------------------------------------------------------------

void VenueWindow::CacheHotSpots(const Environment& venue, const CalculationResults& results)
{
    auto pixel = [this](const Point2D& p) {
        return VenueHotSpots::Pixel{VenueHotSpots::RoundPixel(Canvas().ConvertX(p.x)),
                                    VenueHotSpots::RoundPixel(Canvas().ConvertY(p.y))};
    };
    hotSpots_.Clear();
    const Planes& areas = venue.SeatingAreas();
    for (int i = 1; i <= areas.Count(); ++i)
        hotSpots_.AddArea(pixel(areas.Item(i).FrontPoint()), pixel(areas.Item(i).BackPoint()));
    for (const AreaLevelResult& area : results.AreaLevels) {
        const int count = std::min(area.SampleCount, static_cast<int>(area.Samples.size()));
        for (int k = 0; k < count; ++k) {
            const LevelSample& sample = area.Samples[static_cast<std::size_t>(k)];
            hotSpots_.AddResponse({pixel(sample.Point), sample.Point.x, sample.Point.y, sample.Level});
        }
    }
    hotSpots_.SetArrayLocation(pixel(venue.LineArray().Bumper().Location()));
    if (Context().options.EngineeringMode() && venue.ListeningPoints().Count() > 0) {
        for (const ListeningPointResult& point : results.PointLevels)
            hotSpots_.AddListener(pixel(point.Point));
    }
    hotSpots_.Validate();
}

HotSpot VenueWindow::IdentifyHotspot(int x, int y) const
{
    return hotSpots_.Identify(x, y, Context().options.EngineeringMode());
}

void VenueWindow::CentreHotspotMarker(int x, int y)
{
    shpHotspot_->move(x - hotspotHalfWidth_, y - hotspotHalfHeight_);
}

void VenueWindow::HighlightHotSpot(const HotSpot& hot)
{
    switch (hot.type) {
    case HotSpot::None:
        shpHotspot_->hide();
        linPlane_->hide();
        break;
    case HotSpot::WholeArea:
        linPlane_->SetLine(QPointF(hot.x, hot.y), QPointF(hot.x2, hot.y2));
        shpHotspot_->hide();
        linPlane_->show();
        break;
    default:
        CentreHotspotMarker(hot.x, hot.y);
        shpHotspot_->show();
        linPlane_->hide();
        break;
    }
}

bool VenueWindow::Snapping(Qt::KeyboardModifiers modifiers) const
{
    return !modifiers.testFlag(Qt::ControlModifier) && Context().options.SnapToGrid();
}

QPointF VenueWindow::Snapped(QPointF at, Qt::KeyboardModifiers modifiers) const
{
    if (!Snapping(modifiers))
        return at;
    const auto px = static_cast<float>(at.x());
    const auto py = static_cast<float>(at.y());
    const float grid = Context().options.SnapToGridSize();
    return {Canvas().ConvertX(Format::SnapTo(Canvas().RevertX(px), grid)),
            Canvas().ConvertY(Format::SnapTo(Canvas().RevertY(py), grid))};
}

Point2D VenueWindow::DropPoint(QPointF at, Qt::KeyboardModifiers modifiers) const
{
    if (drag_.type == HotSpot::WholeArea)
        return {Canvas().RevertX(static_cast<float>(at.x() - drag_.halfDx)),
                Canvas().RevertY(static_cast<float>(at.y() - drag_.halfDy))};
    Point2D point(Canvas().RevertX(static_cast<float>(at.x())), Canvas().RevertY(static_cast<float>(at.y())));
    // Snapped pixels map back to the grid only within rounding; take the grid value itself.
    if (Snapping(modifiers)) {
        const float grid = Context().options.SnapToGridSize();
        point = Point2D(Format::SnapTo(point.x, grid), Format::SnapTo(point.y, grid));
    }
    return point;
}

void VenueWindow::ShowDrag(QPointF at, Qt::KeyboardModifiers modifiers)
{
    if (drag_.type == HotSpot::WholeArea)
        linMove_->SetLine(QPointF(at.x() - drag_.halfDx, at.y() - drag_.halfDy),
                          QPointF(at.x() + drag_.halfDx, at.y() + drag_.halfDy));
    else
        linMove_->SetLine(QPointF(drag_.x, drag_.y), at);
    if (Context().options.ShowCoordinatesWhileDragging()) {
        const Point2D model = DropPoint(at, modifiers);
        PlaceCoordinates(model.x, model.y, static_cast<float>(at.x()), static_cast<float>(at.y()));
        lblCoordinates_->show();
        lblCoordinates_->raise();
    }
}

void VenueWindow::PlaceCoordinates(float x, float y, float px, float py)
{
    PlaceCoordinatesCaption(QStringLiteral("-- dB"), x, y, px, py);
}

void VenueWindow::PlaceCoordinatesSPL(float x, float y, float level, float px, float py)
{
    PlaceCoordinatesCaption(QString::fromStdString(Format::FormatSPL(level)), x, y, px, py);
}

void VenueWindow::PlaceCoordinatesCaption(const QString& spl, float x, float y, float px, float py)
{
    const QString caption = CoordinatesCaption(x, y, spl, VenueUnits());
    // The same place with the same text needs no work; a new text at the same place (the
    // venue changed since) must still be shown.
    if (QPointF(px, py) == lastPlaced_ && caption == lastCaption_)
        return;
    lblCoordinates_->setText(caption);
    const QFontMetrics metrics(Picture()->font());
    int width = 0;
    for (const QString& line : caption.split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    const int height = coordinatesHeight_;
    double left = px + 5.0;
    if (px + width + 5.0 > Picture()->width())
        left = px - width - 5.0;
    double top = py + 5.0;
    if (py + height + 5.0 > Picture()->height())
        top = py - height - 5.0;
    lblCoordinates_->setGeometry(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                                 width, height);
    lastPlaced_ = QPointF(px, py);
    lastCaption_ = caption;
}

void VenueWindow::ReadOutLevel(QPointF at, bool pressed)
{
    linPlane_->hide();
    if (pressed)
        shpHotspot_->hide();
    const QPoint mouse = WholePixel(at);
    const int sample = hotSpots_.ClosestResponse(mouse.x(), mouse.y());
    const auto px = static_cast<float>(at.x());
    const auto py = static_cast<float>(at.y());
    if (sample >= 0) {
        const VenueHotSpots::Response& response = hotSpots_.ResponseAt(sample);
        PlaceCoordinatesSPL(response.modelX, response.modelY, response.level, px, py);
        CentreHotspotMarker(response.at.x, response.at.y);
        shpHotspot_->show();
    } else {
        PlaceCoordinates(Canvas().RevertX(px), Canvas().RevertY(py), px, py);
        shpHotspot_->hide();
    }
    lblCoordinates_->show();
    lblCoordinates_->raise();
}

void VenueWindow::MouseDown(const QMouseEvent& event)
{
    const Options& options = Context().options;
    const QPointF at = event.position();
    if (event.button() == Qt::LeftButton && options.ClickAndDragVenueItems()) {
        const QPoint mouse = WholePixel(at);
        const HotSpot hot = IdentifyHotspot(mouse.x(), mouse.y());
        HighlightHotSpot(hot);
        if (hot.type == HotSpot::None)
            return;
        drag_ = hot;
        ShowDrag(Snapped(at, event.modifiers()), event.modifiers());
        linMove_->show();
        linMove_->raise();
        dragging_ = true;
    } else if (event.button() == Qt::RightButton && !dragging_) {
        ReadOutLevel(at, true);
    }
}

void VenueWindow::MouseMove(const QMouseEvent& event)
{
    const QPointF at = event.position();
    if (dragging_) {
        ShowDrag(Snapped(at, event.modifiers()), event.modifiers());
    } else if (event.buttons() == Qt::NoButton) {
        if (Context().options.ClickAndDragVenueItems()) {
            const QPoint mouse = WholePixel(at);
            HighlightHotSpot(IdentifyHotspot(mouse.x(), mouse.y()));
        }
    } else if (event.buttons().testFlag(Qt::RightButton)) {
        ReadOutLevel(at, false);
    }
}

void VenueWindow::MouseUp(const QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        linMove_->hide();
        // The picture lost its plot during the drag: no pixel maps back to the venue.
        if (!Canvas().PlotHasRoom()) {
            lblCoordinates_->hide();
            HighlightHotSpot(HotSpot());
            return;
        }
        const QPointF at = Snapped(event.position(), event.modifiers());
        const Point2D model = DropPoint(at, event.modifiers());
        const UpdateScope scope = drag_.type == HotSpot::ArrayLocation    ? UpdateScope::AllButArrayNotesAreas
                                  : drag_.type == HotSpot::ListeningPoint ? UpdateScope::ListeningPoints
                                                                          : UpdateScope::ResultsAndAreas;
        CommitDrop(model);
        const QPoint mouse = WholePixel(at);
        HighlightHotSpot(IdentifyHotspot(mouse.x(), mouse.y()));
        lblCoordinates_->hide();
        VenueEdited(scope);
    } else if (event.button() == Qt::RightButton && !dragging_) {
        lblCoordinates_->hide();
        linMove_->hide();
        if (!Context().options.ClickAndDragVenueItems())
            shpHotspot_->hide();
    }
}

void VenueWindow::CommitDrop(const Point2D& at)
{
    Environment& venue = Context().lifecycle.Venue();
    Planes& areas = venue.SeatingAreas();
    const UnitsCode units = venue.Units();
    // The venue may have lost the item since the press (a state loaded meanwhile).
    const bool areaExists = drag_.index >= 1 && drag_.index <= areas.Count();
    switch (drag_.type) {
    case HotSpot::ArrayLocation:
        venue.LineArray().Bumper().SetLocation(Point2D(Format::BoundDistance(at.x, units), Format::BoundDistance(at.y, units)));
        break;
    case HotSpot::ListeningPoint: {
        ListeningPoints& points = venue.ListeningPoints();
        if (drag_.index < 1 || drag_.index > points.Count())
            break;
        ListeningPoint& point = points.Item(drag_.index);
        if (point.SeatingAreaIndex() < 1 || point.SeatingAreaIndex() > areas.Count())
            break;
        const Plane& area = areas.Item(point.SeatingAreaIndex());
        point.SetHorizontalPosition(Format::BoundSingle(at.x - area.FrontPoint().x, 0.0f, area.Length()));
        break;
    }
    case HotSpot::AreaFront:
        if (areaExists)
            areas.Item(drag_.index).SetFrontPoint(Point2D(Format::BoundDistance(at.x, units), Format::BoundDistance(at.y, units)));
        break;
    case HotSpot::AreaBack:
        if (areaExists) {
            Plane& area = areas.Item(drag_.index);
            area.SetLength(Format::BoundLength(at.x - area.FrontPoint().x, units));
            area.SetHeight(Format::BoundLength(at.y - area.FrontPoint().y, units));
        }
        break;
    case HotSpot::WholeArea:
        if (areaExists) {
            Plane& area = areas.Item(drag_.index);
            const float length = area.Length();
            const float height = area.Height();
            area.SetFrontPoint(Point2D(Format::BoundDistance(at.x, units), Format::BoundDistance(at.y, units)));
            area.SetLength(length);
            area.SetHeight(height);
        }
        break;
    default:
        break;
    }
}

bool VenueWindow::PictureMouseDown(const QMouseEvent& event)
{
    Guard("picVenue_MouseDown", [&] { MouseDown(event); });
    return true;
}

bool VenueWindow::PictureMouseMove(const QMouseEvent& event)
{
    Guard("picVenue_MouseMove", [&] { MouseMove(event); });
    return true;
}

bool VenueWindow::PictureMouseUp(const QMouseEvent& event)
{
    Guard("picVenue_MouseUp", [&] { MouseUp(event); });
    return true;
}

} // namespace polvane
