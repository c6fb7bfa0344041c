#include "windows/tools/CellConfigurationsWindow.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

#include "engine/Environment.h"
#include "files/VenueLimits.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "model/ProductTables.h"
#include "platform/ScreenInfo.h"
#include "shell/options/AppTitle.h"
#include "shell/options/OptionText.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/base/EditBox.h"
#include "windows/controls/LinkLabel.h"
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
constexpr int kShapeWidth = 3765, kShape2Left = 4425, kShape2Width = 690;

// Above the grid.
constexpr int kAutodesignLeft = 120, kAutodesignTop = 120, kAutodesignHeight = 375;
constexpr int kExtrasLeft = 3375, kExtrasSize = 375;
constexpr int kCountLabelLeft = 120, kCountLabelTop = 705, kCountLabelWidth = 600;
constexpr int kCountBoxLeft = 720, kCountTop = 675, kCountBoxWidth = 840, kCountBoxHeight = 285;
constexpr int kCountUpLeft = 1725, kCountDownLeft = 2325, kCountButtonWidth = 540, kCountRowEnd = 2865;
// Room kept between neighbouring buttons.
constexpr int kButtonGap = 35;

const QString kUpArrow = QStringLiteral("\u2191");
const QString kDownArrow = QStringLiteral("\u2193");

// Halves to even, as a count typed into the box is read; text without a number gives the
// smallest column.
float CountBound(float typed)
{
    if (std::isnan(typed))
        return CellConfigurationsWindow::kMinCells;
    const float whole = std::nearbyint(typed);
    return std::clamp(whole, static_cast<float>(CellConfigurationsWindow::kMinCells),
                      static_cast<float>(CellConfigurationsWindow::kMaxCells));
}

QColor SystemColor(QPalette::ColorGroup group, QPalette::ColorRole role)
{
    return QApplication::palette().color(group, role);
}

// The shadings of the odd and the even rows.
const QColor kOddRow(255, 255, 255);
const QColor kEvenRow(204, 204, 204);

// How much lighter the lighter colour is, as the eye sees it: 1 for equal colours, 21 for
// black on white.
double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The palette's grey text, taken towards the window text until it reads as plainly as
// ordinary text should on both row shadings.
QColor GreyText()
{
    constexpr double kReadable = 4.5;
    const QColor grey = SystemColor(QPalette::Disabled, QPalette::WindowText);
    const QColor text = SystemColor(QPalette::Active, QPalette::WindowText);
    constexpr int kSteps = 20;
    for (int step = 0; step < kSteps; ++step) {
        const double t = static_cast<double>(step) / kSteps;
        const QColor mixed = QColor::fromRgbF(
            static_cast<float>(grey.redF() + (text.redF() - grey.redF()) * t),
            static_cast<float>(grey.greenF() + (text.greenF() - grey.greenF()) * t),
            static_cast<float>(grey.blueF() + (text.blueF() - grey.blueF()) * t));
        if (Contrast(mixed, kOddRow) >= kReadable && Contrast(mixed, kEvenRow) >= kReadable)
            return mixed;
    }
    return text;
}

} // namespace

CellConfigurationsWindow::CellConfigurationsWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::CellConfigurations, context, parent)
{
    CreateGraphicsObjects();
    Measure();

    cmdAutodesign_ = new QPushButton(QStringLiteral("Auto-Configure"), this);
    cmdAutodesign_->setObjectName(QStringLiteral("cmdAutodesign"));
    cmdAutodesign_->setGeometry(Px(kAutodesignLeft), PxY(kAutodesignTop),
                                std::max(Px(kAutodesignTwips), autodesignNeed_), PxY(kAutodesignHeight));
    connect(cmdAutodesign_, &QPushButton::clicked, this, [this] {
        Guard("cmdAutodesign_Click", [this] {
            if (Context().runAutoConfigure)
                Context().runAutoConfigure();
        });
    });
    cmdExtras_ = new QPushButton(QStringLiteral("+"), this);
    cmdExtras_->setObjectName(QStringLiteral("cmdExtras"));
    // Beside the narrowed Auto-Configure, as far from it as designed.
    const int besideExtras = std::max(Px(kAutodesignBesideExtrasTwips), autodesignNeed_);
    const int extrasLeft =
        std::max(Px(kExtrasLeft), Px(kAutodesignLeft) + besideExtras +
                                      Px(kExtrasLeft - kAutodesignLeft - kAutodesignBesideExtrasTwips));
    cmdExtras_->setGeometry(extrasLeft, PxY(kAutodesignTop), std::max(Px(kExtrasSize), extrasNeed_),
                            PxY(kExtrasSize));
    cmdExtras_->hide();
    connect(cmdExtras_, &QPushButton::clicked, this, [this] {
        Guard("cmdExtras_Click", [this] {
            if (Context().popupMenus == nullptr)
                return;
            QMenu* extras = Context().popupMenus->PopupMenu(MainWindow::Popup::Extras);
            // Right-aligned at the button's left edge, level with its top.
            const QPoint corner = cmdExtras_->mapToGlobal(QPoint(0, 0));
            extras->popup(QPoint(corner.x() - extras->sizeHint().width(), corner.y()));
        });
    });

    auto* countLabel = new QLabel(QStringLiteral("Count:"), this);
    countLabel->setGeometry(X(countRun_, kCountLabelLeft), PxY(kCountLabelTop),
                            Width(countRun_, kCountLabelLeft, kCountLabelWidth), PxY(kLabelHeight));
    txtCellCount_ = new QLineEdit(this);
    txtCellCount_->setObjectName(QStringLiteral("txtCellCount"));
    txtCellCount_->setGeometry(X(countRun_, kCountBoxLeft), PxY(kCountTop),
                               Width(countRun_, kCountBoxLeft, kCountBoxWidth), PxY(kCountBoxHeight));
    cmdCellCountUp_ = new QPushButton(kUpArrow, this);
    cmdCellCountUp_->setObjectName(QStringLiteral("cmdCellCountUp"));
    cmdCellCountUp_->setGeometry(X(countRun_, kCountUpLeft), PxY(kCountTop),
                                 Width(countRun_, kCountUpLeft, kCountButtonWidth), PxY(kButtonHeight));
    cmdCellCountDown_ = new QPushButton(kDownArrow, this);
    cmdCellCountDown_->setObjectName(QStringLiteral("cmdCellCountDown"));
    cmdCellCountDown_->setGeometry(X(countRun_, kCountDownLeft), PxY(kCountTop),
                                   Width(countRun_, kCountDownLeft, kCountButtonWidth), PxY(kButtonHeight));
    connect(cmdCellCountUp_, &QPushButton::clicked, this,
            [this] { Guard("cmdCellCountUp_Click", [this] { CountUp(); }); });
    connect(cmdCellCountDown_, &QPushButton::clicked, this,
            [this] { Guard("cmdCellCountDown_Click", [this] { CountDown(); }); });
    countBox_ = std::make_unique<EditBox>(
        *txtCellCount_, *this, "txtCellCount", UpdateScope::Results,
        BoundValue{&CountBound, [this](float count) { ResizeColumn(static_cast<int>(count)); },
                   [this] { return std::to_string(CellColumn().Count()); }});

    const std::pair<const char*, int> headers[] = {
        {"#", kNumberLeft},         {"Type", kTypeLeft},       {"Angle", kAngleLeft},
        {"Throw", kThrowLeft},      {"Pinning", kPinningLeft}, {"Splay", kSplayLeft},
        {"Atten", kAttenLeft},
    };
    for (const auto& [text, left] : headers) {
        auto* header = new QLabel(QString::fromUtf8(text), this);
        header->setGeometry(X(gridRun_, left), PxY(kHeaderTop), header->sizeHint().width(), PxY(kLabelHeight));
    }

    BuildRows();
    setFixedWidth(std::max({X(gridRun_, kWindowWidth), X(countRun_, kCountRowEnd) + Px(kCountLabelLeft),
                            cmdExtras_->geometry().right() + 1 + Px(kAutodesignLeft),
                            cmdAutodesign_->geometry().right() + 1 + Px(kAutodesignLeft)}));

    if (Context().popupMenus != nullptr)
        Context().popupMenus->SetCellPopupTarget(this);
}

CellConfigurationsWindow::~CellConfigurationsWindow()
{
    // The main window outlives this one: its menus must no longer reach it.
    if (Context().popupMenus != nullptr)
        Context().popupMenus->SetCellPopupTarget(nullptr);
}

void CellConfigurationsWindow::CreateGraphicsObjects() { highlight_ = LinkLabel::HighlightColor(); }

int CellConfigurationsWindow::Px(int twips) const
{
    return Context().screen.PixelsX(twips);
}

int CellConfigurationsWindow::PxY(int twips) const
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * yScale_ /
                                        std::max(1, Context().screen.TwipsPerPixelY())));
}

int CellConfigurationsWindow::ButtonNeed(const QString& caption) const
{
    const QStyle& look = *style();
    return fontMetrics().horizontalAdvance(caption) + 2 * look.pixelMetric(QStyle::PM_ButtonMargin) +
           2 * look.pixelMetric(QStyle::PM_DefaultFrameWidth);
}

void CellConfigurationsWindow::Measure()
{
    const QFontMetrics metrics = fontMetrics();
    const auto widest = [&metrics](std::initializer_list<QString> texts) {
        int width = 0;
        for (const QString& text : texts)
            width = std::max(width, metrics.horizontalAdvance(text));
        return width + metrics.horizontalAdvance(QLatin1Char(' ')); // a gap before the next column
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
    arrowNeed_ = std::max(ButtonNeed(kUpArrow), ButtonNeed(kDownArrow));
    const int rowButton = std::max(Px(kRowButtonWidth), arrowNeed_) + Px(kButtonGap);
    // A column of 24 cells bends its lowest ones past -100 degrees; an aim angle has at
    // most three whole digits and a sign.
    const QString angleNeed = widestOf(Format::FormatDegrees(-180.0));
    // The array and an area's front lie within the venue's limit of the origin and the
    // area reaches as far again beyond: a throw spans at most three limits each way.
    QStringList throws{QString::fromUtf8(kInfinite), QStringLiteral("Throw")};
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
                                               QStringLiteral("Pinning")})},
                        // The allowed splays run from -5.5 to 10 degrees.
                        {kSplayLeft, widest({widestOf(Format::FormatDegrees(-5.5)),
                                             widestOf(Format::FormatDegrees(10.0)), QStringLiteral("Splay")})},
                        {kSplayUpLeft, rowButton},
                        {kSplayDownLeft, rowButton},
                        {kAttenLeft, attenNeed},
                        {kAttenUpLeft, rowButton},
                        {kAttenDownLeft, rowButton}},
                       kWindowWidth, Fit::Exactly);

    QLineEdit probe;
    probe.setFont(font());
    const int countButton = std::max(Px(kCountButtonWidth), arrowNeed_) + Px(kButtonGap);
    countRun_ = MakeRun({{kCountLabelLeft, widest({QStringLiteral("Count:")})},
                         {kCountBoxLeft, ToolControls::BoxWidth(&probe, QStringLiteral("888")) +
                                             metrics.horizontalAdvance(QLatin1Char(' '))},
                         {kCountUpLeft, countButton},
                         {kCountDownLeft, countButton}},
                        kCountRowEnd, Fit::AtLeastDesigned);
    autodesignNeed_ = ButtonNeed(QStringLiteral("Auto-Configure"));
    extrasNeed_ = ButtonNeed(QStringLiteral("+"));

    // A label's line, and a framed line in a box or on a button, must fit their designed
    // heights; a taller font stretches every height alike.
    const auto designed = [this](int twips) {
        return static_cast<double>(twips) / std::max(1, Context().screen.TwipsPerPixelY());
    };
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    yScale_ = std::max({1.0, metrics.height() / designed(kLabelHeight),
                        (metrics.height() + frame) / designed(kCountBoxHeight)});
}

CellConfigurationsWindow::Run
CellConfigurationsWindow::MakeRun(std::initializer_list<std::pair<int, int>> leftsAndNeeds, int endTwips,
                                  Fit fit) const
{
    Run run;
    for (const auto& [left, need] : leftsAndNeeds) {
        run.lefts.push_back(left);
        run.needs.push_back(need);
    }
    run.lefts.push_back(endTwips);
    for (std::size_t i = 0; i < run.needs.size(); ++i) {
        const int growth = run.needs[i] - (Px(run.lefts[i + 1]) - Px(run.lefts[i]));
        // The last control's pitch holds the margin to the window's edge as well.
        const bool exactly = fit == Fit::Exactly && i + 1 < run.needs.size();
        run.growth.push_back(exactly ? growth : std::max(0, growth));
    }
    return run;
}

int CellConfigurationsWindow::X(const Run& run, int twips) const
{
    int x = Px(twips);
    for (std::size_t i = 0; i < run.growth.size(); ++i)
        x += run.lefts[i + 1] <= twips ? run.growth[i] : 0;
    return x;
}

int CellConfigurationsWindow::Width(const Run& run, int twipsLeft, int twipsWidth) const
{
    const auto at = std::find(run.lefts.begin(), run.lefts.end(), twipsLeft);
    if (at == run.lefts.end() || at + 1 == run.lefts.end())
        return Px(twipsWidth);
    const auto i = static_cast<std::size_t>(at - run.lefts.begin());
    const int pitch = X(run, run.lefts[i + 1]) - X(run, twipsLeft);
    return std::min(std::max(Px(twipsWidth), run.needs[i]), pitch);
}

void CellConfigurationsWindow::BuildRows()
{
    for (int index = 1; index <= kRowCount; ++index)
        BuildRow(index);
}

void CellConfigurationsWindow::BuildRow(int index)
{
    Row& row = rows_[static_cast<std::size_t>(index)];
    const int labelTop = kLabelTop + kRowPitch * (index - 1);
    const int buttonTop =
        index == 1 ? kButtonTop : kLabelTop + kRowPitch * (index - 2) + kButtonBelowPreviousLabel;
    const QString suffix = QStringLiteral("(%1)").arg(index);
    const auto name = [&suffix](QWidget* widget, const char* base) {
        widget->setObjectName(QString::fromUtf8(base) + suffix);
    };

    // Shapes first, so that they lie beneath the row's labels and buttons.
    const QColor back = index % 2 == 0 ? kEvenRow : kOddRow;
    for (auto [shape, base, left, width] :
         {std::tuple{&row.background, "ShapeBkg", 0, kShapeWidth},
          std::tuple{&row.background2, "ShapeBkg2", kShape2Left, kShape2Width}}) {
        *shape = new QFrame(this);
        name(*shape, base);
        (*shape)->setGeometry(X(gridRun_, left), PxY(buttonTop), X(gridRun_, left + width) - X(gridRun_, left),
                              PxY(kButtonHeight));
        (*shape)->setAutoFillBackground(true);
        QPalette palette = (*shape)->palette();
        palette.setColor(QPalette::Window, back);
        (*shape)->setPalette(palette);
    }

    const auto label = [&](const char* base, int left, int width) {
        auto* widget = new QLabel(this);
        name(widget, base);
        widget->setGeometry(X(gridRun_, left), PxY(labelTop), Width(gridRun_, left, width), PxY(kLabelHeight));
        return widget;
    };
    const auto link = [&](const char* base, int left, int width, Column column) {
        auto* widget = new LinkLabel(this);
        name(widget, base);
        widget->setGeometry(X(gridRun_, left), PxY(labelTop), Width(gridRun_, left, width), PxY(kLabelHeight));
        connect(widget, &LinkLabel::clicked, this, [this, base, column, index] {
            Guard(std::string(base) + "_Click", [this, column, index] { PopupList(column, index); });
        });
        return widget;
    };
    const auto button = [&](const char* base, int left, const QString& arrow, void (Cell::*step)()) {
        auto* widget = new QPushButton(arrow, this);
        name(widget, base);
        widget->setGeometry(X(gridRun_, left), PxY(buttonTop), std::max(Px(kRowButtonWidth), arrowNeed_),
                            PxY(kButtonHeight));
        connect(widget, &QPushButton::clicked, this, [this, base, step, index] {
            Guard(std::string(base) + "_Click", [this, step, index] { StepCell(index, step); });
        });
        return widget;
    };

    row.number = label("lblCellNumber", kNumberLeft, kNumberWidth);
    row.number->setText(QString::number(index));
    row.type = link("lblCellType", kTypeLeft, kTypeWidth, Column::Type);
    row.angle = label("lblCellAngle", kAngleLeft, kAngleWidth);
    row.throwDistance = label("lblCellThrow", kThrowLeft, kThrowWidth);
    row.pinning = label("lblCellPinning", kPinningLeft, kPinningWidth);
    row.splay = link("lblCellSplay", kSplayLeft, kSplayWidth, Column::Splay);
    row.splayUp = button("cmdSplayUp", kSplayUpLeft, kUpArrow, &Cell::IncreaseSplay);
    row.splayDown = button("cmdSplayDown", kSplayDownLeft, kDownArrow, &Cell::DecreaseSplay);
    row.attenuation = link("lblCellAttenuation", kAttenLeft, kAttenWidth, Column::Attenuation);
    row.attenUp = button("cmdAttenUp", kAttenUpLeft, kUpArrow, &Cell::IncreaseAtten);
    row.attenDown = button("cmdAttenDown", kAttenDownLeft, kDownArrow, &Cell::DecreaseAtten);
}

const CellConfigurationsWindow::Row& CellConfigurationsWindow::RowAt(int row) const
{
    if (row < 1 || row > kRowCount)
        throw std::out_of_range("Row " + std::to_string(row) + " is not 1 to 24");
    return rows_[static_cast<std::size_t>(row)];
}

Cells& CellConfigurationsWindow::CellColumn() const
{
    return Context().lifecycle.Venue().LineArray().Cells();
}

void CellConfigurationsWindow::SetTextColor(QWidget& widget, const QColor& color)
{
    // The disabled colour stays the palette's: while Auto-Configure runs, the whole grid
    // greys alike.
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    widget.setPalette(palette);
}

void CellConfigurationsWindow::SetTextRole(QWidget& widget, QPalette::ColorRole role)
{
    SetTextColor(widget, SystemColor(QPalette::Active, role));
}

void CellConfigurationsWindow::UpdateInterface()
{
    const Cells& cells = CellColumn();
    const int count = cells.Count();
    txtCellCount_->setText(QString::number(count));

    // A column beyond the grid (a file written elsewhere) shows its first 24 cells.
    const int shown = std::min(count, kRowCount);
    const std::vector<CellResult>& results = Context().session.Results().CellResults;
    for (int index = 1; index <= kRowCount; ++index) {
        const Row& row = rows_[static_cast<std::size_t>(index)];
        const bool visible = index <= shown;
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 row.number, row.type, row.angle, row.throwDistance, row.pinning, row.splay,
                 row.splayUp, row.splayDown, row.attenuation, row.attenUp, row.attenDown,
                 row.background, row.background2})
            widget->setVisible(visible);
        if (!visible)
            continue;
        const Cell& cell = cells.Item(index);
        row.type->setText(QString::fromStdString(Format::FormatCellType(cell.CellType())));
        row.pinning->setText(QString::fromStdString(Format::FormatPinning(cell.PinPosition())));
        row.splay->setText(QString::fromStdString(Format::FormatDegrees(cell.SplayAngle().Degrees())));
        row.attenuation->setText(QString::fromStdString(Format::FormatAttentuation(cell.Attenuation())));
        // Results of an earlier, shorter column leave the newer cells without numbers.
        const auto result = static_cast<std::size_t>(index - 1);
        if (result < results.size()) {
            const CellResult& cellResult = results[result];
            row.angle->setText(QString::fromStdString(Format::FormatDegrees(cellResult.Aim.Degrees())));
            row.throwDistance->setText(QString::fromStdString(
                cellResult.Hit ? Format::FormatMeasurement(cellResult.Throw, VenueUnits()) : kInfinite));
        } else {
            row.angle->clear();
            row.throwDistance->clear();
        }
        ColourThrow(*row.throwDistance);
    }

    const int lastTop = kLabelTop + kRowPitch * (std::max(shown, 1) - 1);
    setFixedHeight(PxY(lastTop + kBelowLastRow));
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame != nullptr)
        frame->adjustSize();

    const bool godMode = Context().options.GodMode();
    if (godMode && cmdExtras_->isHidden()) {
        cmdAutodesign_->resize(std::max(Px(kAutodesignBesideExtrasTwips), autodesignNeed_),
                               cmdAutodesign_->height());
        cmdExtras_->show();
    } else if (!godMode && !cmdExtras_->isHidden()) {
        cmdAutodesign_->resize(std::max(Px(kAutodesignTwips), autodesignNeed_), cmdAutodesign_->height());
        cmdExtras_->hide();
    }
}

const CellConfigurationsWindow::Row* CellConfigurationsWindow::HighlightedRow() const
{
    // A cell beyond the grid has no row to mark.
    const int cell = Context().hub.HighlightedCell();
    return cell >= 1 && cell <= kRowCount ? &rows_[static_cast<std::size_t>(cell)] : nullptr;
}

void CellConfigurationsWindow::ColourThrow(QLabel& label)
{
    if (label.text() == kInfinite)
        SetTextColor(label, GreyText());
    else
        SetTextRole(label, QPalette::ButtonText);
}

void CellConfigurationsWindow::DoHighlightCell()
{
    const Row* row = HighlightedRow();
    if (row == nullptr)
        return;
    for (QWidget* label : std::initializer_list<QWidget*>{row->number, row->type, row->angle,
                                                          row->throwDistance, row->pinning,
                                                          row->splay, row->attenuation})
        SetTextColor(*label, highlight_);
}

void CellConfigurationsWindow::DoClearHighlightedCell()
{
    const Row* row = HighlightedRow();
    if (row == nullptr)
        return;
    for (QWidget* label : std::initializer_list<QWidget*>{row->number, row->type, row->angle,
                                                          row->pinning, row->splay, row->attenuation})
        SetTextRole(*label, QPalette::ButtonText);
    ColourThrow(*row->throwDistance);
}

void CellConfigurationsWindow::Changed()
{
    VenueEdited(UpdateScope::Results);
}

void CellConfigurationsWindow::StepCell(int row, void (Cell::*step)())
{
    Cells& cells = CellColumn();
    // A row beyond the column (hidden, or past a column longer than the grid) has no cell.
    if (row < 1 || row > cells.Count())
        return;
    (cells.Item(row).*step)();
    Changed();
}

void CellConfigurationsWindow::ResizeColumn(int count)
{
    Cells& cells = CellColumn();
    while (cells.Count() < count)
        cells.Add(-1, cells.Count() > 0 ? cells.Item(cells.Count()).CellType() : -1);
    while (cells.Count() > count)
        cells.Remove(cells.Count());
}

// The limits hold also for a column that a file brought in outside them: it is only ever
// moved towards 4..24.
void CellConfigurationsWindow::CountUp()
{
    if (CellColumn().Count() < kMaxCells)
        ResizeColumn(CellColumn().Count() + 1);
    Changed();
    txtCellCount_->selectAll();
    txtCellCount_->setFocus();
}

void CellConfigurationsWindow::CountDown()
{
    if (CellColumn().Count() > kMinCells)
        ResizeColumn(CellColumn().Count() - 1);
    Changed();
    txtCellCount_->selectAll();
    txtCellCount_->setFocus();
}

MainWindow::Popup CellConfigurationsWindow::PopupOf(Column column) const
{
    switch (column) {
    case Column::Type:
        return MainWindow::Popup::Type;
    case Column::Splay:
        return MainWindow::Popup::Splay;
    case Column::Attenuation:
        break;
    }
    return MainWindow::Popup::Attenuation;
}

LinkLabel* CellConfigurationsWindow::LabelOf(Column column, int row) const
{
    const Row& cells = RowAt(row);
    switch (column) {
    case Column::Type:
        return cells.type;
    case Column::Splay:
        return cells.splay;
    case Column::Attenuation:
        break;
    }
    return cells.attenuation;
}

void CellConfigurationsWindow::PopupList(Column column, int row)
{
    Cells& cells = CellColumn();
    if (row < 1 || row > std::min(cells.Count(), kRowCount))
        return;
    for (int index = 1; index <= kRowCount; ++index)
        SetTextRole(*LabelOf(column, index), QPalette::WindowText);
    LinkLabel& label = *LabelOf(column, row);
    SetTextColor(label, highlight_);

    const Cell& cell = cells.Item(row);
    std::vector<std::pair<QString, QString>> entries; // caption, tag
    switch (column) {
    case Column::Type: {
        const std::vector<int> types = cell.GetPossibleCellTypes();
        // A type outside the product tables has no group to swap within.
        if (types.empty())
            Context().prompts.ShowMessage(kNoCellTypesText, AppTitle::Text(Context().options.GodMode()));
        for (const int type : types)
            entries.emplace_back(QString::fromStdString(Format::FormatCellType(type)), QString::number(type));
        break;
    }
    case Column::Splay:
        for (const Angle& splay : cell.GetPossibleSplays())
            entries.emplace_back(QString::fromStdString(Format::FormatDegrees(splay.Degrees())), QString());
        break;
    case Column::Attenuation:
        for (const float db : cell.GetPossibleCellAttenuations())
            entries.emplace_back(QString::fromStdString(Format::FormatAttentuation(db)), QString());
        break;
    }
    rememberedRow_ = row;

    MainWindow* menus = Context().popupMenus;
    if (menus == nullptr)
        return;
    const MainWindow::Popup popup = PopupOf(column);
    for (int item = 1; item <= MainWindow::kPopupItemCount; ++item) {
        QAction* action = menus->PopupItem(popup, item);
        const auto entry = static_cast<std::size_t>(item - 1);
        if (entry < entries.size()) {
            action->setText(entries[entry].first);
            action->setData(entries[entry].second);
        }
        action->setVisible(entry < entries.size());
    }
    QMenu* menu = menus->PopupMenu(popup);
    const Placement placement = PlacementOf(label);
    QPoint at = placement.at;
    if (placement.rightAligned)
        at.rx() -= menu->sizeHint().width();
    menu->popup(at);
}

CellConfigurationsWindow::Placement CellConfigurationsWindow::PlacementOf(const QLabel& label) const
{
    const QPoint topRight = label.mapToGlobal(QPoint(label.width(), 0));
    // The label's right edge within 90 % of the screen's width leaves room to the right.
    if (0.9 * Context().screen.Width() >= topRight.x())
        return {topRight, false};
    return {QPoint(topRight.x(), topRight.y() + label.height()), true};
}

Cell* CellConfigurationsWindow::RememberedCell() const
{
    Cells& cells = CellColumn();
    if (rememberedRow_ < 1 || rememberedRow_ > cells.Count())
        return nullptr;
    return &cells.Item(rememberedRow_);
}

void CellConfigurationsWindow::AfterChoice(Column column,
                                           const std::function<void(Cell&, QAction&)>& apply,
                                           int item)
{
    if (rememberedRow_ >= 1 && rememberedRow_ <= kRowCount)
        SetTextRole(*LabelOf(column, rememberedRow_), QPalette::WindowText);
    MainWindow* menus = Context().popupMenus;
    Cell* cell = RememberedCell();
    // An item this window did not fill (hidden) or a row the column lost chooses nothing.
    if (menus == nullptr || cell == nullptr || item < 1 || item > MainWindow::kPopupItemCount)
        return;
    QAction& action = *menus->PopupItem(PopupOf(column), item);
    if (!action.isVisible())
        return;
    apply(*cell, action);
    Changed();
}

void CellConfigurationsWindow::SetCellType(int item)
{
    Guard("SetCellType", [this, item] {
        AfterChoice(Column::Type, [](Cell& cell, QAction& action) {
            const double code = OptionText::LeadingNumber(action.data().toString().toStdString());
            cell.SetCellType(static_cast<int>(std::nearbyint(code)));
        }, item);
    });
}

void CellConfigurationsWindow::SetSplay(int item)
{
    Guard("SetSplay", [this, item] {
        AfterChoice(Column::Splay, [](Cell& cell, QAction& action) {
            cell.SplayAngle().SetDegrees(OptionText::LeadingNumber(action.text().toStdString()));
        }, item);
    });
}

void CellConfigurationsWindow::SetAttenuationVal(int item)
{
    Guard("SetAttenuationVal", [this, item] {
        AfterChoice(Column::Attenuation, [](Cell& cell, QAction& action) {
            cell.SetAttenuation(static_cast<float>(OptionText::LeadingNumber(action.text().toStdString())));
        }, item);
    });
}

} // namespace polvane
