#pragma once

#include <string>
#include <vector>

#include <QPointF>
#include <QRectF>

namespace polvane {

class Environment;
class PlotCanvas;
struct CalculationResults;

// The listening points window's graph: the predicted level over frequency of each ticked
// entry of the list, a curve in the entry's colour with every level marked, and which
// drawn point lies nearest the pointer.
class ListeningPointsGraph {
public:
    struct Hit {
        int entry = 0; // 1-based list entry, 0 for none
        QPointF at;    // its curve point
    };

    // What Draw draws from: the curves of the ticked entries.
    static std::string DrawnFrom(const CalculationResults& results, const Environment& venue,
                                 const std::vector<bool>& ticked);
    void Draw(PlotCanvas& canvas, const CalculationResults& results, const Environment& venue,
              const std::vector<bool>& ticked);
    // The drawn curve point nearest the pixel within `reach` pixels; none when none is.
    Hit Nearest(QPointF pixel, const QRectF& plot, double reach) const;

private:
    // Per list entry: whether its curve was drawn, and its curve's pixel points by band.
    std::vector<bool> plotted_;
    std::vector<std::vector<QPointF>> curvePoints_;
};

} // namespace polvane
