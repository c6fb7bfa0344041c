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

#include "engine/Environment.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "model/ProductTables.h"
#include "platform/ScreenInfo.h"
#include "shell/commands/AutoConfigureRunner.h"
#include "shell/options/AppTitle.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/base/ArrowKeys.h"
#include "windows/base/EditBox.h"
#include "windows/controls/LinkLabel.h"
#include "windows/controls/TextContrast.h"

namespace polvane {

namespace {

const QString kUpArrow = QStringLiteral("\u2191");
const QString kDownArrow = QStringLiteral("\u2193");

// Halves to even, as a count typed into the box is read. (A text without a number never
// gets here: the box shows the count again.)
float CountBound(float typed)
{
    if (std::isnan(typed))
        return CellConfigurationsWindow::kMinCells;
    const float whole = std::nearbyint(typed);
    return std::clamp(whole, static_cast<float>(CellConfigurationsWindow::kMinCells),
                      static_cast<float>(CellConfigurationsWindow::kMaxCells));
}

// The rows keep their own shadings whatever the desktop's palette, and so the texts on
// them keep colours of their own that read plainly on both shadings: black, the highlight
// and the grey of a throw that meets nothing as ordinary text, the grid greyed while
// Auto-Configure runs a little less.
const QColor kOddRow(255, 255, 255);
const QColor kEvenRow(204, 204, 204);
const QColor kRowText(0, 0, 0);

QColor OnRows(const QColor& wished, double least)
{
    return TextContrast::Readable(wished, {kOddRow, kEvenRow}, least);
}

QColor GreyText() { return OnRows(QColor(128, 128, 128), TextContrast::kReadable); }
QColor GreyedText() { return OnRows(QColor(190, 190, 190), TextContrast::kGreyedReadable); }

} // namespace

CellConfigurationsWindow::CellConfigurationsWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::CellConfigurations, context, parent),
      grid_(*this, context.screen, QString::fromUtf8(kInfinite))
{
    CreateGraphicsObjects();

    cmdAutodesign_ = new QPushButton(QStringLiteral("Auto-Configure"), this);
    cmdAutodesign_->setObjectName(QStringLiteral("cmdAutodesign"));
    cmdAutodesign_->setGeometry(grid_.Autodesign(false));
    connect(cmdAutodesign_, &QPushButton::clicked, this, [this] {
        Guard("cmdAutodesign_Click", [this] {
            if (Context().runAutoConfigure)
                Context().runAutoConfigure();
        });
    });
    cmdExtras_ = new QPushButton(QStringLiteral("+"), this);
    cmdExtras_->setObjectName(QStringLiteral("cmdExtras"));
    cmdExtras_->setGeometry(grid_.Extras());
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
    countLabel->setGeometry(grid_.CountLabel());
    txtCellCount_ = new QLineEdit(this);
    txtCellCount_->setObjectName(QStringLiteral("txtCellCount"));
    txtCellCount_->setGeometry(grid_.CountBox());
    cmdCellCountUp_ = new QPushButton(kUpArrow, this);
    cmdCellCountUp_->setObjectName(QStringLiteral("cmdCellCountUp"));
    cmdCellCountUp_->setGeometry(grid_.CountUp());
    cmdCellCountDown_ = new QPushButton(kDownArrow, this);
    cmdCellCountDown_->setObjectName(QStringLiteral("cmdCellCountDown"));
    cmdCellCountDown_->setGeometry(grid_.CountDown());
    connect(cmdCellCountUp_, &QPushButton::clicked, this,
            [this] { Guard("cmdCellCountUp_Click", [this] { CountUp(); }); });
    connect(cmdCellCountDown_, &QPushButton::clicked, this,
            [this] { Guard("cmdCellCountDown_Click", [this] { CountDown(); }); });
    ArrowKeys::Attach(*txtCellCount_, *cmdCellCountUp_, *cmdCellCountDown_);
    countBox_ = std::make_unique<EditBox>(
        *txtCellCount_, *this, "txtCellCount", UpdateScope::Results,
        BoundValue{&CountBound, [this](float count) { ResizeColumn(static_cast<int>(count)); },
                   [this] { return std::to_string(CellColumn().Count()); }});

    using GridColumn = CellGridGeometry::Column;
    const std::pair<const char*, GridColumn> headers[] = {
        {"#", GridColumn::Number},         {"Type", GridColumn::Type},       {"Angle", GridColumn::Angle},
        {"Throw", GridColumn::Throw},      {"Pinning", GridColumn::Pinning}, {"Splay", GridColumn::Splay},
        {"Atten", GridColumn::Attenuation},
    };
    for (const auto& [text, column] : headers) {
        auto* header = new QLabel(QString::fromUtf8(text), this);
        header->setGeometry(grid_.Header(column, header->sizeHint().width()));
    }

    BuildRows();
    setFixedWidth(grid_.WindowWidth(cmdExtras_->geometry(), cmdAutodesign_->geometry()));

    if (Context().popupMenus != nullptr)
        Context().popupMenus->SetCellPopupTarget(this);
}

CellConfigurationsWindow::~CellConfigurationsWindow()
{
    // The main window outlives this one: its menus must no longer reach it.
    if (Context().popupMenus != nullptr)
        Context().popupMenus->SetCellPopupTarget(nullptr);
}

void CellConfigurationsWindow::CreateGraphicsObjects()
{
    highlight_ = OnRows(LinkLabel::HighlightColor(), TextContrast::kReadable);
}

void CellConfigurationsWindow::BuildRows()
{
    for (int index = 1; index <= kRowCount; ++index)
        BuildRow(index);
}

void CellConfigurationsWindow::BuildRow(int index)
{
    Row& row = rows_[static_cast<std::size_t>(index)];
    const QString suffix = QStringLiteral("(%1)").arg(index);
    const auto name = [&suffix](QWidget* widget, const char* base) {
        widget->setObjectName(QString::fromUtf8(base) + suffix);
    };

    // Shapes first, so that they lie beneath the row's labels and buttons.
    const QColor back = index % 2 == 0 ? kEvenRow : kOddRow;
    for (auto [shape, base, second] :
         {std::tuple{&row.background, "ShapeBkg", false}, std::tuple{&row.background2, "ShapeBkg2", true}}) {
        *shape = new QFrame(this);
        name(*shape, base);
        (*shape)->setGeometry(grid_.Shading(index, second));
        (*shape)->setAutoFillBackground(true);
        QPalette palette = (*shape)->palette();
        palette.setColor(QPalette::Window, back);
        (*shape)->setPalette(palette);
    }

    using GridColumn = CellGridGeometry::Column;
    const auto label = [&](const char* base, GridColumn place) {
        auto* widget = new QLabel(this);
        name(widget, base);
        widget->setGeometry(grid_.Label(index, place));
        SetRowInk(*widget);
        return widget;
    };
    const auto link = [&](const char* base, GridColumn place, Column column) {
        auto* widget = new LinkLabel(this, &AutoConfigureRunner::IsAutoCalculating);
        name(widget, base);
        widget->setGeometry(grid_.Label(index, place));
        SetRowInk(*widget);
        widget->SetColors(kRowText, highlight_);
        connect(widget, &LinkLabel::clicked, this, [this, base, column, index] {
            Guard(std::string(base) + "_Click", [this, column, index] { PopupList(column, index); });
        });
        return widget;
    };
    const auto button = [&](const char* base, GridColumn place, const QString& arrow, void (Cell::*step)()) {
        auto* widget = new QPushButton(arrow, this);
        name(widget, base);
        widget->setGeometry(grid_.Button(index, place));
        connect(widget, &QPushButton::clicked, this, [this, base, step, index] {
            Guard(std::string(base) + "_Click", [this, step, index] { StepCell(index, step); });
        });
        return widget;
    };

    row.number = label("lblCellNumber", GridColumn::Number);
    row.number->setText(QString::number(index));
    row.type = link("lblCellType", GridColumn::Type, Column::Type);
    row.angle = label("lblCellAngle", GridColumn::Angle);
    row.throwDistance = label("lblCellThrow", GridColumn::Throw);
    row.pinning = label("lblCellPinning", GridColumn::Pinning);
    row.splay = link("lblCellSplay", GridColumn::Splay, Column::Splay);
    row.splayUp = button("cmdSplayUp", GridColumn::SplayUp, kUpArrow, &Cell::IncreaseSplay);
    row.splayDown = button("cmdSplayDown", GridColumn::SplayDown, kDownArrow, &Cell::DecreaseSplay);
    row.attenuation = link("lblCellAttenuation", GridColumn::Attenuation, Column::Attenuation);
    row.attenUp = button("cmdAttenUp", GridColumn::AttenUp, kUpArrow, &Cell::IncreaseAtten);
    row.attenDown = button("cmdAttenDown", GridColumn::AttenDown, kDownArrow, &Cell::DecreaseAtten);
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
    // The disabled colour stays the row's: while Auto-Configure runs, the whole grid greys
    // alike.
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    widget.setPalette(palette);
}

void CellConfigurationsWindow::SetRowInk(QWidget& widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, GreyedText());
    widget.setPalette(palette);
    SetTextColor(widget, kRowText);
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

    setFixedHeight(grid_.WindowHeight(shown));
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame != nullptr)
        frame->adjustSize();

    const bool godMode = Context().options.GodMode();
    if (godMode && cmdExtras_->isHidden()) {
        cmdAutodesign_->resize(grid_.Autodesign(true).width(), cmdAutodesign_->height());
        cmdExtras_->show();
    } else if (!godMode && !cmdExtras_->isHidden()) {
        cmdAutodesign_->resize(grid_.Autodesign(false).width(), cmdAutodesign_->height());
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
        SetTextColor(label, kRowText);
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
        SetTextColor(*label, kRowText);
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
        SetTextColor(*LabelOf(column, index), kRowText);
    LinkLabel& label = *LabelOf(column, row);
    SetTextColor(label, highlight_);

    const Cell& cell = cells.Item(row);
    // Each choice carries its value: the caption is only what the user reads.
    std::vector<std::pair<QString, QVariant>> entries; // caption, value
    switch (column) {
    case Column::Type: {
        const std::vector<int> types = cell.GetPossibleCellTypes();
        // A type outside the product tables has no group to swap within.
        if (types.empty())
            Context().prompts.ShowMessage(kNoCellTypesText, AppTitle::Text(Context().options.GodMode()));
        for (const int type : types)
            entries.emplace_back(QString::fromStdString(Format::FormatCellType(type)), type);
        break;
    }
    case Column::Splay:
        for (const Angle& splay : cell.GetPossibleSplays())
            entries.emplace_back(QString::fromStdString(Format::FormatDegrees(splay.Degrees())), splay.Degrees());
        break;
    case Column::Attenuation:
        for (const float db : cell.GetPossibleCellAttenuations())
            entries.emplace_back(QString::fromStdString(Format::FormatAttentuation(db)), db);
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
        SetTextColor(*LabelOf(column, rememberedRow_), kRowText);
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
            cell.SetCellType(action.data().toInt());
        }, item);
    });
}

void CellConfigurationsWindow::SetSplay(int item)
{
    Guard("SetSplay", [this, item] {
        AfterChoice(Column::Splay, [](Cell& cell, QAction& action) {
            cell.SplayAngle().SetDegrees(action.data().toDouble());
        }, item);
    });
}

void CellConfigurationsWindow::SetAttenuationVal(int item)
{
    Guard("SetAttenuationVal", [this, item] {
        AfterChoice(Column::Attenuation, [](Cell& cell, QAction& action) {
            cell.SetAttenuation(action.data().toFloat());
        }, item);
    });
}

} // namespace polvane
