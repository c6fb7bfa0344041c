#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>

#include <vector>

#include "model/Point2D.h"
#include "plot/LevelRamp.h"
#include "windows/base/DrawingWindow.h"
#include "windows/tools/VenueHotSpots.h"

class QLabel;
class QMouseEvent;
class QPen;

namespace polvane {

class Environment;
class OverlayMarker;
struct CalculationResults;

// The venue in side section: the seating areas with the predicted level along them, the
// array with its sound paths and, in engineering mode, its polar balloon, the far-field
// marks and the listening points. The application's highlighted cell is marked over the
// picture with its throw.
//
// With "Click and drag venue items" on, the mouse takes hold of the array location, the
// ends of a seating area, a whole area or a listening point and drops it elsewhere, snapped
// to the grid unless Ctrl is held; each drop changes the venue once, recalculates and marks
// it changed. The right button reads out the level of the nearest sample.
class VenueWindow : public DrawingWindow {
    Q_OBJECT

public:
    explicit VenueWindow(ToolWindowContext& context, QWidget* parent = nullptr);

    void DoHighlightCell() override;
    void DoClearHighlightedCell() override;

    PlotPictureBox* picVenue() const { return Picture(); }
    OverlayMarker* linSoundPath() const { return linSoundPath_; }
    QLabel* lblDistance() const { return lblDistance_; }
    QLabel* lblCoordinates() const { return lblCoordinates_; }
    OverlayMarker* linMove() const { return linMove_; }
    OverlayMarker* linPlane() const { return linPlane_; }
    OverlayMarker* shpHotspot() const { return shpHotspot_; }

    const VenueHotSpots& HotSpots() const { return hotSpots_; }
    const LevelRamp& Ramp() const { return ramp_; }
    bool IsDragging() const { return dragging_; }
    const HotSpot& DragRecord() const { return drag_; }
    // The pixel ends of each cell's sound path at the last drawing (cell i at i - 1).
    const std::vector<QPoint>& SoundPathStarts() const { return soundPathStart_; }
    const std::vector<QPoint>& SoundPathEnds() const { return soundPathEnd_; }

protected:
    void DrawContent() override;
    void NothingDrawn() override;
    void GraphicsObjectsCreated() override;
    bool PictureMouseDown(const QMouseEvent& event) override;
    bool PictureMouseMove(const QMouseEvent& event) override;
    bool PictureMouseUp(const QMouseEvent& event) override;

private:
    // Drawing.
    void DrawSeatingAreas(const Environment& venue);
    void DrawPlaneSPLs(const Environment& venue, const CalculationResults& results);
    void DrawSPLBalloon(const Environment& venue, const CalculationResults& results);
    void DrawArray(const Environment& venue, const CalculationResults& results);
    void DrawFarFieldTransition(const Environment& venue, const CalculationResults& results);
    void DrawListeningPoints(const Environment& venue, const CalculationResults& results);
    void DrawListeningPoint(const std::string& name, const Point2D& p, const QPen& pen, float unit);

    // Pointing and dragging.
    void CacheHotSpots(const Environment& venue, const CalculationResults& results);
    HotSpot IdentifyHotspot(int x, int y) const;
    void HighlightHotSpot(const HotSpot& hot);
    void CentreHotspotMarker(int x, int y);
    QPointF Snapped(QPointF at, Qt::KeyboardModifiers modifiers) const;
    bool Snapping(Qt::KeyboardModifiers modifiers) const;
    // The model point a drop at this (snapped) pixel point would commit.
    Point2D DropPoint(QPointF at, Qt::KeyboardModifiers modifiers) const;
    void ShowDrag(QPointF at, Qt::KeyboardModifiers modifiers);
    void PlaceCoordinates(float x, float y, float px, float py);
    void PlaceCoordinatesSPL(float x, float y, float level, float px, float py);
    void PlaceCoordinatesCaption(const QString& spl, float x, float y, float px, float py);
    void ReadOutLevel(QPointF at, bool pressed);
    void CommitDrop(const Point2D& at);

    void MouseDown(const QMouseEvent& event);
    void MouseMove(const QMouseEvent& event);
    void MouseUp(const QMouseEvent& event);

    LevelRamp ramp_;
    OverlayMarker* linSoundPath_;
    QLabel* lblDistance_;
    QLabel* lblCoordinates_;
    OverlayMarker* linMove_;
    OverlayMarker* linPlane_;
    OverlayMarker* shpHotspot_;

    std::vector<QPoint> soundPathStart_;
    std::vector<QPoint> soundPathEnd_;

    VenueHotSpots hotSpots_;
    HotSpot drag_;
    bool dragging_ = false;
    // Where, and with what, the coordinates label was last placed.
    QPointF lastPlaced_{-1.0e9, -1.0e9};
    QString lastCaption_;
    int hotspotHalfWidth_ = 0;
    int hotspotHalfHeight_ = 0;
    int coordinatesHeight_ = 0;
};

} // namespace polvane
