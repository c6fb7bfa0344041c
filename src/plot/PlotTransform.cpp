#include "plot/PlotTransform.h"

#include <cmath>

#include "model/Format.h"
#include "shell/options/FrequencyTable.h"

namespace polvane {

bool PlotTransform::FitGeometry(const Box& box, bool keepOrigin, const Margins& margins,
                                double pictureWidth, double pictureHeight, int inset)
{
    const float w = box.maxX - box.minX;
    const float h = box.maxY - box.minY;
    xMin_ = box.minX - 0.05f * w;
    xMax_ = box.maxX + 0.05f * w;
    yMin_ = box.minY - 0.05f * h;
    yMax_ = box.maxY + 0.05f * h;
    if (keepOrigin) {
        if (box.minX >= 0.0f)
            xMin_ = 0.0f;
        if (box.minY >= 0.0f)
            yMin_ = 0.0f;
    }
    xRange_ = xMax_ - xMin_;
    yRange_ = yMax_ - yMin_;

    Place(margins, pictureWidth, pictureHeight);
    if (!PlotHasRoom())
        return false;
    // The box is fitted into the plot less the inset on every side, then the ranges grow by
    // the inset at that scale, which keeps the two scales equal. A plot too small to spare
    // it keeps none.
    if (inset > 0 && plotWidth_ > 4 * inset && plotHeight_ > 4 * inset) {
        plotWidth_ -= 2 * inset;
        plotHeight_ -= 2 * inset;
        FitEqualScale(keepOrigin);
        const float perPixel = xRange_ / static_cast<float>(plotWidth_);
        plotWidth_ += 2 * inset;
        plotHeight_ += 2 * inset;
        const float grow = perPixel * static_cast<float>(inset);
        xMin_ -= grow;
        xMax_ += grow;
        yMin_ -= grow;
        yMax_ += grow;
        xRange_ = xMax_ - xMin_;
        yRange_ = yMax_ - yMin_;
        return true;
    }
    FitEqualScale(keepOrigin);
    return true;
}

void PlotTransform::Place(const Margins& margins, double pictureWidth, double pictureHeight)
{
    left_ = margins.left;
    top_ = margins.top;
    right_ = margins.right;
    bottom_ = margins.bottom;
    plotWidth_ = Format::WholeHalfEven(pictureWidth - left_ - right_);
    plotHeight_ = Format::WholeHalfEven(pictureHeight - top_ - bottom_);
}

void PlotTransform::FitEqualScale(bool keepOrigin)
{
    // Widens [low, high] by growth; a kept origin edge stays put.
    auto grow = [keepOrigin](float& low, float& high, float growth) {
        if (keepOrigin && low == 0.0f) {
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
        xMin_ = xMax_ = (keepOrigin && xMin_ == 0.0f) ? 0.0f : cx;
        grow(xMin_, xMax_, 1.0f);
        const float cy = (yMin_ + yMax_) / 2;
        yMin_ = yMax_ = (keepOrigin && yMin_ == 0.0f) ? 0.0f : cy;
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

void PlotTransform::FitGraph(float valueTop, float valueBottom, double pictureWidth, double pictureHeight,
                            const Margins& margins)
{
    Place(margins, pictureWidth, pictureHeight);
    logFirst_ = std::log10(static_cast<double>(FrequencyTable::Frequency(1)));
    logLast_ = std::log10(static_cast<double>(FrequencyTable::Frequency(FrequencyTable::Count())));
    logRange_ = logLast_ - logFirst_;
    valueTop_ = valueTop;
    valueBottom_ = valueBottom;
    valueRange_ = valueTop_ - valueBottom_;
}

float PlotTransform::ConvertX(float x) const
{
    if (graph_)
        return static_cast<float>((std::log10(static_cast<double>(x)) - logFirst_) / logRange_ *
                                      plotWidth_ +
                                  left_);
    return (x - xMin_) / xRange_ * static_cast<float>(plotWidth_) + static_cast<float>(left_);
}

float PlotTransform::ConvertY(float y) const
{
    if (graph_)
        return (valueTop_ - y) / valueRange_ * static_cast<float>(plotHeight_) +
               static_cast<float>(top_);
    return (yRange_ - y + yMin_) / yRange_ * static_cast<float>(plotHeight_) +
           static_cast<float>(top_);
}

float PlotTransform::RevertX(float px) const
{
    return (px - static_cast<float>(left_)) / static_cast<float>(plotWidth_) * xRange_ + xMin_;
}

float PlotTransform::RevertY(float py) const
{
    return yMin_ + yRange_ -
           (py - static_cast<float>(top_)) / static_cast<float>(plotHeight_) * yRange_;
}

float PlotTransform::ConvertWidth(float w) const
{
    return w / xRange_ * static_cast<float>(plotWidth_);
}

float PlotTransform::ConvertHeight(float h) const
{
    return h / yRange_ * static_cast<float>(plotHeight_);
}

} // namespace polvane
