#pragma once

#include <string>
#include <vector>

#include <QRectF>

#include "plot/PlotPainter.h"

namespace polvane {

class Options;
class PlotStyle;
class PlotSurface;
class PlotTransform;

// The scale of a plot: its lines, ticks, labels and grid, with the steps between them. The
// geometry windows step their model units along both axes; the graphs label the frequency
// table across and step their value axis up. Labels keep clear of each other.
class PlotScale {
public:
    using TextFormat = PlotPainter::TextFormat;

    // A label the scale drew, where it landed.
    struct Label {
        bool alongX = false; // under the plot (true) or left of it
        std::string text;
        QRectF rect;
    };

    PlotScale(const Options& options, const PlotStyle& style, const PlotTransform& transform,
              PlotPainter& painter, const PlotSurface& surface)
        : options_(options), style_(style), transform_(transform), painter_(painter), surface_(surface)
    {
    }

    void Draw();

    // The steps the scale uses along each axis; 0 when that axis's sample label does not
    // fit and it gets no ticks, labels or grid.
    float XStep() const;
    float YStep() const;
    // The graph's frequency label step (every n-th band is labelled); 0 for none.
    int FrequencyLabelStep() const;
    // The labels of the last Draw, in drawing order.
    const std::vector<Label>& Labels() const { return labels_; }

    // A whole number with a leading sign position: " 5", "-5".
    static std::string SignedText(double whole);
    // The ticks' length, pixels; the labels end at their far ends.
    static constexpr int kTickLength = 5;

private:
    bool IsGraph() const;
    int BottomEdge() const;
    void DrawGeometry();
    void DrawGeometryAxis(bool alongX);
    void DrawGraph();
    int ScaleSampleSize(bool alongX) const;
    float GeometryStep(int plotSize, float range, int sample) const;
    float StepWithRoom(float step, bool alongX, float increment) const;
    void DrawLabel(const std::string& text, TextFormat format, float x, float y, bool alongX);

    const Options& options_;
    const PlotStyle& style_;
    const PlotTransform& transform_;
    PlotPainter& painter_;
    const PlotSurface& surface_;
    std::vector<Label> labels_;
};

} // namespace polvane
