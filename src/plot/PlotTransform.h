#pragma once

namespace polvane {

// The mapping between a plot's values and the pixels of its picture. The geometry windows
// map model units with y up at equal scale on both axes; the graphs map the frequency table
// on a logarithmic axis against a linear value axis.
class PlotTransform {
public:
    struct Box {
        float minX = 0.0f;
        float maxY = 0.0f;
        float maxX = 0.0f;
        float minY = 0.0f;
    };
    struct Margins {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    // The graphs' fixed margins.
    static constexpr Margins kGraphMargins{27, 5, 3, 18};

    explicit PlotTransform(bool graph) : graph_(graph) {}

    // The equal-scale fit of the box, widened by a twentieth each way, inside the margins of
    // a picture of the given size. `keepOrigin` keeps the origin in the lower-left corner
    // when the box lies right of and above it. `inset` pixels more are kept free around the
    // widened box, where the plot is large enough, for markers drawn at its edge. False when
    // the plot is under one pixel.
    bool FitGeometry(const Box& box, bool keepOrigin, const Margins& margins, double pictureWidth,
                     double pictureHeight, int inset = 0);
    // The frequency table across, [valueBottom, valueTop] up, inside the margins (the
    // graphs' own unless their value labels need more room).
    void FitGraph(float valueTop, float valueBottom, double pictureWidth, double pictureHeight,
                  const Margins& margins = kGraphMargins);

    float ConvertX(float x) const;
    float ConvertY(float y) const;
    float RevertX(float px) const;
    float RevertY(float py) const;
    float ConvertWidth(float w) const;
    float ConvertHeight(float h) const;

    float XMin() const { return xMin_; }
    float XMax() const { return xMax_; }
    float YMin() const { return yMin_; }
    float YMax() const { return yMax_; }
    float XRange() const { return xRange_; }
    float YRange() const { return yRange_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    int PlotWidth() const { return plotWidth_; }
    int PlotHeight() const { return plotHeight_; }
    bool PlotHasRoom() const { return plotWidth_ >= 1 && plotHeight_ >= 1; }
    // Graph axes.
    float ValueTop() const { return valueTop_; }
    float ValueBottom() const { return valueBottom_; }
    float ValueRange() const { return valueRange_; }
    double LogFirst() const { return logFirst_; }
    double LogLast() const { return logLast_; }

    // The same mapping, to the last bit.
    bool operator==(const PlotTransform&) const = default;

private:
    // The plot inside the margins of a picture of the given size.
    void Place(const Margins& margins, double pictureWidth, double pictureHeight);
    void FitEqualScale(bool keepOrigin);

    bool graph_;

    // Geometry.
    float xMin_ = 0.0f;
    float xMax_ = 0.0f;
    float yMin_ = 0.0f;
    float yMax_ = 0.0f;
    float xRange_ = 0.0f;
    float yRange_ = 0.0f;
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    int plotWidth_ = 0;
    int plotHeight_ = 0;

    // Graphs.
    double logFirst_ = 0.0;
    double logLast_ = 0.0;
    double logRange_ = 0.0;
    float valueTop_ = 0.0f;
    float valueBottom_ = 0.0f;
    float valueRange_ = 0.0f;
};

} // namespace polvane
