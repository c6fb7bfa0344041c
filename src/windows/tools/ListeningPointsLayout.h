#pragma once

#include <QSize>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

namespace polvane {

class PlotCanvas;
class ScreenInfo;

// Where the listening points window's controls go: the list and its buttons on the left,
// the graph in the middle, the editors on the right, each at its twip place grown where
// the font asks for more; the graph takes what is left of the width, the list what is left
// of the height.
class ListeningPointsLayout {
public:
    struct Controls {
        QLabel* listLabel;
        QListWidget* list;
        QPushButton* add;
        QPushButton* remove;
        QLabel* nameLabel;
        QLineEdit* name;
        QLabel* areaLabel;
        QComboBox* area;
        QLabel* positionLabel;
        QLineEdit* position;
        QSpinBox* positionSpin;
        QLabel* graphLabel;
        QFrame* graphBorder;
        QWidget* graph;
    };

    ListeningPointsLayout(const Controls& controls, const ScreenInfo& screen, const PlotCanvas& canvas)
        : controls_(controls), screen_(screen), canvas_(canvas)
    {
    }

    // The inside the list, the editors and a graph that still reads need.
    QSize Needed() const;
    // Places the controls in an inside of the given size.
    void LayOut(int innerWidth, int innerHeight) const;

private:
    // The controls' places in pixels: the twip places, grown where the font asks for more.
    struct Places;
    Places Measure() const;

    Controls controls_;
    const ScreenInfo& screen_;
    const PlotCanvas& canvas_;
};

} // namespace polvane
