#include "windows/PlotCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "engine/CalculationResults.h"
#include "model/Format.h"
#include "shell/ColorTable.h"
#include "shell/CurveColors.h"
#include "shell/FrequencyTable.h"
#include "shell/Options.h"
#include "windows/PlotPictureBox.h"

namespace polvane {
namespace {

constexpr std::uint32_t kFarFieldColor = 0x80000000u; // black, half transparent
constexpr std::uint32_t kShadeColor = 0x40000000u;    // black, quarter opaque
constexpr std::uint32_t kLevelColor = 0xFF000000u;

// The graphs' fixed margins.
constexpr int kGraphLeft = 27;
constexpr int kGraphRight = 3;
constexpr int kGraphTop = 5;
constexpr int kGraphBottom = 18;
// Graph value labels end here, left of their 5-pixel ticks.
constexpr float kGraphLabelX = 22.0f;

constexpr int kTickLength = 5;
// Free pixels between neighbouring scale labels.
constexpr double kLabelGap = 2.0;
// A scale never needs more steps than there are pixels; this only stops a runaway loop on
// absurd bounds.
constexpr double kMaxScaleSteps = 100000.0;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The whole multiples of step from the first strictly above low to the last not above high.
template <class F>
void ForEachStep(double low, double high, double step, F&& draw)
{
    if (!(step > 0.0) || !std::isfinite(low) || !std::isfinite(high))
        return;
    const double first = std::floor(low / step + 1.0);
    const double last = std::floor(high / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > kMaxScaleSteps)
        return;
    for (double k = first; k <= last; k += 1.0)
        draw(k * step);
}

} // namespace

PlotCanvas::PlotCanvas(Kind kind, const Options& options) : options_(options), kind_(kind)
{
    font_ = QFont(QStringLiteral("Tahoma"));
    font_.setPointSizeF(8.0);
    font_.setWeight(QFont::Normal);
}

PlotCanvas::~PlotCanvas() { ReleaseSurface(); }

bool PlotCanvas::IsGraph() const
{
    return kind_ == Kind::EvennessGraph || kind_ == Kind::ListeningPointsGraph;
}

// --- Drawing objects ---------------------------------------------------------------------

void PlotCanvas::AddPen(PenRole role, std::uint32_t argb, int width, bool roundCaps)
{
    QPen pen(QColor::fromRgba(argb));
    pen.setWidthF(width);
    pen.setCapStyle(roundCaps ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pens_[role] = pen;
}

void PlotCanvas::AddBrush(BrushRole role, std::uint32_t argb)
{
    brushes_[role] = QBrush(QColor::fromRgba(argb));
}

void PlotCanvas::CreateGraphicsObjects()
{
    ClearDrawingObjects();
    const ColorTable& colors = options_.Colors();
    auto color = [&colors](int item) { return colors.Color(item); };
    auto addCurvePens = [this](int width) {
        for (int i = 1; i <= CurveColors::Count(); ++i) {
            QPen pen(QColor::fromRgba(CurveColors::Color(i)));
            pen.setWidthF(width);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
            curvePens_.push_back(pen);
        }
    };

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
        addCurvePens(1);
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
        addCurvePens(3);
        AddBrush(BrushRole::Text, color(ColorTable::kText));
        break;
    }
    hasObjects_ = true;
}

void PlotCanvas::ClearDrawingObjects()
{
    pens_.clear();
    brushes_.clear();
    curvePens_.clear();
}

void PlotCanvas::DestroyGraphicsObjects()
{
    ClearDrawingObjects();
    hasObjects_ = false;
}

void PlotCanvas::RefreshGraphicsObjects()
{
    DestroyGraphicsObjects();
    CreateGraphicsObjects();
}

const QPen& PlotCanvas::Pen(PenRole role) const
{
    const auto found = pens_.find(role);
    if (found == pens_.end())
        throw std::out_of_range("This drawing window has no such pen");
    return found->second;
}

const QBrush& PlotCanvas::Brush(BrushRole role) const
{
    const auto found = brushes_.find(role);
    if (found == brushes_.end())
        throw std::out_of_range("This drawing window has no such brush");
    return found->second;
}

const QPen& PlotCanvas::CurvePen(int index) const
{
    if (index < 1 || index > static_cast<int>(curvePens_.size()))
        throw std::out_of_range("Curve pen " + std::to_string(index) + " does not exist here");
    return curvePens_[static_cast<std::size_t>(index - 1)];
}

PlotCanvas::TextFormat PlotCanvas::FormatOfCode(int alignment) const
{
    switch (alignment) {
    case 0:
        // Only the windows that write on markers have the centred format.
        return kind_ == Kind::ArrayPicture || kind_ == Kind::RiggingDetails ? TextFormat::Centred
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

void PlotCanvas::SetPictureSize(double width, double height)
{
    pictureWidth_ = width;
    pictureHeight_ = height;
}

void PlotCanvas::ReleaseSurface()
{
    // The painter must let go of the image before the image goes.
    if (painter_)
        painter_->end();
    painter_.reset();
    surface_ = QImage();
}

void PlotCanvas::CreateSurface()
{
    const int width = Format::WholeHalfEven(pictureWidth_);
    const int height = Format::WholeHalfEven(pictureHeight_);
    // A redraw at the same size paints over the same image instead of making a new one.
    const bool sameSize = !surface_.isNull() && surface_.width() == width &&
                          surface_.height() == height;
    if (sameSize) {
        if (painter_)
            painter_->end();
        painter_.reset();
    } else {
        ReleaseSurface();
        if (width < 1 || height < 1)
            return;
        surface_ = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        if (surface_.isNull())
            return;
    }
    surface_.fill(QColor::fromRgba(options_.Colors().Color(ColorTable::kBackground)));
    painter_ = std::make_unique<QPainter>(&surface_);
    const bool smooth = options_.Antialias();
    painter_->setRenderHint(QPainter::Antialiasing, smooth);
    painter_->setRenderHint(QPainter::TextAntialiasing, smooth);
}

void PlotCanvas::RefreshGraphicsHandle(bool release, bool create)
{
    // Making the surface again lets go of the old one itself, keeping the image when the
    // size has not changed.
    if (release && !create)
        ReleaseSurface();
    if (create)
        CreateSurface();
}

bool PlotCanvas::BeginRedraw(const CalculationResults& results, std::string_view cableDistanceText)
{
    RefreshGraphicsHandle(true, true);
    if (IsGraph()) {
        SetGraphBounds();
    } else if (!SetBounds(results, cableDistanceText)) {
        return false;
    }
    DrawScale();
    return true;
}

void PlotCanvas::CopyTo(PlotPictureBox& box) const
{
    if (surface_.isNull())
        return;
    box.ShowPicture(surface_.copy(0, 0, Format::WholeHalfEven(pictureWidth_), Format::WholeHalfEven(pictureHeight_)));
}

// --- Transforms --------------------------------------------------------------------------

bool PlotCanvas::SetBounds(const CalculationResults& results, std::string_view cableDistanceText)
{
    switch (kind_) {
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
    const float w = box.maxX - box.minX;
    const float h = box.maxY - box.minY;
    xMin_ = box.minX - 0.05f * w;
    xMax_ = box.maxX + 0.05f * w;
    yMin_ = box.minY - 0.05f * h;
    yMax_ = box.maxY + 0.05f * h;
    if (kind_ == Kind::Venue) {
        // The venue keeps the array's origin in the lower-left corner.
        if (box.minX >= 0.0f)
            xMin_ = 0.0f;
        if (box.minY >= 0.0f)
            yMin_ = 0.0f;
    }
    xRange_ = xMax_ - xMin_;
    yRange_ = yMax_ - yMin_;

    ComputeMargins(cableDistanceText);
    plotWidth_ = Format::WholeHalfEven(pictureWidth_ - left_ - right_);
    plotHeight_ = Format::WholeHalfEven(pictureHeight_ - top_ - bottom_);
    if (!PlotHasRoom())
        return false;
    FitEqualScale();
    return true;
}

void PlotCanvas::ComputeMargins(std::string_view cableDistanceText)
{
    const bool scale = options_.ShowScale();
    left_ = scale ? 27 : 3;
    bottom_ = scale ? 18 : 3;
    if (kind_ != Kind::RiggingDetails) {
        right_ = 3;
        top_ = 3;
        return;
    }
    const QSize label = MeasureText(cableDistanceText);
    if (options_.ShowDistanceBetweenCables()) {
        top_ = label.height() + 2;
        right_ = label.width() + 2;
    } else {
        top_ = 2;
        right_ = 2;
    }
    if (options_.ShowWeights())
        top_ += label.height() + 1;
}

void PlotCanvas::FitEqualScale()
{
    const bool venue = kind_ == Kind::Venue;
    // Widens [low, high] by growth; the venue's origin edge stays put.
    auto grow = [venue](float& low, float& high, float growth) {
        if (venue && low == 0.0f) {
            high += growth;
        } else {
            low -= growth / 2;
            high += growth / 2;
        }
    };

    // A box of a single point has no scale to fit; give it one unit across and let the
    // equal-scale rule size the other axis, rather than dividing by a zero range.
    if (!(xRange_ > 0.0f) && !(yRange_ > 0.0f)) {
        const float cx = (xMin_ + xMax_) / 2;
        xMin_ = xMax_ = (venue && xMin_ == 0.0f) ? 0.0f : cx;
        grow(xMin_, xMax_, 1.0f);
        const float cy = (yMin_ + yMax_) / 2;
        yMin_ = yMax_ = (venue && yMin_ == 0.0f) ? 0.0f : cy;
        xRange_ = xMax_ - xMin_;
        yRange_ = 0.0f;
    }

    const float across = xRange_ / static_cast<float>(plotWidth_);
    const float up = yRange_ / static_cast<float>(plotHeight_);
    if (up <= across)
        grow(yMin_, yMax_, across * static_cast<float>(plotHeight_) - yRange_);
    else
        grow(xMin_, xMax_, up * static_cast<float>(plotWidth_) - xRange_);
    xRange_ = xMax_ - xMin_;
    yRange_ = yMax_ - yMin_;
}

void PlotCanvas::SetGraphBounds()
{
    left_ = kGraphLeft;
    right_ = kGraphRight;
    top_ = kGraphTop;
    bottom_ = kGraphBottom;
    plotWidth_ = Format::WholeHalfEven(pictureWidth_ - kGraphLeft - kGraphRight);
    plotHeight_ = Format::WholeHalfEven(pictureHeight_ - kGraphTop - kGraphBottom);
    logFirst_ = std::log10(static_cast<double>(FrequencyTable::Frequency(1)));
    logLast_ = std::log10(static_cast<double>(FrequencyTable::Frequency(FrequencyTable::Count())));
    logRange_ = logLast_ - logFirst_;
    if (kind_ == Kind::EvennessGraph) {
        valueTop_ = 100.0f;
        valueBottom_ = 0.0f;
    } else {
        valueTop_ = 12.0f;
        valueBottom_ = -36.0f;
    }
    valueRange_ = valueTop_ - valueBottom_;
}

float PlotCanvas::ConvertX(float x) const
{
    if (IsGraph())
        return static_cast<float>((std::log10(static_cast<double>(x)) - logFirst_) / logRange_ *
                                      plotWidth_ +
                                  kGraphLeft);
    return (x - xMin_) / xRange_ * static_cast<float>(plotWidth_) + static_cast<float>(left_);
}

float PlotCanvas::ConvertY(float y) const
{
    if (IsGraph())
        return (valueTop_ - y) / valueRange_ * static_cast<float>(plotHeight_) +
               static_cast<float>(kGraphTop);
    return (yRange_ - y + yMin_) / yRange_ * static_cast<float>(plotHeight_) +
           static_cast<float>(top_);
}

float PlotCanvas::RevertX(float px) const
{
    return (px - static_cast<float>(left_)) / static_cast<float>(plotWidth_) * xRange_ + xMin_;
}

float PlotCanvas::RevertY(float py) const
{
    return yMin_ + yRange_ -
           (py - static_cast<float>(top_)) / static_cast<float>(plotHeight_) * yRange_;
}

float PlotCanvas::ConvertWidth(float w) const
{
    return w / xRange_ * static_cast<float>(plotWidth_);
}

float PlotCanvas::ConvertHeight(float h) const
{
    return h / yRange_ * static_cast<float>(plotHeight_);
}

// --- Scale -------------------------------------------------------------------------------

std::string PlotCanvas::SignedText(double whole)
{
    const double rounded = Format::RoundHalfEven(whole);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(rounded));
    return std::string(rounded < 0.0 ? "-" : " ") + buffer;
}

int PlotCanvas::ScaleSampleSize(bool alongX) const
{
    if (!alongX)
        return MeasureText("Xy").height();
    const auto digits = [](float v) { return SignedText(std::trunc(v)).size(); };
    const std::size_t n = std::max(digits(xMax_), digits(xMin_));
    // A blank and the widest label's digits, all as wide as a zero.
    std::string sample(n + 1, '0');
    sample.front() = ' ';
    return MeasureText(sample).width();
}

float PlotCanvas::GeometryStep(int plotSize, float range, int sample) const
{
    if (sample <= 0)
        return 0.0f;
    if (kind_ == Kind::Venue) {
        // The venue's steps are always whole multiples of 5.
        const int fit = plotSize / sample;
        if (fit <= 0)
            return 0.0f;
        const int perLabel = Format::WholeHalfEven(static_cast<double>(range) / fit);
        return static_cast<float>((perLabel / 5 + 1) * 5);
    }
    const int fit = Format::WholeHalfEven(static_cast<double>(plotSize) / sample);
    if (fit <= 0)
        return 0.0f;
    const int pixelsPerLabel = plotSize / fit;
    if (pixelsPerLabel <= 0)
        return 0.0f;
    return static_cast<float>(std::max(1, Format::WholeHalfEven(static_cast<double>(range) / pixelsPerLabel)));
}

float PlotCanvas::StepWithRoom(float step, bool alongX, float increment) const
{
    const double range = IsGraph() ? valueRange_ : (alongX ? xRange_ : yRange_);
    const int plotSize = alongX ? plotWidth_ : plotHeight_;
    if (!(step > 0.0f) || !(range > 0.0) || !std::isfinite(range) || plotSize <= 0)
        return step;
    const double low = IsGraph() ? valueBottom_ : (alongX ? xMin_ : yMin_);
    const double high = IsGraph() ? valueTop_ : (alongX ? xMax_ : yMax_);
    const double perUnit = plotSize / range;
    // The next whole multiple of the increment that is at least `units`.
    const auto upTo = [increment](double units) {
        return static_cast<float>(std::ceil(units / increment) * increment);
    };
    // The rule can give steps whose labels run into each other (its step grows with the
    // range but not with the pixels per unit); then the next steps that leave each label
    // its own room are taken. First the sample's room, then each drawn label's.
    double needed = ScaleSampleSize(alongX) + kLabelGap;
    if (step * perUnit < needed)
        step = upTo(needed / perUnit);
    for (int tries = 0; tries < 8; ++tries) {
        double widest = 0.0;
        ForEachStep(low, high, step, [&](double value) {
            const QSize size = MeasureText(SignedText(value));
            widest = std::max(widest, static_cast<double>(alongX ? size.width() : size.height()));
        });
        needed = widest + kLabelGap;
        if (step * perUnit >= needed)
            break;
        step = std::max(step + increment, upTo(needed / perUnit));
    }
    return step;
}

namespace {

// The graphs' value step: a multiple of `multiple`.
float GraphValueStep(int plotHeight, float range, int sample, int multiple)
{
    if (sample <= 0)
        return 0.0f;
    const int fit = Format::WholeHalfEven(static_cast<double>(plotHeight) / sample);
    if (fit <= 0)
        return 0.0f;
    const int pixelsPerLabel = plotHeight / fit;
    if (pixelsPerLabel <= 0)
        return 0.0f;
    const int perLabel = Format::WholeHalfEven(static_cast<double>(range) / pixelsPerLabel);
    return static_cast<float>((perLabel / multiple + 1) * multiple);
}

} // namespace

float PlotCanvas::XStep() const
{
    if (IsGraph())
        return 0.0f;
    const float step = GeometryStep(plotWidth_, xRange_, ScaleSampleSize(true));
    return StepWithRoom(step, true, kind_ == Kind::Venue ? 5.0f : 1.0f);
}

float PlotCanvas::YStep() const
{
    if (IsGraph()) {
        const int multiple = kind_ == Kind::EvennessGraph ? 5 : 3;
        const float step =
            GraphValueStep(plotHeight_, valueRange_, ScaleSampleSize(false), multiple);
        return StepWithRoom(step, false, static_cast<float>(multiple));
    }
    const float step = GeometryStep(plotHeight_, yRange_, ScaleSampleSize(false));
    return StepWithRoom(step, false, kind_ == Kind::Venue ? 5.0f : 1.0f);
}

int PlotCanvas::FrequencyLabelStep() const
{
    if (!IsGraph())
        return 0;
    int widest = 0;
    for (int i = 1; i <= FrequencyTable::Count(); ++i)
        widest = std::max(widest,
                          MeasureText(Format::FormatFrequency(FrequencyTable::Frequency(i))).width());
    // A graph narrower than its widest label goes without frequency labels.
    if (widest <= 0)
        return 0;
    const int fit = plotWidth_ / widest;
    if (fit <= 0)
        return 0;
    return FrequencyTable::Count() / fit + 1;
}

void PlotCanvas::DrawScale()
{
    scaleLabels_.clear();
    if (IsGraph())
        DrawGraphScale();
    else
        DrawGeometryScale();
}

void PlotCanvas::DrawGeometryScale()
{
    if (options_.ShowScale()) {
        const QPen& pen = Pen(PenRole::ScaleLines);
        DrawLineFromXY(xMin_, yMax_, xMin_, yMin_, pen);
        DrawLineFromXY(xMin_, yMin_, xMax_, yMin_, pen);
    }
    DrawGeometryAxis(true);
    DrawGeometryAxis(false);
}

void PlotCanvas::DrawGeometryAxis(bool alongX)
{
    const bool scale = options_.ShowScale();
    const bool grid = options_.ShowGrid();
    const float step = alongX ? XStep() : YStep();
    // Only the array picture and the venue mark the zero line apart.
    const bool zeroPen = kind_ != Kind::RiggingDetails;
    const float low = alongX ? xMin_ : yMin_;
    const float high = alongX ? xMax_ : yMax_;

    ForEachStep(low, high, step, [&](double value) {
        const auto t = static_cast<float>(value);
        if (scale) {
            const QPen& pen = Pen(PenRole::ScaleLines);
            if (alongX) {
                const float x = ConvertX(t);
                const auto y = static_cast<float>(BottomEdge());
                DrawLineManual(x, y, x, y + kTickLength, pen);
                DrawScaleLabel(SignedText(value), FormatOfCode(2), x, y + kTickLength, true);
            } else {
                const float y = ConvertY(t);
                const auto x = static_cast<float>(left_);
                DrawLineManual(x - kTickLength, y, x, y, pen);
                DrawScaleLabel(SignedText(value), FormatOfCode(1), x - kTickLength, y, false);
            }
        }
        if (grid) {
            const QPen& pen = Pen(zeroPen && value == 0.0 ? PenRole::GridZero : PenRole::GridNormal);
            if (alongX)
                DrawLineFromXY(t, yMin_, t, yMax_, pen);
            else
                DrawLineFromXY(xMin_, t, xMax_, t, pen);
        }
    });
}

void PlotCanvas::DrawGraphScale()
{
    const bool scale = options_.ShowScale();
    const bool grid = options_.ShowGrid();
    const QPen& scalePen = Pen(PenRole::ScaleLines);
    const QPen& gridPen = Pen(PenRole::GridNormal);
    const float first = FrequencyTable::Frequency(1);
    const float last = FrequencyTable::Frequency(FrequencyTable::Count());
    const auto bottomEdge = static_cast<float>(BottomEdge());
    const auto top = static_cast<float>(kGraphTop);

    DrawLineFromXY(first, valueBottom_, last, valueBottom_, scalePen);
    DrawLineFromXY(first, valueTop_, first, valueBottom_, scalePen);

    const int labelStep = FrequencyLabelStep();
    for (int i = 1; i <= FrequencyTable::Count(); ++i) {
        const float f = FrequencyTable::Frequency(i);
        const float x = ConvertX(f);
        if (scale) {
            DrawLineManual(x, bottomEdge, x, bottomEdge + kTickLength, scalePen);
            if (labelStep > 0 && (i - 1) % labelStep == 0)
                DrawScaleLabel(Format::FormatFrequency(f), FormatOfCode(2), x,
                               bottomEdge + kTickLength, true);
        }
        if (grid && kind_ == Kind::EvennessGraph)
            DrawLineManual(x, bottomEdge, x, top, gridPen);
    }

    ForEachStep(valueBottom_, valueTop_, YStep(), [&](double value) {
        const auto v = static_cast<float>(value);
        const float y = ConvertY(v);
        if (scale) {
            DrawLineManual(kGraphLabelX, y, static_cast<float>(kGraphLeft), y, scalePen);
            DrawScaleLabel(SignedText(value), FormatOfCode(1), kGraphLabelX, y, false);
        }
        if (grid)
            DrawLineFromXY(first, v, last, v, gridPen);
    });

    if (grid && kind_ == Kind::ListeningPointsGraph) {
        // Decade lines 10 Hz .. 90 kHz, where they fall inside the table's range.
        for (int k = 1; k <= 4; ++k) {
            for (int m = 1; m <= 9; ++m) {
                const double f = m * std::pow(10.0, k);
                const double lg = std::log10(f);
                if (lg < logFirst_ || lg > logLast_)
                    continue;
                const float x = ConvertX(static_cast<float>(f));
                DrawLineManual(x, bottomEdge, x, top, gridPen);
            }
        }
    }
}

// --- Primitives --------------------------------------------------------------------------

void PlotCanvas::DrawLine(const Point2D& p1, const Point2D& p2, const QPen& pen)
{
    DrawLineFromXY(p1.x, p1.y, p2.x, p2.y, pen);
}

void PlotCanvas::DrawLineFromXY(float x1, float y1, float x2, float y2, const QPen& pen)
{
    DrawLineManual(ConvertX(x1), ConvertY(y1), ConvertX(x2), ConvertY(y2), pen);
}

void PlotCanvas::DrawLineManual(float x1, float y1, float x2, float y2, const QPen& pen)
{
    if (!painter_)
        return;
    painter_->setPen(pen);
    painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PlotCanvas::DrawText(std::string_view text, int alignment, float x, float y,
                          const QFont& font, const QBrush& brush)
{
    DrawText(text, FormatOfCode(alignment), x, y, font, brush);
}

void PlotCanvas::DrawText(std::string_view text, TextFormat format, float x, float y,
                          const QFont& font, const QBrush& brush)
{
    if (!painter_)
        return;
    int flags = Qt::TextDontClip;
    switch (format) {
    case TextFormat::None:
        flags |= Qt::AlignLeft | Qt::AlignTop;
        break;
    case TextFormat::Centred:
        flags |= Qt::AlignHCenter | Qt::AlignVCenter;
        break;
    case TextFormat::FarCentred:
        flags |= Qt::AlignRight | Qt::AlignVCenter;
        break;
    case TextFormat::CentredBelow:
        flags |= Qt::AlignHCenter | Qt::AlignTop;
        break;
    }
    painter_->setFont(font);
    // Text is drawn with the pen; give it the brush's paint.
    painter_->setPen(QPen(brush, 1.0));
    painter_->drawText(QRectF(x, y, 0.0, 0.0), flags, Text(text));
}

void PlotCanvas::DrawScaleLabel(const std::string& text, TextFormat format, float x, float y,
                                bool alongX)
{
    if (!painter_)
        return;
    const QSize size = MeasureText(text);
    const double w = size.width();
    const double h = size.height();
    QRectF rect(x, y, w, h);
    if (format == TextFormat::CentredBelow)
        rect.moveTo(x - w / 2.0, y);
    else if (format == TextFormat::FarCentred)
        rect.moveTo(x - w, y - h / 2.0);
    else if (format == TextFormat::Centred)
        rect.moveTo(x - w / 2.0, y - h / 2.0);
    // A label at the picture's edge (the top value, the last frequency) is moved in whole
    // rather than cut; one that would then run into its neighbour is left out.
    const QRectF picture(0.0, 0.0, surface_.width(), surface_.height());
    if (rect.right() > picture.right())
        rect.moveRight(picture.right());
    if (rect.bottom() > picture.bottom())
        rect.moveBottom(picture.bottom());
    if (rect.left() < picture.left())
        rect.moveLeft(picture.left());
    if (rect.top() < picture.top())
        rect.moveTop(picture.top());
    for (auto it = scaleLabels_.rbegin(); it != scaleLabels_.rend(); ++it) {
        if (it->alongX != alongX)
            continue;
        if (it->rect.intersects(rect))
            return;
        break;
    }
    DrawText(text, TextFormat::None, static_cast<float>(rect.left()),
             static_cast<float>(rect.top()), font_, Brush(BrushRole::Text));
    scaleLabels_.push_back(ScaleLabel{alongX, text, rect});
}

void PlotCanvas::DrawTextOnMidPoint(const Point2D& p1, const Point2D& p2, std::string_view text,
                                    const QFont& font, const QBrush& brush)
{
    const Point2D mid = p1.MidPointWith(p2);
    DrawText(text, 1, ConvertX(mid.x), ConvertY(mid.y), font, brush);
}

QPainterPath PlotCanvas::ConvertedQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                                       const Point2D& p4) const
{
    auto at = [this](const Point2D& p) { return QPointF(ConvertX(p.x), ConvertY(p.y)); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(at(p1));
    path.lineTo(at(p2));
    path.lineTo(at(p3));
    path.lineTo(at(p4));
    path.closeSubpath();
    return path;
}

void PlotCanvas::FillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                          const Point2D& p4, const QBrush& brush)
{
    if (painter_)
        painter_->fillPath(ConvertedQuad(p1, p2, p3, p4), brush);
}

void PlotCanvas::DrawFillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                              const Point2D& p4, const QBrush& brush, const QPen& pen)
{
    if (!painter_)
        return;
    const QPainterPath path = ConvertedQuad(p1, p2, p3, p4);
    painter_->fillPath(path, brush);
    painter_->strokePath(path, pen);
}

void PlotCanvas::DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                          const Point2D& p4, const QPen& pen)
{
    DrawLine(p1, p2, pen);
    DrawLine(p2, p3, pen);
    DrawLine(p3, p4, pen);
    DrawLine(p4, p1, pen);
}

void PlotCanvas::DrawFillCircle(float x, float y, float radius, const QPen& pen,
                                const QBrush& brush)
{
    if (!painter_)
        return;
    const QRectF box(ConvertX(x) - radius, ConvertY(y) - radius, 2 * radius, 2 * radius);
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(brush);
    painter_->drawEllipse(box);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawEllipse(box);
}

void PlotCanvas::DrawCircleFromXY(float x1, float y1, float x2, float y2, const QPen& pen)
{
    if (!painter_)
        return;
    const QRectF box =
        QRectF(QPointF(ConvertX(x1), ConvertY(y1)), QPointF(ConvertX(x2), ConvertY(y2)))
            .normalized();
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawEllipse(box);
}

void PlotCanvas::DrawMarks(const std::vector<QPointF>& points, const QPen& pen)
{
    if (!painter_)
        return;
    const double radius = (pen.widthF() + 2.0) / 2.0;
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(pen.color());
    for (const QPointF& point : points)
        painter_->drawEllipse(point, radius, radius);
    painter_->setBrush(Qt::NoBrush);
}

QRectF PlotCanvas::PlotRect() const
{
    return QRectF(left_, top_, plotWidth_ + 1, plotHeight_ + 1);
}

void PlotCanvas::SetPlotClip(bool on)
{
    if (!painter_)
        return;
    if (on)
        painter_->setClipRect(PlotRect());
    else
        painter_->setClipping(false);
}

void PlotCanvas::FillPath(const QPainterPath& path, const QBrush& brush)
{
    if (painter_)
        painter_->fillPath(path, brush);
}

void PlotCanvas::StrokePath(const QPainterPath& path, const QPen& pen)
{
    if (painter_)
        painter_->strokePath(path, pen);
}

void PlotCanvas::DrawPolyline(const std::vector<QPointF>& points, const QPen& pen)
{
    if (!painter_ || points.size() < 2)
        return;
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPolyline(points.data(), static_cast<int>(points.size()));
}

void PlotCanvas::DrawCurve(const std::vector<QPointF>& points, const QPen& pen)
{
    if (!painter_ || points.size() < 2)
        return;
    // Each segment is a cubic whose control points follow the neighbours' direction; the
    // ends repeat themselves as their missing neighbours.
    constexpr double kTension = 0.5;
    const std::size_t last = points.size() - 1;
    QPainterPath path(points[0]);
    for (std::size_t i = 0; i < last; ++i) {
        const QPointF& before = points[i == 0 ? 0 : i - 1];
        const QPointF& from = points[i];
        const QPointF& to = points[i + 1];
        const QPointF& after = points[i + 1 == last ? last : i + 2];
        path.cubicTo(from + (to - before) * (kTension / 3.0), to - (after - from) * (kTension / 3.0),
                     to);
    }
    painter_->strokePath(path, pen);
}

void PlotCanvas::DrawFillPath(const QPainterPath& path, const QBrush& brush, const QPen& pen)
{
    if (!painter_)
        return;
    painter_->fillPath(path, brush);
    painter_->strokePath(path, pen);
}

QSize PlotCanvas::MeasureText(std::string_view text) const
{
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(Text(text)), metrics.height()};
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
