#include "windows/tools/ListeningPointsWindow.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "platform/ScreenInfo.h"
#include "platform/SettingsStore.h"
#include "shell/options/AppTitle.h"
#include "shell/options/CurveColors.h"
#include "shell/options/FrequencyTable.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/places/WindowPositions.h"
#include "windows/base/BoundValue.h"
#include "windows/base/EditBox.h"
#include "windows/dialogs/NewListeningPointDialog.h"
#include "plot/PictureKey.h"
#include "plot/PlotPictureBox.h"
#include "plot/PlotTransform.h"
#include "windows/base/SpinStepper.h"
#include "windows/controls/ToolControls.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {

namespace {

// The window's own edits refresh the listening points and the venue; a committed name
// also reaches the windows that show it elsewhere.
constexpr float kNewPointSpacing = 0.085f;
// The twip places the font may grow: the graph's left edge and the editors' width; what
// is left beside them, the graph takes.
constexpr int kGraphLeft = 2280;
constexpr int kEditorWidth = 1900;
// How many frequency labels the narrowest graph still shows.
constexpr int kReadableFrequencyLabels = 3;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

class ListeningPointsWindow::Busy {
public:
    explicit Busy(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    ~Busy() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

struct ListeningPointsWindow::Places {
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

ListeningPointsWindow::ListeningPointsWindow(ToolWindowContext& context, QWidget* parent)
    : DrawingWindow(ToolWindowId::ListeningPoints, context, PlotCanvas::Kind::ListeningPointsGraph,
                    "picResponse", parent, Placement::PlacedByWindow),
      lblLPIdent_(new QLabel(QStringLiteral("Listening Points:"), this)),
      lstListeningPoints_(new QListWidget(this)),
      cmdAdd_(new QPushButton(QStringLiteral("Add"), this)),
      cmdDelete_(new QPushButton(QStringLiteral("Delete"), this)),
      lblNIdent_(new QLabel(QStringLiteral("Name:"), this)), txtName_(new QLineEdit(this)),
      lblSAIdent_(new QLabel(QStringLiteral("Seating Area:"), this)),
      cboSeatingAreas_(new QComboBox(this)),
      lblHPIdent_(new QLabel(QStringLiteral("Horizontal Position:"), this)),
      txtHorizontalPosition_(new QLineEdit(this)), spnHorizontalPosition_(new QSpinBox(this)),
      lblFRIdent_(new QLabel(QStringLiteral("Frequency Response:"), this)),
      shpPicBorder_(new QFrame(this)),
      lblTooltip_(new QLabel(this)), shpHotspot_(new QFrame(this)),
      dialog_(new NewListeningPointDialog(this))
{
    const std::pair<QWidget*, const char*> names[] = {
        {lblLPIdent_, "lblLPIdent"},
        {lstListeningPoints_, "lstListeningPoints"},
        {cmdAdd_, "cmdAdd"},
        {cmdDelete_, "cmdDelete"},
        {lblNIdent_, "lblNIdent"},
        {txtName_, "txtName"},
        {lblSAIdent_, "lblSAIdent"},
        {cboSeatingAreas_, "cboSeatingAreas"},
        {lblHPIdent_, "lblHPIdent"},
        {txtHorizontalPosition_, "txtHorizontalPosition"},
        {spnHorizontalPosition_, "spnHorizontalPosition"},
        {lblFRIdent_, "lblFRIdent"},
        {shpPicBorder_, "shpPicBorder"},
        {lblTooltip_, "lblTooltip"},
        {shpHotspot_, "shpHotspot"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    shpPicBorder_->setFrameShape(QFrame::Box);
    shpPicBorder_->stackUnder(Picture());
    // Just wide enough for the name: no frame, no margin.
    lblTooltip_->setMargin(0);
    lblTooltip_->setAlignment(Qt::AlignCenter);
    lblTooltip_->setAutoFillBackground(true);
    lblTooltip_->hide();
    shpHotspot_->setFrameShape(QFrame::Box);
    shpHotspot_->setLineWidth(2);
    shpHotspot_->resize(9, 9);
    shpHotspot_->hide();
    // The marker is centred on the point it marks.
    hotspotHalfWidth_ = shpHotspot_->width() / 2;
    hotspotHalfHeight_ = shpHotspot_->height() / 2;

    // A larger font needs room for the list, the editors and a graph that still reads.
    const Places places = Measure();
    const int editorsBottom = places.labelTop + 3 * (places.labelHeight + places.boxHeight + places.labelTop);
    setMinimumSize(std::max(context.screen.PixelsX(kMinWidth), places.graphLeft + places.graphWidth +
                                                                   places.editorGap + places.editorWidth +
                                                                   places.margin),
                   std::max(context.screen.PixelsY(kMinHeight), editorsBottom));

    runDialog_ = [](NewListeningPointDialog& dialog) { dialog.exec(); };
    positionBox_ = std::make_unique<EditBox>(*txtHorizontalPosition_, *this, "txtHorizontalPosition",
                                             UpdateScope::ListeningPoints, PositionValue());
    positionSpin_ = std::make_unique<SpinStepper>(*spnHorizontalPosition_, *txtHorizontalPosition_,
                                                  *this, "spnHorizontalPosition", UpdateScope::ListeningPoints,
                                                  SpinStepper::Rule::B, PositionValue(), false);

    connect(lstListeningPoints_, &QListWidget::currentRowChanged, this, [this](int row) {
        Guard("lstListeningPoints_Click", [this, row] { ListClicked(row); });
    });
    connect(lstListeningPoints_, &QListWidget::itemChanged, this,
            [this] { Guard("lstListeningPoints_ItemCheck", [this] { EntryChecked(); }); });
    connect(cmdAdd_, &QPushButton::clicked, this,
            [this] { Guard("cmdAdd_Click", [this] { AddClicked(); }); });
    connect(cmdDelete_, &QPushButton::clicked, this,
            [this] { Guard("cmdDelete_Click", [this] { DeleteClicked(); }); });
    connect(cboSeatingAreas_, &QComboBox::currentIndexChanged, this, [this](int index) {
        Guard("cboSeatingAreas_Click", [this, index] { AreaChosen(index); });
    });
    connect(txtName_, &QLineEdit::textChanged, this,
            [this] { Guard("txtName_Change", [this] { NameChanged(); }); });
    txtName_->installEventFilter(this);

    DisableEditors();
    LayOut();
}

ListeningPointsWindow::~ListeningPointsWindow()
{
    // The controls outlive this part of the window: their last focus loss or change must
    // not reach handlers whose window is gone.
    txtName_->removeEventFilter(this);
    for (QObject* control : {static_cast<QObject*>(txtName_), static_cast<QObject*>(lstListeningPoints_),
                             static_cast<QObject*>(cboSeatingAreas_), static_cast<QObject*>(cmdAdd_),
                             static_cast<QObject*>(cmdDelete_)})
        control->disconnect(this);
    positionSpin_.reset();
    positionBox_.reset();
}

void ListeningPointsWindow::SetListVisible(bool visible) { lstListeningPoints_->setVisible(visible); }

void ListeningPointsWindow::SetListVisible(ToolWindowHost& host, bool visible)
{
    host.Load();
    if (auto* window = dynamic_cast<ListeningPointsWindow*>(host.Window()))
        window->SetListVisible(visible);
}

float ListeningPointsWindow::NewPointPosition(int k, float length)
{
    // An area without a usable length has only its front point to offer.
    if (!std::isfinite(length) || length == 0.0f)
        return 0.0f;
    float position = static_cast<float>(std::max(0, k)) * kNewPointSpacing * length;
    // Each step back by one length keeps the point on the area (a point exactly at the
    // back end stays there); an area drawn backwards has negative positions.
    if (length > 0.0f) {
        while (position > length)
            position -= length;
    } else {
        while (position < length)
            position -= length;
    }
    return position;
}

Environment& ListeningPointsWindow::Venue() const { return Context().lifecycle.Venue(); }

ListeningPoint* ListeningPointsWindow::Selected() const
{
    ListeningPoints& points = Venue().ListeningPoints();
    if (selected_ < 1 || selected_ > points.Count())
        return nullptr;
    return &points.Item(selected_);
}

float ListeningPointsWindow::BoundPosition(float x) const
{
    const ListeningPoint* point = Selected();
    const Planes& areas = Venue().SeatingAreas();
    // A point whose area is gone keeps only the lower bound.
    if (point == nullptr || point->SeatingAreaIndex() < 1 || point->SeatingAreaIndex() > areas.Count())
        return std::isnan(x) ? 0.0f : std::max(0.0f, x);
    return Format::BoundSingle(x, 0.0f, areas.Item(point->SeatingAreaIndex()).Length());
}

BoundValue ListeningPointsWindow::PositionValue()
{
    BoundValue value;
    value.bound = [this](float x) { return BoundPosition(x); };
    value.store = [this](float x) {
        if (ListeningPoint* point = Selected())
            point->SetHorizontalPosition(x);
    };
    value.shown = [this] {
        const ListeningPoint* point = Selected();
        return point != nullptr ? Format::FormatMeasurement(point->HorizontalPosition(), VenueUnits()) : std::string();
    };
    return value;
}

void ListeningPointsWindow::UpdateInterface()
{
    Busy busy(busy_);
    const Environment& venue = Venue();
    const Planes& areas = venue.SeatingAreas();
    const ListeningPoints& points = venue.ListeningPoints();
    {
        const QSignalBlocker blocker(cboSeatingAreas_);
        while (cboSeatingAreas_->count() < areas.Count())
            cboSeatingAreas_->addItem(QString());
        while (cboSeatingAreas_->count() > areas.Count())
            cboSeatingAreas_->removeItem(cboSeatingAreas_->count() - 1);
        for (int i = 1; i <= areas.Count(); ++i)
            cboSeatingAreas_->setItemText(i - 1, Text(areas.Item(i).Name()));
    }
    {
        const QSignalBlocker blocker(lstListeningPoints_);
        while (lstListeningPoints_->count() < points.Count()) {
            auto* entry = new QListWidgetItem(lstListeningPoints_);
            entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
            entry->setCheckState(Qt::Checked);
        }
        while (lstListeningPoints_->count() > points.Count())
            delete lstListeningPoints_->takeItem(lstListeningPoints_->count() - 1);
        for (int i = 1; i <= points.Count(); ++i)
            lstListeningPoints_->item(i - 1)->setText(Text(points.Item(i).Name()));
        selected_ = std::min(selected_, points.Count());
        if (selected_ != 0)
            lstListeningPoints_->setCurrentRow(selected_ - 1);
    }
    if (selected_ != 0)
        PlaceData();
    else
        DisableEditors();
    // A point needs an area to stand on.
    cmdAdd_->setEnabled(areas.Count() > 0);
    Redraw();
}

void ListeningPointsWindow::PlaceData()
{
    const ListeningPoint* point = Selected();
    if (point == nullptr) {
        DisableEditors();
        return;
    }
    Busy busy(busy_);
    // Refilling the editors is no edit of the point.
    UpdateGuard guard;
    for (QWidget* editor : {static_cast<QWidget*>(txtName_), static_cast<QWidget*>(txtHorizontalPosition_),
                            static_cast<QWidget*>(cboSeatingAreas_),
                            static_cast<QWidget*>(spnHorizontalPosition_)})
        editor->setEnabled(true);
    txtName_->setText(Text(point->Name()));
    // The entry may still show a name typed but not stored.
    if (QListWidgetItem* entry = lstListeningPoints_->item(selected_ - 1))
        entry->setText(Text(point->Name()));
    txtHorizontalPosition_->setText(Text(Format::FormatMeasurement(point->HorizontalPosition(), VenueUnits())));
    const int area = point->SeatingAreaIndex();
    // A point on an area that is gone shows no area.
    cboSeatingAreas_->setCurrentIndex(area >= 1 && area <= cboSeatingAreas_->count() ? area - 1 : -1);
    nameDirty_ = false;
    cmdDelete_->setEnabled(true);
}

void ListeningPointsWindow::DisableEditors()
{
    Busy busy(busy_);
    UpdateGuard guard;
    txtName_->clear();
    txtHorizontalPosition_->clear();
    // The box repaints at every setCurrentIndex, even to the index it has.
    if (cboSeatingAreas_->currentIndex() != -1)
        cboSeatingAreas_->setCurrentIndex(-1);
    nameDirty_ = false;
    for (QWidget* control : {static_cast<QWidget*>(txtName_), static_cast<QWidget*>(txtHorizontalPosition_),
                             static_cast<QWidget*>(cboSeatingAreas_),
                             static_cast<QWidget*>(spnHorizontalPosition_), static_cast<QWidget*>(cmdDelete_)})
        control->setEnabled(false);
}

namespace {

// The frequencies the prediction gave a point's levels at: the venue's frequency list, or
// its centre frequency alone when it has no list. Levels that match neither (results of
// an older list) are taken as the bands of the frequency table.
std::vector<float> LevelFrequencies(const Environment& venue, std::size_t levels)
{
    const std::vector<float>& listed = venue.FrequencyList();
    if (levels == listed.size())
        return listed;
    if (listed.empty() && levels == 1)
        return {venue.CenterFrequency()};
    std::vector<float> bands;
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        bands.push_back(FrequencyTable::Frequency(band));
    return bands;
}

} // namespace

std::string ListeningPointsWindow::DrawnFrom() const
{
    // What DrawContent draws from: the curves of the ticked points.
    const CalculationResults& results = Context().session.Results();
    const Environment& venue = Context().lifecycle.Venue();
    const int entries = lstListeningPoints_->count();
    PictureKey key;
    key.Add(entries);
    for (int entry = 0; entry < entries; ++entry) {
        const bool ticked = lstListeningPoints_->item(entry)->checkState() == Qt::Checked;
        key.Add(ticked);
        const auto index = static_cast<std::size_t>(entry);
        if (!ticked || index >= results.PointLevels.size())
            continue;
        const std::vector<float>& levels = results.PointLevels[index].Levels;
        key.Add(levels).Add(LevelFrequencies(venue, levels.size()));
    }
    return key.Take();
}

void ListeningPointsWindow::DrawContent()
{
    const CalculationResults& results = Context().session.Results();
    const Environment& venue = Context().lifecycle.Venue();
    const auto entries = static_cast<std::size_t>(lstListeningPoints_->count());
    plotted_.assign(entries, false);
    curvePoints_.assign(entries, {});
    // Levels beyond the value axis run off the plot, not over the scale's labels.
    Plot().SetPlotClip(true);
    for (std::size_t entry = 0; entry < entries; ++entry) {
        if (lstListeningPoints_->item(static_cast<int>(entry))->checkState() != Qt::Checked)
            continue;
        plotted_[entry] = true;
        // Results older than the list give only the points they have.
        if (entry >= results.PointLevels.size())
            continue;
        const std::vector<float>& levels = results.PointLevels[entry].Levels;
        const std::vector<float> frequencies = LevelFrequencies(venue, levels.size());
        const std::size_t count = std::min(levels.size(), frequencies.size());
        std::vector<QPointF>& points = curvePoints_[entry];
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(levels[i]) || !(frequencies[i] > 0.0f))
                continue;
            points.emplace_back(Canvas().ConvertX(frequencies[i]), Canvas().ConvertY(levels[i]));
        }
        const int colour = static_cast<int>(entry % static_cast<std::size_t>(CurveColors::Count())) + 1;
        // Every level is marked, so a point analysed at one frequency shows too; several
        // are joined by a curve.
        Plot().DrawCurve(points, Canvas().CurvePen(colour));
        Plot().DrawMarks(points, Canvas().CurvePen(colour));
    }
    Plot().SetPlotClip(false);
}

ListeningPointsWindow::Hit ListeningPointsWindow::Nearest(QPointF pixel) const
{
    Hit hit;
    double nearest = kPointerReach;
    // Only what is drawn can be pointed at: levels off the plot are clipped away.
    const QRectF plot = Canvas().PlotRect();
    for (std::size_t entry = 0; entry < curvePoints_.size(); ++entry) {
        if (!plotted_[entry])
            continue;
        for (const QPointF& point : curvePoints_[entry]) {
            if (!plot.contains(point))
                continue;
            const double distance = std::hypot(point.x() - pixel.x(), point.y() - pixel.y());
            // On a tie the point met first keeps the name.
            if (distance < nearest) {
                nearest = distance;
                hit = Hit{static_cast<int>(entry) + 1, point};
            }
        }
    }
    return hit;
}

int ListeningPointsWindow::EntryAt(QPointF pixel) const { return Nearest(pixel).entry; }

void ListeningPointsWindow::PointerMoved(QPointF pixel)
{
    const Hit hit = Nearest(pixel);
    const int found = hit.entry;
    const QPointF at = hit.at;
    if (found == 0) {
        shpHotspot_->hide();
        lblTooltip_->hide();
        return;
    }
    const QPoint origin = Picture()->pos();
    shpHotspot_->move(origin.x() + static_cast<int>(std::lround(at.x())) - hotspotHalfWidth_,
                      origin.y() + static_cast<int>(std::lround(at.y())) - hotspotHalfHeight_);
    shpHotspot_->show();
    shpHotspot_->raise();
    const QString name = lstListeningPoints_->item(found - 1)->text();
    const int width = lblTooltip_->fontMetrics().horizontalAdvance(name) + 4;
    lblTooltip_->setText(name);
    lblTooltip_->setGeometry(origin.x() + static_cast<int>(std::lround(pixel.x())) - 5 - width,
                             origin.y() + static_cast<int>(std::lround(pixel.y())) + 5, width,
                             lblTooltip_->sizeHint().height());
    lblTooltip_->show();
    lblTooltip_->raise();
}

void ListeningPointsWindow::ListClicked(int row)
{
    Busy busy(busy_);
    selected_ = row + 1;
    if (selected_ != 0)
        PlaceData();
    else
        DisableEditors();
}

void ListeningPointsWindow::EntryChecked()
{
    if (busy_)
        return;
    Busy busy(busy_);
    Refresh();
}

void ListeningPointsWindow::AddClicked()
{
    Environment& venue = Venue();
    ListeningPoints& points = venue.ListeningPoints();
    const std::string title = AppTitle::Text(Context().options.GodMode());
    if (points.Count() >= kMaxPoints) {
        Context().prompts.ShowMessage(kLimitText, title);
        return;
    }
    const Planes& areas = venue.SeatingAreas();
    if (areas.Count() == 0)
        return;

    dialog_->SetTag("");
    dialog_->txtName()->setText(QString::number(points.Count() + 1));
    QComboBox* areaList = dialog_->cboSeatingArea();
    areaList->clear();
    for (int i = 1; i <= areas.Count(); ++i)
        areaList->addItem(Text(areas.Item(i).Name()));
    areaList->setCurrentIndex(std::min(rememberedArea_, areaList->count() - 1));
    runDialog_(*dialog_);
    rememberedArea_ = std::max(0, areaList->currentIndex());
    if (dialog_->IsCancelled()) {
        dialog_->SetTag("");
        return;
    }

    // The dialog always offers an area; one beyond the list (a venue changed meanwhile)
    // falls back to the last.
    const int area = std::clamp(areaList->currentIndex() + 1, 1, areas.Count());
    const int lastEntry = std::max(0, lstListeningPoints_->count() - 1);
    ListeningPoint& point = points.Add(dialog_->txtName()->text().toStdString());
    point.SetSeatingAreaIndex(area);
    point.SetHorizontalPosition(NewPointPosition(lastEntry, areas.Item(area).Length()));
    selected_ = points.Count();
    VenueEdited(UpdateScope::ListeningPoints);
}

void ListeningPointsWindow::DeleteClicked()
{
    const ListeningPoint* point = Selected();
    if (point == nullptr)
        return;
    ListeningPoints& points = Venue().ListeningPoints();
    Prompts& prompts = Context().prompts;
    const std::string title = AppTitle::Text(Context().options.GodMode());
    if (selected_ == points.ReferencePointIndex()) {
        prompts.ShowMessage(kReferenceText, title, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const std::string question =
        "Are you sure that you want to delete the \"" + point->Name() + "\" listening point?";
    if (prompts.ShowMessage(question, title, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes)
        return;
    points.Remove(selected_);
    selected_ = std::min(selected_, points.Count());
    VenueEdited(UpdateScope::ListeningPoints);
}

void ListeningPointsWindow::AreaChosen(int index)
{
    if (busy_ || UpdateGuard::IsUpdating() || index < 0)
        return;
    ListeningPoint* point = Selected();
    if (point == nullptr)
        return;
    point->SetSeatingAreaIndex(index + 1);
    VenueEdited(UpdateScope::ListeningPoints);
}

void ListeningPointsWindow::NameChanged()
{
    if (UpdateGuard::IsUpdating() || Selected() == nullptr)
        return;
    Busy busy(busy_);
    nameDirty_ = true;
    // The list shows the name as it is typed.
    if (QListWidgetItem* entry = lstListeningPoints_->item(selected_ - 1))
        entry->setText(txtName_->text());
}

bool ListeningPointsWindow::NameKey(int key)
{
    return NameBoxKey(
        key, *txtName_,
        [this] {
            ListeningPoint* point = Selected();
            if (point == nullptr)
                return false;
            point->SetName(txtName_->text().toStdString());
            return true;
        },
        [this] { PlaceData(); });
}

void ListeningPointsWindow::NameLostFocus()
{
    ListeningPoint* point = Selected();
    if (!nameDirty_ || point == nullptr)
        return;
    point->SetName(txtName_->text().toStdString());
    nameDirty_ = false;
    VenueEdited(UpdateScope::ResultsAndAreas);
}

bool ListeningPointsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtName_) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return NameKey(static_cast<QKeyEvent*>(event)->key());
        case QEvent::FocusIn:
            txtName_->selectAll();
            QMetaObject::invokeMethod(txtName_, &QLineEdit::selectAll, Qt::QueuedConnection);
            return false;
        case QEvent::FocusOut:
            Guard("txtName_LostFocus", [this] { NameLostFocus(); });
            return false;
        default:
            return false;
        }
    }
    return DrawingWindow::eventFilter(watched, event);
}

bool ListeningPointsWindow::PictureMouseMove(const QMouseEvent& event)
{
    const QPointF at = event.position();
    Guard("picResponse_MouseMove", [this, at] { PointerMoved(at); });
    return false;
}

void ListeningPointsWindow::closeEvent(QCloseEvent* event)
{
    const QWidget* frame = parentWidget();
    const bool unseen = frame != nullptr && frame->isHidden();
    SettingsStore& store = Context().options.Store();
    const std::optional<std::string> place =
        unseen ? store.ReadSetting(SettingsStore::kWindowPositions, Info().caption) : std::nullopt;
    ToolWindow::closeEvent(event);
    if (!unseen)
        return;
    Guard("Form_QueryUnload", [&] {
        if (place)
            store.SaveSetting(SettingsStore::kWindowPositions, Info().caption, *place);
        WindowPositions(store).MarkHidden(Info().caption, IsSizable());
    });
}

void ListeningPointsWindow::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    Guard("Form_Resize", [this] {
        LayOut();
        if (!WindowPositions::IsPositioning())
            Refresh();
    });
}

ListeningPointsWindow::Places ListeningPointsWindow::Measure() const
{
    const ScreenInfo& screen = Context().screen;
    const auto widest = [](std::initializer_list<const QWidget*> controls) {
        int width = 0;
        for (const QWidget* control : controls)
            width = std::max(width, control->sizeHint().width());
        return width;
    };
    Places p{};
    p.margin = screen.PixelsX(120);
    p.labelTop = screen.PixelsY(120);
    p.labelHeight = std::max(screen.PixelsY(240), lblLPIdent_->sizeHint().height());
    p.controlTop = p.labelTop + p.labelHeight;
    p.gap = screen.PixelsY(100);
    p.buttonWidth = std::max(screen.PixelsX(950), widest({cmdAdd_, cmdDelete_}));
    p.buttonHeight = std::max(screen.PixelsY(375), cmdAdd_->minimumSizeHint().height());
    p.listWidth = std::max({screen.PixelsX(2000), widest({lblLPIdent_}), 2 * p.buttonWidth + p.margin});
    p.boxHeight = std::max(screen.PixelsY(315), std::max(txtName_->minimumSizeHint().height(),
                                                  cboSeatingAreas_->minimumSizeHint().height()));
    p.graphLeft = std::max(screen.PixelsX(kGraphLeft), p.margin + p.listWidth + screen.PixelsX(160));
    // The graph's caption whole, and room for the frequency labels of three bands: the
    // lowest, one in the middle and one high, so that the curves can be read.
    int widestFrequency = 0;
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        widestFrequency = std::max(
            widestFrequency, Canvas().MeasureText(Format::FormatFrequency(FrequencyTable::Frequency(band))).width());
    p.graphWidth = std::max(lblFRIdent_->sizeHint().width(),
                            kReadableFrequencyLabels * widestFrequency + PlotTransform::kGraphMargins.left +
                                PlotTransform::kGraphMargins.right);
    p.editorGap = screen.PixelsX(200);
    p.spinWidth = screen.PixelsX(300);
    const QLineEdit& position = *txtHorizontalPosition_;
    const int positionWidth = position.fontMetrics().horizontalAdvance(ToolControls::WidestMeasurement()) +
                              position.minimumSizeHint().width();
    p.editorWidth = std::max({screen.PixelsX(kEditorWidth), widest({lblNIdent_, lblSAIdent_, lblHPIdent_}),
                              positionWidth + p.spinWidth});
    p.bottom = screen.PixelsY(165);
    return p;
}

void ListeningPointsWindow::LayOut()
{
    const Places p = Measure();
    const auto place = [](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(left, top, std::max(0, width), std::max(0, height));
    };
    const int innerWidth = width();
    const int innerHeight = height();

    const int listHeight = std::max(p.boxHeight, innerHeight - p.controlTop - p.gap - p.buttonHeight - p.bottom);
    place(lblLPIdent_, p.margin, p.labelTop, p.listWidth, p.labelHeight);
    place(lstListeningPoints_, p.margin, p.controlTop, p.listWidth, listHeight);
    const int buttonTop = p.controlTop + listHeight + p.gap;
    place(cmdAdd_, p.margin, buttonTop, p.buttonWidth, p.buttonHeight);
    place(cmdDelete_, p.margin + p.listWidth - p.buttonWidth, buttonTop, p.buttonWidth, p.buttonHeight);

    // What the list and the editors need beyond their twip widths comes off the graph.
    const int graphWidth = innerWidth - p.graphLeft - p.editorGap - p.editorWidth - p.margin;
    place(lblFRIdent_, p.graphLeft, p.labelTop, std::max(0, graphWidth), p.labelHeight);
    place(shpPicBorder_, p.graphLeft, p.controlTop, graphWidth, innerHeight - p.controlTop - p.labelTop);
    place(Picture(), p.graphLeft, p.controlTop + 1, graphWidth, innerHeight - p.controlTop - p.labelTop - 2);

    const int editorLeft = p.graphLeft + std::max(0, graphWidth) + p.editorGap;
    int top = p.labelTop;
    for (auto [label, editor] : {std::pair<QWidget*, QWidget*>{lblNIdent_, txtName_},
                                 std::pair<QWidget*, QWidget*>{lblSAIdent_, cboSeatingAreas_},
                                 std::pair<QWidget*, QWidget*>{lblHPIdent_, txtHorizontalPosition_}}) {
        place(label, editorLeft, top, p.editorWidth, p.labelHeight);
        const int width = editor == txtHorizontalPosition_ ? p.editorWidth - p.spinWidth : p.editorWidth;
        place(editor, editorLeft, top + p.labelHeight, width, p.boxHeight);
        top += p.labelHeight + p.boxHeight + p.labelTop;
    }
    const QRect box = txtHorizontalPosition_->geometry();
    spnHorizontalPosition_->setGeometry(box.right() + 1, box.top(), p.spinWidth, box.height());
}

} // namespace polvane
