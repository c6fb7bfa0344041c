#include "plot/PlotSurface.h"

#include <cstring>

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include "model/Format.h"
#include "plot/PlotPictureBox.h"
#include "shell/options/ColorTable.h"
#include "shell/options/Options.h"

namespace polvane {

PlotSurface::PlotSurface(const Options& options) : options_(options) {}

PlotSurface::~PlotSurface() { Release(); }

void PlotSurface::SetPictureSize(double width, double height)
{
    pictureWidth_ = width;
    pictureHeight_ = height;
}

QSize PlotSurface::RoundedSize() const
{
    return QSize(Format::WholeHalfEven(pictureWidth_), Format::WholeHalfEven(pictureHeight_));
}

void PlotSurface::Release()
{
    // The painter must let go of the image before the image goes.
    if (painter_)
        painter_->end();
    painter_.reset();
    surface_ = QImage();
    pictureKey_.reset();
}

void PlotSurface::Create(const QImage* start)
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
        Release();
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

void PlotSurface::ClipToSurface()
{
    painter_->setClipRect(QRect(QPoint(0, 0), surface_.size()));
    plotClip_ = false;
}

void PlotSurface::ClipToPlot(const QRectF& plot)
{
    painter_->setClipRect(plot);
    plotClip_ = true;
}

bool PlotSurface::StartPicture(const ScaleKey& key, bool room)
{
    scaleKeyHeld_ = scaleKey_ == key;
    // An unchanged scale is copied, not drawn: its grid lines are most of a redraw's work.
    const bool sameScale = room && scaleKeyHeld_ && !scaleImage_.isNull();
    Create(sameScale ? &scaleImage_ : nullptr);
    if (room && painter_)
        pictureKey_ = key;
    return sameScale;
}

void PlotSurface::ScaleDrawn(const ScaleKey& key)
{
    if (painter_ && scaleKeyHeld_) {
        scaleImage_ = surface_.copy();
    } else {
        ForgetScale();
        scaleKey_ = painter_ ? std::optional<ScaleKey>(key) : std::nullopt;
    }
}

bool PlotSurface::HoldsPicture(const ScaleKey& key) const { return painter_ != nullptr && pictureKey_ == key; }

void PlotSurface::ForgetPictures()
{
    ForgetScale();
    pictureKey_.reset();
}

void PlotSurface::ForgetScale() { scaleImage_ = QImage(); }

void PlotSurface::CopyTo(PlotPictureBox& box) const
{
    if (surface_.isNull())
        return;
    const QSize size = RoundedSize();
    // The box shows this picture already: handing it over again would only repaint it.
    if (size == surface_.size() && box.Picture() == surface_)
        return;
    box.ShowPicture(surface_.copy(0, 0, size.width(), size.height()));
}

} // namespace polvane
