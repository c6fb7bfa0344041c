#pragma once

#include <string>

#include <QPointF>

#include "plot/PlotCanvas.h"
#include "windows/base/ToolWindow.h"

class QMouseEvent;

namespace polvane {

class PlotPictureBox;

// A tool window that shows one plot canvas in a picture box filling its client area. The
// canvas keeps its pens from load to unload (re-made only after a colour change); every
// redraw makes a new surface at the picture box's size, fits the transform, draws the scale,
// the window's content and hands the picture over whole. A plot under one pixel is not
// drawn at all. A resize of the picture redraws, except while the shell places the windows.
// A window with controls beside the picture places it itself and redraws on its own resize.
class DrawingWindow : public ToolWindow {
    Q_OBJECT

public:
    ~DrawingWindow() override;

    // Redraws the whole picture.
    void UpdateInterface() override;
    void RefreshGraphicsObjects() override;

    PlotPictureBox* Picture() const { return picture_; }
    const PlotCanvas& Canvas() const { return canvas_; }

protected:
    enum class Placement { FillsWindow, PlacedByWindow };

    DrawingWindow(ToolWindowId id, ToolWindowContext& context, PlotCanvas::Kind kind,
                  const char* pictureName, QWidget* parent, Placement placement = Placement::FillsWindow);

    // Draws the picture again from what the window holds.
    void Redraw();

    PlotCanvas& Plot() { return canvas_; }
    // The pixel point of a model point.
    QPointF PixelOf(const Point2D& p) const { return {canvas_.ConvertX(p.x), canvas_.ConvertY(p.y)}; }
    // An X through a pixel point, its arms `arm` pixels long each way.
    void DrawCross(QPointF at, float arm, const QPen& pen);

    // The text that sizes the canvas's margins (the rigging window's cable distance), and
    // the rows of loads and of a notice the rigging window writes above its plot.
    virtual std::string MarginText() const { return {}; }
    virtual int LoadRows() const { return 1; }
    virtual int NoticeRows() const { return 0; }
    // Everything the content would draw from, after the transform is fitted: while it, the
    // scale and the drawing objects stay the same, the picture is not drawn again. Empty
    // (the default) for a window that is always drawn.
    virtual std::string DrawnFrom() const { return {}; }
    // The content over the scale; runs only when the plot has room.
    virtual void DrawContent() = 0;
    // A redraw without room for the plot: nothing on the picture can be pointed at.
    virtual void NothingDrawn() {}
    // After the pens and brushes were made again: the window's own colours of its markers.
    virtual void GraphicsObjectsCreated() {}
    // Mouse events on the picture, in its pixels; true when the window took the event.
    virtual bool PictureMouseDown(const QMouseEvent& event) { (void)event; return false; }
    virtual bool PictureMouseMove(const QMouseEvent& event) { (void)event; return false; }
    virtual bool PictureMouseUp(const QMouseEvent& event) { (void)event; return false; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlotCanvas canvas_;
    PlotPictureBox* picture_;
    // The content key of the picture the box shows, and that picture's cache key.
    std::string shownContent_;
    qint64 shownPicture_ = 0;
};

} // namespace polvane
