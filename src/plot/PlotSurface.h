#pragma once

#include <memory>
#include <optional>

#include <QImage>
#include <QRectF>
#include <QRgb>
#include <QSize>

#include "plot/PlotTransform.h"

class QPainter;

namespace polvane {

class Options;
class PlotPictureBox;

// The off-screen image one drawing window draws into, handed to its picture box whole, so
// the picture never flickers; and the picture it keeps of the last scale drawn.
//
// The image is made again on every redraw (kept when its size stays), so its size always
// follows the picture box and a changed "Antialias" switch takes effect at once.
//
// The scale is kept as drawn: a redraw with the same transform, size, smoothing, switches
// and drawing objects starts from a copy of it instead of drawing every grid line again,
// and a picture the same as the one the box shows is not handed over again.
class PlotSurface {
public:
    // What the scale's pixels depend on besides the drawing objects.
    struct ScaleKey {
        PlotTransform transform{false};
        QSize size;
        bool antialias = false;
        bool showScale = false;
        bool showGrid = false;
        QRgb background = 0;
        bool operator==(const ScaleKey&) const = default;
    };

    explicit PlotSurface(const Options& options);
    PlotSurface(const PlotSurface&) = delete;
    PlotSurface& operator=(const PlotSurface&) = delete;
    ~PlotSurface();

    // The picture box's scale size in pixels; the next surface is made to it.
    void SetPictureSize(double width, double height);
    double PictureWidth() const { return pictureWidth_; }
    double PictureHeight() const { return pictureHeight_; }
    // The picture size rounded (halves to even): the size of the surface made to it.
    QSize RoundedSize() const;

    void Release();
    // Starts from a copy of `start` when it has the surface's size, else from "Background".
    // A size below one pixel gives no surface.
    void Create(const QImage* start = nullptr);
    bool HasPainter() const { return painter_ != nullptr; }
    // Null while there is no surface.
    QPainter* Painter() const { return painter_.get(); }
    const QImage& Image() const { return surface_; }

    // Clips to the whole surface, which draws nothing less: see Create.
    void ClipToSurface();
    // Clips to the plot, until ClipToSurface.
    void ClipToPlot(const QRectF& plot);
    bool PlotClipped() const { return plotClip_; }

    // Starts the next picture for the key: from the scale kept for it (true: the scale need
    // not be drawn again), else from "Background". Without room the picture is not kept.
    bool StartPicture(const ScaleKey& key, bool room);
    // After the scale was drawn for the key.
    void ScaleDrawn(const ScaleKey& key);
    // True when the surface holds a picture drawn for the key.
    bool HoldsPicture(const ScaleKey& key) const;
    // The drawing objects changed: nothing drawn with the old ones is kept.
    void ForgetPictures();

    // The block copy of the whole surface onto the picture box.
    void CopyTo(PlotPictureBox& box) const;

private:
    void ForgetScale();

    const Options& options_;
    double pictureWidth_ = 0.0;
    double pictureHeight_ = 0.0;
    QImage surface_;
    std::unique_ptr<QPainter> painter_;
    bool plotClip_ = false;

    // The surface as it was right after the last drawn scale, and what it was drawn for.
    // It is kept only once the same scale was asked for twice running: a scale that moves
    // at every edit (the venue's, the array picture's) would be copied for nothing.
    QImage scaleImage_;
    std::optional<ScaleKey> scaleKey_;
    // Whether the last picture started for the key the scale was last drawn for.
    bool scaleKeyHeld_ = false;
    // What the picture on the surface was drawn for; none once the drawing objects or the
    // surface went.
    std::optional<ScaleKey> pictureKey_;
};

} // namespace polvane
