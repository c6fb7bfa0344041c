#include "windows/tools/CellGridGeometry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QFontMetrics>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QWidget>

#include "files/VenueLimits.h"
#include "model/Format.h"
#include "model/ProductTables.h"
#include "model/Units.h"
#include "platform/ScreenInfo.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

// Row 1's geometry in twips; every row has the same lefts and widths.
constexpr int kLabelTop = 1320;
constexpr int kLabelHeight = 240;
constexpr int kButtonTop = 1275;
constexpr int kButtonHeight = 315;
constexpr int kRowPitch = 340;
constexpr int kButtonBelowPreviousLabel = 300;
constexpr int kBelowLastRow = 350;
constexpr int kHeaderTop = 1050;
constexpr int kWindowWidth = 6180;

constexpr int kNumberLeft = 0, kNumberWidth = 255;
constexpr int kTypeLeft = 450, kTypeWidth = 495;
constexpr int kAngleLeft = 975, kAngleWidth = 495;
constexpr int kThrowLeft = 1500, kThrowWidth = 735;
constexpr int kPinningLeft = 2175, kPinningWidth = 615;
constexpr int kSplayLeft = 2925, kSplayWidth = 435;
constexpr int kSplayUpLeft = 3450, kSplayDownLeft = 3950;
constexpr int kAttenLeft = 4425, kAttenWidth = 600;
constexpr int kAttenUpLeft = 5100, kAttenDownLeft = 5595;
constexpr int kRowButtonWidth = 465;
// Right of the last row button, to the window's edge.
constexpr int kGridRightMargin = 120;
constexpr int kShapeWidth = 3765, kShape2Left = 4425, kShape2Width = 690;

// Above the grid.
constexpr int kAutodesignLeft = 120, kAutodesignTop = 120, kAutodesignHeight = 375;
constexpr int kExtrasLeft = 3375, kExtrasSize = 375;
constexpr int kCountLabelLeft = 120, kCountLabelTop = 705, kCountLabelWidth = 600;
constexpr int kCountBoxLeft = 720, kCountTop = 675, kCountBoxWidth = 840, kCountBoxHeight = 285;
constexpr int kCountUpLeft = 1725, kCountDownLeft = 2325, kCountButtonWidth = 540, kCountRowEnd = 2865;
// Room kept between neighbouring buttons.
constexpr int kButtonGap = 35;
// Designed widths of Auto-Configure without and beside the Extras button.
constexpr int kAutodesignTwips = 3615;
constexpr int kAutodesignBesideExtrasTwips = 3135;

const QString kUpArrow = QStringLiteral("\u2191");
const QString kDownArrow = QStringLiteral("\u2193");

// Each column's designed left and width.
struct Place {
    int left;
    int width;
};
Place PlaceOf(CellGridGeometry::Column column)
{
    using Column = CellGridGeometry::Column;
    switch (column) {
    case Column::Number: return {kNumberLeft, kNumberWidth};
    case Column::Type: return {kTypeLeft, kTypeWidth};
    case Column::Angle: return {kAngleLeft, kAngleWidth};
    case Column::Throw: return {kThrowLeft, kThrowWidth};
    case Column::Pinning: return {kPinningLeft, kPinningWidth};
    case Column::Splay: return {kSplayLeft, kSplayWidth};
    case Column::SplayUp: return {kSplayUpLeft, kRowButtonWidth};
    case Column::SplayDown: return {kSplayDownLeft, kRowButtonWidth};
    case Column::Attenuation: return {kAttenLeft, kAttenWidth};
    case Column::AttenUp: return {kAttenUpLeft, kRowButtonWidth};
    case Column::AttenDown: return {kAttenDownLeft, kRowButtonWidth};
    }
    return {0, 0};
}

} // namespace

CellGridGeometry::CellGridGeometry(const QWidget& window, const ScreenInfo& screen, const QString& infinite)
    : screen_(screen)
{
    Measure(window, infinite);
}

QRect CellGridGeometry::Autodesign(bool besideExtras) const
{
    const int designed = besideExtras ? kAutodesignBesideExtrasTwips : kAutodesignTwips;
    return QRect(Px(kAutodesignLeft), PxY(kAutodesignTop), std::max(Px(designed), autodesignNeed_),
                 PxY(kAutodesignHeight));
}

QRect CellGridGeometry::Extras() const
{
    // Beside the narrowed Auto-Configure, as far from it as designed.
    const int besideExtras = std::max(Px(kAutodesignBesideExtrasTwips), autodesignNeed_);
    const int extrasLeft =
        std::max(Px(kExtrasLeft), Px(kAutodesignLeft) + besideExtras +
                                      Px(kExtrasLeft - kAutodesignLeft - kAutodesignBesideExtrasTwips));
    return QRect(extrasLeft, PxY(kAutodesignTop), std::max(Px(kExtrasSize), extrasNeed_), PxY(kExtrasSize));
}

QRect CellGridGeometry::CountLabel() const
{
    return QRect(X(countRun_, kCountLabelLeft), PxY(kCountLabelTop),
                 Width(countRun_, kCountLabelLeft, kCountLabelWidth), PxY(kLabelHeight));
}

QRect CellGridGeometry::CountBox() const
{
    return QRect(X(countRun_, kCountBoxLeft), PxY(kCountTop), Width(countRun_, kCountBoxLeft, kCountBoxWidth),
                 PxY(kCountBoxHeight));
}

QRect CellGridGeometry::CountUp() const
{
    return QRect(X(countRun_, kCountUpLeft), PxY(kCountTop), Width(countRun_, kCountUpLeft, kCountButtonWidth),
                 PxY(kButtonHeight));
}

QRect CellGridGeometry::CountDown() const
{
    return QRect(X(countRun_, kCountDownLeft), PxY(kCountTop),
                 Width(countRun_, kCountDownLeft, kCountButtonWidth), PxY(kButtonHeight));
}

QRect CellGridGeometry::Header(Column column, int textWidth) const
{
    return QRect(X(gridRun_, PlaceOf(column).left), PxY(kHeaderTop), textWidth, PxY(kLabelHeight));
}

int CellGridGeometry::LabelTop(int index) { return kLabelTop + kRowPitch * (index - 1); }

int CellGridGeometry::ButtonTop(int index)
{
    return index == 1 ? kButtonTop : kLabelTop + kRowPitch * (index - 2) + kButtonBelowPreviousLabel;
}

QRect CellGridGeometry::Label(int index, Column column) const
{
    const Place place = PlaceOf(column);
    return QRect(X(gridRun_, place.left), PxY(LabelTop(index)), Width(gridRun_, place.left, place.width),
                 PxY(kLabelHeight));
}

QRect CellGridGeometry::Button(int index, Column column) const
{
    return QRect(X(gridRun_, PlaceOf(column).left), PxY(ButtonTop(index)),
                 arrowNeed_, PxY(kButtonHeight));
}

QRect CellGridGeometry::Shading(int index, bool second) const
{
    const int left = second ? kShape2Left : 0;
    const int width = second ? kShape2Width : kShapeWidth;
    return QRect(X(gridRun_, left), PxY(ButtonTop(index)), X(gridRun_, left + width) - X(gridRun_, left),
                 PxY(kButtonHeight));
}

int CellGridGeometry::WindowWidth(const QRect& extras, const QRect& autodesign) const
{
    return std::max({X(gridRun_, kWindowWidth), X(countRun_, kCountRowEnd) + Px(kCountLabelLeft),
                     extras.right() + 1 + Px(kAutodesignLeft), autodesign.right() + 1 + Px(kAutodesignLeft)});
}

int CellGridGeometry::WindowHeight(int rows) const
{
    const int lastTop = kLabelTop + kRowPitch * (std::max(rows, 1) - 1);
    return PxY(lastTop + kBelowLastRow);
}

int CellGridGeometry::Px(int twips) const
{
    return screen_.PixelsX(twips);
}

int CellGridGeometry::PxY(int twips) const
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * yScale_ /
                                        std::max(1, screen_.TwipsPerPixelY())));
}

int CellGridGeometry::ButtonNeed(const QWidget& window, const QString& caption) const
{
    const QStyle& look = *window.style();
    return window.fontMetrics().horizontalAdvance(caption) + 2 * look.pixelMetric(QStyle::PM_ButtonMargin) +
           2 * look.pixelMetric(QStyle::PM_DefaultFrameWidth);
}

void CellGridGeometry::Measure(const QWidget& window, const QString& infinite)
{
    const QFontMetrics metrics = window.fontMetrics();
    // The room after a column's widest text: a single blank would let neighbouring values
    // read as the words of one line ("10 KV9").
    const int columnGap = metrics.horizontalAdvance(QStringLiteral("  "));
    const auto widest = [&metrics, columnGap](std::initializer_list<QString> texts) {
        int width = 0;
        for (const QString& text : texts)
            width = std::max(width, metrics.horizontalAdvance(text));
        return width + columnGap;
    };
    // A number as wide as it can be drawn: every digit of the pattern as the font's widest.
    QChar wideDigit = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(wideDigit))
            wideDigit = QLatin1Char(digit);
    const auto widestOf = [wideDigit](const std::string& pattern) {
        QString text = QString::fromStdString(pattern);
        for (QChar& c : text)
            if (c.isDigit())
                c = wideDigit;
        return text;
    };
    int typeNeed = widest({QStringLiteral("Type")});
    for (int type = 0; type < ProductTables::kCellTypeCount; ++type)
        typeNeed = std::max(typeNeed, widest({QString::fromStdString(Format::FormatCellType(type))}));
    int attenNeed = widest({QStringLiteral("Atten")});
    for (const float db : ProductTables::AttenuationSteps())
        attenNeed = std::max(attenNeed, widest({QString::fromStdString(Format::FormatAttentuation(db))}));
    arrowNeed_ = std::max(ButtonNeed(window, kUpArrow), ButtonNeed(window, kDownArrow));
    // The row's arrows are as wide as they need, no wider: the grid's gaps take the room
    // their designed width had to spare, so that the list still fits beside the drawings
    // at 800 x 600.
    const int rowButton = arrowNeed_ + Px(kButtonGap);
    // A column of 24 cells bends its lowest ones past -100 degrees; an aim angle has at
    // most three whole digits and a sign.
    const QString angleNeed = widestOf(Format::FormatDegrees(-180.0));
    // The array and an area's front lie within the venue's limit of the origin and the
    // area reaches as far again beyond: a throw spans at most three limits each way.
    QStringList throws{infinite, QStringLiteral("Throw")};
    for (const UnitsCode units : {UnitsCode::English, UnitsCode::Metric})
        throws.append(widestOf(
            Format::FormatMeasurement(3.0f * std::sqrt(2.0f) * VenueLimits::MaxDistance(units), units)));
    int throwNeed = 0;
    for (const QString& text : throws)
        throwNeed = std::max(throwNeed, widest({text}));
    gridRun_ = MakeRun({{kNumberLeft, widest({QStringLiteral("#"), widestOf(std::to_string(kRowCount))})},
                        {kTypeLeft, typeNeed},
                        {kAngleLeft, widest({angleNeed, QStringLiteral("Angle")})},
                        {kThrowLeft, throwNeed},
                        // The highest pin hole has two digits.
                        {kPinningLeft, widest({widestOf(Format::FormatPinning(10)), QStringLiteral("(n/a)"),
                                               QString::fromUtf8(Format::kNoHole),
                                               QStringLiteral("Pinning")})},
                        // The allowed splays run from -5.5 to 10 degrees.
                        {kSplayLeft, widest({widestOf(Format::FormatDegrees(-5.5)),
                                             widestOf(Format::FormatDegrees(10.0)), QStringLiteral("Splay")})},
                        {kSplayUpLeft, rowButton},
                        {kSplayDownLeft, rowButton},
                        {kAttenLeft, attenNeed},
                        {kAttenUpLeft, rowButton},
                        {kAttenDownLeft, arrowNeed_ + Px(kGridRightMargin)}},
                       kWindowWidth, Fit::Exactly);

    QLineEdit probe;
    probe.setFont(window.font());
    const int countButton = std::max(Px(kCountButtonWidth), arrowNeed_) + Px(kButtonGap);
    countRun_ = MakeRun({{kCountLabelLeft, widest({QStringLiteral("Count:")})},
                         {kCountBoxLeft, ToolControls::BoxWidth(&probe, QStringLiteral("888")) +
                                             metrics.horizontalAdvance(QLatin1Char(' '))},
                         {kCountUpLeft, countButton},
                         {kCountDownLeft, countButton}},
                        kCountRowEnd, Fit::AtLeastDesigned);
    autodesignNeed_ = ButtonNeed(window, QStringLiteral("Auto-Configure"));
    extrasNeed_ = ButtonNeed(window, QStringLiteral("+"));

    // A label's line, and a framed line in a box or on a button, must fit their designed
    // heights; a taller font stretches every height alike.
    const auto designed = [this](int twips) {
        return static_cast<double>(twips) / std::max(1, screen_.TwipsPerPixelY());
    };
    const int frame = 2 * window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    yScale_ = std::max({1.0, metrics.height() / designed(kLabelHeight),
                        (metrics.height() + frame) / designed(kCountBoxHeight)});
}

CellGridGeometry::Run CellGridGeometry::MakeRun(std::initializer_list<std::pair<int, int>> leftsAndNeeds,
                                                 int endTwips, Fit fit) const
{
    Run run;
    for (const auto& [left, need] : leftsAndNeeds) {
        run.lefts.push_back(left);
        run.needs.push_back(need);
    }
    run.lefts.push_back(endTwips);
    for (std::size_t i = 0; i < run.needs.size(); ++i) {
        // The last control's pitch holds the margin to the window's edge as well (in the
        // grid, its need includes it).
        const int growth = run.needs[i] - (Px(run.lefts[i + 1]) - Px(run.lefts[i]));
        run.growth.push_back(fit == Fit::Exactly ? growth : std::max(0, growth));
    }
    return run;
}

int CellGridGeometry::X(const Run& run, int twips) const
{
    int x = Px(twips);
    for (std::size_t i = 0; i < run.growth.size(); ++i)
        x += run.lefts[i + 1] <= twips ? run.growth[i] : 0;
    return x;
}

int CellGridGeometry::Width(const Run& run, int twipsLeft, int twipsWidth) const
{
    const auto at = std::find(run.lefts.begin(), run.lefts.end(), twipsLeft);
    if (at == run.lefts.end() || at + 1 == run.lefts.end())
        return Px(twipsWidth);
    const auto i = static_cast<std::size_t>(at - run.lefts.begin());
    const int pitch = X(run, run.lefts[i + 1]) - X(run, twipsLeft);
    return std::min(std::max(Px(twipsWidth), run.needs[i]), pitch);
}

} // namespace polvane
