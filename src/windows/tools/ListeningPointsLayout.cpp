#include "windows/tools/ListeningPointsLayout.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "model/Format.h"
#include "platform/ScreenInfo.h"
#include "plot/PlotCanvas.h"
#include "plot/PlotTransform.h"
#include "shell/options/FrequencyTable.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

// The twip places the font may grow: the graph's left edge and the editors' width; what
// is left beside them, the graph takes.
constexpr int kGraphLeft = 2280;
constexpr int kEditorWidth = 1900;
// How many frequency labels the narrowest graph still shows.
constexpr int kReadableFrequencyLabels = 3;

} // namespace

struct ListeningPointsLayout::Places {
    int margin;
    int labelTop;
    int labelHeight;
    int controlTop;
    int gap;
    int listWidth;
    int buttonWidth;
    int buttonHeight;
    int boxHeight;
    int graphLeft;
    int graphWidth; // the least
    int editorGap;
    int editorWidth;
    int spinWidth;
    int bottom;
};

ListeningPointsLayout::Places ListeningPointsLayout::Measure() const
{
    const ScreenInfo& screen = screen_;
    const Controls& c = controls_;
    const auto widest = [](std::initializer_list<const QWidget*> controls) {
        int width = 0;
        for (const QWidget* control : controls)
            width = std::max(width, control->sizeHint().width());
        return width;
    };
    Places p{};
    p.margin = screen.PixelsX(120);
    p.labelTop = screen.PixelsY(120);
    p.labelHeight = std::max(screen.PixelsY(240), c.listLabel->sizeHint().height());
    p.controlTop = p.labelTop + p.labelHeight;
    p.gap = screen.PixelsY(100);
    p.buttonWidth = std::max(screen.PixelsX(950), widest({c.add, c.remove}));
    p.buttonHeight = std::max(screen.PixelsY(375), c.add->minimumSizeHint().height());
    p.listWidth = std::max({screen.PixelsX(2000), widest({c.listLabel}), 2 * p.buttonWidth + p.margin});
    p.boxHeight = std::max(screen.PixelsY(315), std::max(c.name->minimumSizeHint().height(),
                                                  c.area->minimumSizeHint().height()));
    p.graphLeft = std::max(screen.PixelsX(kGraphLeft), p.margin + p.listWidth + screen.PixelsX(160));
    // The graph's caption whole, and room for the frequency labels of three bands: the
    // lowest, one in the middle and one high, so that the curves can be read.
    int widestFrequency = 0;
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        widestFrequency = std::max(
            widestFrequency, canvas_.MeasureText(Format::FormatFrequency(FrequencyTable::Frequency(band))).width());
    p.graphWidth = std::max(c.graphLabel->sizeHint().width(),
                            kReadableFrequencyLabels * widestFrequency + PlotTransform::kGraphMargins.left +
                                PlotTransform::kGraphMargins.right);
    p.editorGap = screen.PixelsX(200);
    p.spinWidth = screen.PixelsX(300);
    const QLineEdit& position = *c.position;
    const int positionWidth = position.fontMetrics().horizontalAdvance(ToolControls::WidestMeasurement()) +
                              position.minimumSizeHint().width();
    p.editorWidth = std::max({screen.PixelsX(kEditorWidth), widest({c.nameLabel, c.areaLabel, c.positionLabel}),
                              positionWidth + p.spinWidth});
    p.bottom = screen.PixelsY(165);
    return p;
}

QSize ListeningPointsLayout::Needed() const
{
    const Places places = Measure();
    const int editorsBottom = places.labelTop + 3 * (places.labelHeight + places.boxHeight + places.labelTop);
    return QSize(places.graphLeft + places.graphWidth + places.editorGap + places.editorWidth + places.margin,
                 editorsBottom);
}

void ListeningPointsLayout::LayOut(int innerWidth, int innerHeight) const
{
    const Places p = Measure();
    const Controls& c = controls_;
    const auto place = [](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(left, top, std::max(0, width), std::max(0, height));
    };

    const int listHeight = std::max(p.boxHeight, innerHeight - p.controlTop - p.gap - p.buttonHeight - p.bottom);
    place(c.listLabel, p.margin, p.labelTop, p.listWidth, p.labelHeight);
    place(c.list, p.margin, p.controlTop, p.listWidth, listHeight);
    const int buttonTop = p.controlTop + listHeight + p.gap;
    place(c.add, p.margin, buttonTop, p.buttonWidth, p.buttonHeight);
    place(c.remove, p.margin + p.listWidth - p.buttonWidth, buttonTop, p.buttonWidth, p.buttonHeight);

    // What the list and the editors need beyond their twip widths comes off the graph.
    const int graphWidth = innerWidth - p.graphLeft - p.editorGap - p.editorWidth - p.margin;
    place(c.graphLabel, p.graphLeft, p.labelTop, std::max(0, graphWidth), p.labelHeight);
    place(c.graphBorder, p.graphLeft, p.controlTop, graphWidth, innerHeight - p.controlTop - p.labelTop);
    place(c.graph, p.graphLeft, p.controlTop + 1, graphWidth, innerHeight - p.controlTop - p.labelTop - 2);

    const int editorLeft = p.graphLeft + std::max(0, graphWidth) + p.editorGap;
    int top = p.labelTop;
    for (auto [label, editor] : {std::pair<QWidget*, QWidget*>{c.nameLabel, c.name},
                                 std::pair<QWidget*, QWidget*>{c.areaLabel, c.area},
                                 std::pair<QWidget*, QWidget*>{c.positionLabel, c.position}}) {
        place(label, editorLeft, top, p.editorWidth, p.labelHeight);
        const int width = editor == c.position ? p.editorWidth - p.spinWidth : p.editorWidth;
        place(editor, editorLeft, top + p.labelHeight, width, p.boxHeight);
        top += p.labelHeight + p.boxHeight + p.labelTop;
    }
    const QRect box = c.position->geometry();
    c.positionSpin->setGeometry(box.right() + 1, box.top(), p.spinWidth, box.height());
}

} // namespace polvane
