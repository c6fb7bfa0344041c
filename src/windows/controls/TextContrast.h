#pragma once

#include <initializer_list>

#include <QColor>

namespace polvane {

// How plainly a text reads on what lies behind it, as the eye sees the lightness of the two
// colours, and the nearest colour to a wished one that reads plainly enough.
class TextContrast {
public:
    // Ordinary text, and text greyed while it cannot be used.
    static constexpr double kReadable = 4.5;
    static constexpr double kGreyedReadable = 3.0;

    // 1 for equal colours, 21 for black on white.
    static double Ratio(const QColor& a, const QColor& b);
    // `ink`, taken towards black or white (whichever reads better on the backs) until it
    // reaches `least` on every one of them; black or white when even they fall short.
    static QColor Readable(const QColor& ink, std::initializer_list<QColor> backs, double least);
};

} // namespace polvane
