#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include <QBrush>
#include <QFont>
#include <QPen>

namespace polvane {

class Options;

// The pens, brushes and label font of one kind of plot, made from the colour table when
// the colours or options change rather than on every redraw.
class PlotStyle {
public:
    enum class Kind { ArrayPicture, Venue, RiggingDetails, EvennessGraph, ListeningPointsGraph };

    // Not every window has every pen: asking for one its window lacks throws.
    enum class PenRole {
        CenterOfGravity,     // 3 px, round caps
        CenterOfGravityThin, // 1 px (array picture)
        BumperEdge,
        CellEdge,
        GridNormal,
        GridZero,
        SoundPathHit,
        SoundPathMiss,
        ScaleLines,
        RiggingCable,
        Dimension, // dashed, for the rigging window's measurements
        FarField,
        SeatingArea,
        Level, // the venue fills it with a gradient when it uses it
        GraphLines,
    };
    enum class BrushRole { Background, BumperFill, CellFill, Text, Shade };

    PlotStyle(Kind kind, const Options& options);

    Kind GetKind() const { return kind_; }

    void Create();
    void Destroy();
    bool IsCreated() const { return created_; }

    const QPen& Pen(PenRole role) const;
    const QBrush& Brush(BrushRole role) const;
    // 1-based over the curve colours (venue and listening-points graph).
    const QPen& CurvePen(int index) const;
    const QFont& Font() const { return font_; }
    bool HasPen(PenRole role) const { return pens_.count(role) != 0; }
    bool HasBrush(BrushRole role) const { return brushes_.count(role) != 0; }

private:
    void AddPen(PenRole role, std::uint32_t argb, int width, bool roundCaps);
    void AddBrush(BrushRole role, std::uint32_t argb);
    void AddCurvePens(int width);
    void Clear();

    const Options& options_;
    Kind kind_;
    bool created_ = false;
    std::map<PenRole, QPen> pens_;
    std::map<BrushRole, QBrush> brushes_;
    std::vector<QPen> curvePens_;
    QFont font_;
};

} // namespace polvane
