#include "windows/tools/ListeningPointsWindow.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "engine/Environment.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "platform/ScreenInfo.h"
#include "shell/options/AppTitle.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/places/WindowPositions.h"
#include "windows/base/BoundValue.h"
#include "windows/base/EditBox.h"
#include "windows/dialogs/NewListeningPointDialog.h"
#include "plot/PlotPictureBox.h"
#include "windows/base/SpinStepper.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {

namespace {

// A new point stands this share of its area's length on from the list's last entry.
constexpr float kNewPointSpacing = 0.085f;

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
      dialog_(new NewListeningPointDialog(this)),
      layout_({lblLPIdent_, lstListeningPoints_, cmdAdd_, cmdDelete_, lblNIdent_, txtName_, lblSAIdent_,
               cboSeatingAreas_, lblHPIdent_, txtHorizontalPosition_, spnHorizontalPosition_, lblFRIdent_,
               shpPicBorder_, Picture()},
              context.screen, Canvas())
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
    const QSize needed = layout_.Needed();
    setMinimumSize(std::max(context.screen.PixelsX(kMinWidth), needed.width()),
                   std::max(context.screen.PixelsY(kMinHeight), needed.height()));

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

std::string ListeningPointsWindow::DrawnFrom() const
{
    return ListeningPointsGraph::DrawnFrom(Context().session.Results(), Context().lifecycle.Venue(), Ticked());
}

void ListeningPointsWindow::DrawContent()
{
    graph_.Draw(Plot(), Context().session.Results(), Context().lifecycle.Venue(), Ticked());
}

std::vector<bool> ListeningPointsWindow::Ticked() const
{
    std::vector<bool> ticked;
    for (int entry = 0; entry < lstListeningPoints_->count(); ++entry)
        ticked.push_back(lstListeningPoints_->item(entry)->checkState() == Qt::Checked);
    return ticked;
}

ListeningPointsGraph::Hit ListeningPointsWindow::Nearest(QPointF pixel) const
{
    return graph_.Nearest(pixel, Canvas().PlotRect(), kPointerReach);
}

int ListeningPointsWindow::EntryAt(QPointF pixel) const { return Nearest(pixel).entry; }

void ListeningPointsWindow::PointerMoved(QPointF pixel)
{
    const ListeningPointsGraph::Hit hit = Nearest(pixel);
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

void ListeningPointsWindow::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    Guard("Form_Resize", [this] {
        LayOut();
        if (!WindowPositions::IsPositioning())
            Refresh();
    });
}

void ListeningPointsWindow::LayOut() { layout_.LayOut(width(), height()); }

} // namespace polvane
