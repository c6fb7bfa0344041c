#include "plot/PlotCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

#include "engine/CalculationResults.h"
#include "model/Format.h"
#include "shell/options/ColorTable.h"
#include "shell/options/CurveColors.h"
#include "shell/options/FrequencyTable.h"
#include "shell/options/Options.h"
#include "plot/PlotPictureBox.h"

namespace polvane {
namespace {

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

PlotCanvas::PlotCanvas(Kind kind, const Options& options)
    : options_(options), style_(kind, options),
      transform_(kind == Kind::EvennessGraph || kind == Kind::ListeningPointsGraph)
{
}

PlotCanvas::~PlotCanvas() { ReleaseSurface(); }

bool PlotCanvas::IsGraph() const
{
    return GetKind() == Kind::EvennessGraph || GetKind() == Kind::ListeningPointsGraph;
}

// --- Drawing objects ---------------------------------------------------------------------

void PlotCanvas::CreateGraphicsObjects()
{
    style_.Create();
    ForgetScale();
    pictureKey_.reset();
}

void PlotCanvas::DestroyGraphicsObjects()
{
    style_.Destroy();
    ForgetScale();
    pictureKey_.reset();
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
    pictureKey_.reset();
}

void PlotCanvas::CreateSurface(const QImage* start)
{
    pictureKey_.reset();
    const int width = Format::WholeHalfEven(pictureWidth_);
    const int height = Format::WholeHalfEven(pictureHeight_);
    const QRgb background = options_.Colors().Color(ColorTable::kBackground);
    // On an opaque background everything drawn stays opaque: an image without alpha is then
    // the same picture, and the screen takes it as a plain copy instead of blending it.
    const QImage::Format format = qAlpha(background) == 255 ? QImage::Format_RGB32
                                                            : QImage::Format_ARGB32_Premultiplied;
    // A redraw at the same size paints over the same image instead of making a new one.
    const bool sameSize = !surface_.isNull() && surface_.width() == width &&
                          surface_.height() == height && surface_.format() == format;
    if (sameSize) {
        if (painter_)
            painter_->end();
        painter_.reset();
    } else {
        ReleaseSurface();
        if (width < 1 || height < 1)
            return;
        surface_ = QImage(width, height, format);
        if (surface_.isNull())
            return;
    }
    // Same size and format, so the same bytes per line.
    if (start != nullptr && start->size() == surface_.size() && start->format() == surface_.format())
        std::memcpy(surface_.bits(), start->constBits(), static_cast<std::size_t>(surface_.sizeInBytes()));
    else
        surface_.fill(QColor::fromRgba(background));
    painter_ = std::make_unique<QPainter>(&surface_);
    const bool smooth = options_.Antialias();
    painter_->setRenderHint(QPainter::Antialiasing, smooth);
    painter_->setRenderHint(QPainter::TextAntialiasing, smooth);
    // Qt's raster engine writes a hairline's pixels straight into the image only under a
    // rectangular clip of the painter's own; with none it gathers them into span lists,
    // flushed a few pixels at a time and, past about a hundred spans, handed to its thread
    // pool. The same pixels either way, about three times faster.
    ClipToSurface();
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
    // The transform needs only the picture's size, so it is known before the surface.
    const bool room = FitTransform(results, cableDistanceText);
    const ScaleKey key = CurrentScaleKey();
    const bool keyHeld = scaleKey_ == key;
    // An unchanged scale is copied, not drawn: its grid lines are most of a redraw's work.
    const bool sameScale = room && keyHeld && !scaleImage_.isNull();
    CreateSurface(sameScale ? &scaleImage_ : nullptr);
    if (room && painter_)
        pictureKey_ = key;
    if (!room)
        return false;
    if (sameScale)
        return true;
    DrawScale();
    if (painter_ && keyHeld) {
        scaleImage_ = surface_.copy();
    } else {
        ForgetScale();
        scaleKey_ = painter_ ? std::optional<ScaleKey>(key) : std::nullopt;
    }
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
    return FitTransform(results, cableDistanceText) && painter_ != nullptr && pictureKey_ == CurrentScaleKey();
}

PlotCanvas::ScaleKey PlotCanvas::CurrentScaleKey() const
{
    return ScaleKey{transform_,
                    QSize(Format::WholeHalfEven(pictureWidth_), Format::WholeHalfEven(pictureHeight_)),
                    options_.Antialias(),
                    options_.ShowScale(),
                    options_.ShowGrid(),
                    options_.Colors().Color(ColorTable::kBackground)};
}

void PlotCanvas::ForgetScale() { scaleImage_ = QImage(); }

void PlotCanvas::ClipToSurface()
{
    painter_->setClipRect(QRect(QPoint(0, 0), surface_.size()));
    plotClip_ = false;
}

void PlotCanvas::CopyTo(PlotPictureBox& box) const
{
    if (surface_.isNull())
        return;
    const QSize size(Format::WholeHalfEven(pictureWidth_), Format::WholeHalfEven(pictureHeight_));
    // The box shows this picture already: handing it over again would only repaint it.
    if (size == surface_.size() && box.Picture() == surface_)
        return;
    box.ShowPicture(surface_.copy(0, 0, size.width(), size.height()));
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
    return transform_.FitGeometry(box, GetKind() == Kind::Venue, Margins(cableDistanceText), pictureWidth_,
                                  pictureHeight_);
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
    if (options_.ShowWeights())
        margins.top += label.height() + 1;
    return margins;
}

void PlotCanvas::SetGraphBounds()
{
    if (GetKind() == Kind::EvennessGraph)
        transform_.FitGraph(100.0f, 0.0f, pictureWidth_, pictureHeight_);
    else
        transform_.FitGraph(12.0f, -36.0f, pictureWidth_, pictureHeight_);
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
    const std::size_t n = std::max(digits(XMax()), digits(XMin()));
    // A blank and the widest label's digits, all as wide as a zero.
    std::string sample(n + 1, '0');
    sample.front() = ' ';
    return MeasureText(sample).width();
}

float PlotCanvas::GeometryStep(int plotSize, float range, int sample) const
{
    if (sample <= 0)
        return 0.0f;
    if (GetKind() == Kind::Venue) {
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
    const double range = IsGraph() ? transform_.ValueRange() : (alongX ? XRange() : YRange());
    const int plotSize = alongX ? PlotWidth() : PlotHeight();
    if (!(step > 0.0f) || !(range > 0.0) || !std::isfinite(range) || plotSize <= 0)
        return step;
    const double low = IsGraph() ? ValueBottom() : (alongX ? XMin() : YMin());
    const double high = IsGraph() ? ValueTop() : (alongX ? XMax() : YMax());
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
    const float step = GeometryStep(PlotWidth(), XRange(), ScaleSampleSize(true));
    return StepWithRoom(step, true, GetKind() == Kind::Venue ? 5.0f : 1.0f);
}

float PlotCanvas::YStep() const
{
    if (IsGraph()) {
        const int multiple = GetKind() == Kind::EvennessGraph ? 5 : 3;
        const float step =
            GraphValueStep(PlotHeight(), transform_.ValueRange(), ScaleSampleSize(false), multiple);
        return StepWithRoom(step, false, static_cast<float>(multiple));
    }
    const float step = GeometryStep(PlotHeight(), YRange(), ScaleSampleSize(false));
    return StepWithRoom(step, false, GetKind() == Kind::Venue ? 5.0f : 1.0f);
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
    const int fit = PlotWidth() / widest;
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
        DrawLineFromXY(XMin(), YMax(), XMin(), YMin(), pen);
        DrawLineFromXY(XMin(), YMin(), XMax(), YMin(), pen);
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
    const bool zeroPen = GetKind() != Kind::RiggingDetails;
    const float low = alongX ? XMin() : YMin();
    const float high = alongX ? XMax() : YMax();

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
                const auto x = static_cast<float>(Left());
                DrawLineManual(x - kTickLength, y, x, y, pen);
                DrawScaleLabel(SignedText(value), FormatOfCode(1), x - kTickLength, y, false);
            }
        }
        if (grid) {
            const QPen& pen = Pen(zeroPen && value == 0.0 ? PenRole::GridZero : PenRole::GridNormal);
            if (alongX)
                DrawLineFromXY(t, YMin(), t, YMax(), pen);
            else
                DrawLineFromXY(XMin(), t, XMax(), t, pen);
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
    const auto top = static_cast<float>(PlotTransform::kGraphMargins.top);

    DrawLineFromXY(first, ValueBottom(), last, ValueBottom(), scalePen);
    DrawLineFromXY(first, ValueTop(), first, ValueBottom(), scalePen);

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
        if (grid && GetKind() == Kind::EvennessGraph)
            DrawLineManual(x, bottomEdge, x, top, gridPen);
    }

    ForEachStep(ValueBottom(), ValueTop(), YStep(), [&](double value) {
        const auto v = static_cast<float>(value);
        const float y = ConvertY(v);
        if (scale) {
            DrawLineManual(kGraphLabelX, y, static_cast<float>(PlotTransform::kGraphMargins.left), y, scalePen);
            DrawScaleLabel(SignedText(value), FormatOfCode(1), kGraphLabelX, y, false);
        }
        if (grid)
            DrawLineFromXY(first, v, last, v, gridPen);
    });

    if (grid && GetKind() == Kind::ListeningPointsGraph) {
        // Decade lines 10 Hz .. 90 kHz, where they fall inside the table's range.
        for (int k = 1; k <= 4; ++k) {
            for (int m = 1; m <= 9; ++m) {
                const double f = m * std::pow(10.0, k);
                const double lg = std::log10(f);
                if (lg < transform_.LogFirst() || lg > transform_.LogLast())
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
    const QPointF from(x1, y1), to(x2, y2);
    // A wider line is filled as a polygon: Qt's raster engine hands every fill of more than
    // about a hundred spans to its thread pool and waits for it, and a smoothed steep line
    // is a few short spans a row, so a tall one would be handed over. Drawn band by band
    // through a clip of whole rows it stays on this thread, pixel for pixel the same line.
    // Hairlines are written straight into the pixels (see CreateSurface).
    constexpr int kBandRows = 40;
    const double top = std::min(y1, y2);
    const double bottom = std::max(y1, y2);
    const bool steepAndTall = std::fabs(x2 - x1) < bottom - top && bottom - top > kBandRows;
    const bool hairline = pen.widthF() <= 1.0;
    if (hairline || !steepAndTall || plotClip_ || !std::isfinite(top) || !std::isfinite(bottom)) {
        painter_->drawLine(from, to);
        return;
    }
    // The bands reach past the ends by the pen's half width and its caps.
    const int reach = static_cast<int>(std::ceil(pen.widthF() / 2.0)) + 2;
    const int width = surface_.width();
    const int first = std::max(0, static_cast<int>(std::floor(std::max(top, -1e6))) - reach);
    const int last = std::min(surface_.height(), static_cast<int>(std::ceil(std::min(bottom, 1e6))) + reach + 1);
    for (int row = first; row < last; row += kBandRows) {
        painter_->setClipRect(QRect(0, row, width, std::min(kBandRows, last - row)));
        painter_->drawLine(from, to);
    }
    ClipToSurface();
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
             static_cast<float>(rect.top()), Font(), Brush(BrushRole::Text));
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
    return QRectF(Left(), Top(), PlotWidth() + 1, PlotHeight() + 1);
}

void PlotCanvas::SetPlotClip(bool on)
{
    if (!painter_)
        return;
    if (on) {
        painter_->setClipRect(PlotRect());
        plotClip_ = true;
    } else {
        ClipToSurface();
    }
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
    const QFontMetrics metrics(Font());
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
