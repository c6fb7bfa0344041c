#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include <QRect>
#include <QString>

class QWidget;

namespace polvane {

class ScreenInfo;

// Where the cell configurations window puts its controls: the designed places in twips,
// each grown where the window's font needs more room for the widest text the control can
// show (the controls after it moving along), and every height stretched alike when the
// font's lines are taller than the rows were designed for.
class CellGridGeometry {
public:
    static constexpr int kRowCount = 24;

    // The grid's columns, left to right.
    enum class Column {
        Number,
        Type,
        Angle,
        Throw,
        Pinning,
        Splay,
        SplayUp,
        SplayDown,
        Attenuation,
        AttenUp,
        AttenDown,
    };

    // Measures the texts in the window's font and style; `infinite` is the throw that
    // meets no seating area.
    CellGridGeometry(const QWidget& window, const ScreenInfo& screen, const QString& infinite);

    // Above the grid: Auto-Configure (narrowed when the Extras button shows beside it), the
    // Extras button, and the count row.
    QRect Autodesign(bool besideExtras) const;
    QRect Extras() const;
    QRect CountLabel() const;
    QRect CountBox() const;
    QRect CountUp() const;
    QRect CountDown() const;
    // A column's header, as wide as its text.
    QRect Header(Column column, int textWidth) const;
    // Row `index` (1-based): a label, a button, and the two shadings (the second behind the
    // attenuation).
    QRect Label(int index, Column column) const;
    QRect Button(int index, Column column) const;
    QRect Shading(int index, bool second) const;
    // The window's width, wide enough for the grid, the count row and the buttons above.
    int WindowWidth(const QRect& extras, const QRect& autodesign) const;
    // The window's height with `rows` rows shown.
    int WindowHeight(int rows) const;

private:
    int Px(int twips) const;
    // Vertical twips to pixels, all of them stretched alike when the font's lines are taller
    // than the rows were designed for.
    int PxY(int twips) const;
    // Controls side by side: their designed lefts in twips (the last one the run's end), the
    // pixels each needs for its widest text, and what it takes beyond its designed pitch
    // (less than nothing where it gives room back).
    struct Run {
        std::vector<int> lefts;
        std::vector<int> needs;
        std::vector<int> growth;
    };
    // The grid's columns are each as wide as their widest value and a gap, the last one
    // with the margin to the window's edge; the count row keeps at least its designed
    // places.
    enum class Fit { Exactly, AtLeastDesigned };
    Run MakeRun(std::initializer_list<std::pair<int, int>> leftsAndNeeds, int endTwips, Fit fit) const;
    // The pixel place of a point given in twips, moved right by the growth of the controls
    // that end at or before it.
    int X(const Run& run, int twips) const;
    // A control's pixel width: the designed one, or its need when wider, within its pitch.
    int Width(const Run& run, int twipsLeft, int twipsWidth) const;
    // Measures the texts the controls must hold: the runs of the count row and the grid,
    // and how much taller than designed a line of text is.
    void Measure(const QWidget& window, const QString& infinite);
    int ButtonNeed(const QWidget& window, const QString& caption) const;
    // The top of row `index`'s labels and of its buttons, in twips.
    static int LabelTop(int index);
    static int ButtonTop(int index);

    const ScreenInfo& screen_;
    Run countRun_, gridRun_;
    double yScale_ = 1.0;
    int autodesignNeed_ = 0, extrasNeed_ = 0, arrowNeed_ = 0;
};

} // namespace polvane
