#include "windows/tools/SeatingAreasWindow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/Environment.h"
#include "model/Format.h"
#include "model/Plane.h"
#include "model/Planes.h"
#include "platform/Prompts.h"
#include "shell/options/AppTitle.h"
#include "shell/options/Options.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/base/TypedNumber.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

// Where a new area starts when it is the first, and how far later ones run on.
constexpr float kFirstFrontX = 20.0f;
constexpr float kFirstLength = 100.0f;
constexpr float kChainedLength = 50.0f;
constexpr float kChainedHeight = 15.0f;

} // namespace

SeatingAreasWindow::SeatingAreasWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::SeatingAreas, context, parent),
      lstSeatingAreas_(new QListWidget(this)), txtName_(ToolControls::NewBox(this, "txtName")),
      txtHorizontalPosition_(ToolControls::NewBox(this, "txtHorizontalPosition")),
      txtVerticalPosition_(ToolControls::NewBox(this, "txtVerticalPosition")),
      txtLength_(ToolControls::NewBox(this, "txtLength")),
      txtHeight_(ToolControls::NewBox(this, "txtHeight")),
      spnHorizontalPosition_(ToolControls::NewSpin(this, "spnHorizontalPosition")),
      spnVerticalPosition_(ToolControls::NewSpin(this, "spnVerticalPosition")),
      spnLength_(ToolControls::NewSpin(this, "spnLength")),
      spnHeight_(ToolControls::NewSpin(this, "spnHeight")),
      cmdAdd_(ToolControls::NewButton(this, "cmdAdd", QStringLiteral("&Add"))),
      cmdDelete_(ToolControls::NewButton(this, "cmdDelete", QStringLiteral("&Delete"))),
      cmdUp_(ToolControls::NewButton(this, "cmdUp", QString(QChar(0x2191)))),
      cmdDown_(ToolControls::NewButton(this, "cmdDown", QString(QChar(0x2193))))
{
    lstSeatingAreas_->setObjectName(QStringLiteral("lstSeatingAreas"));
    lstSeatingAreas_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Narrow enough to leave room for the other windows; a long name scrolls.
    lstSeatingAreas_->setMaximumWidth(lstSeatingAreas_->fontMetrics().horizontalAdvance(QString(16, QChar('n'))));
    for (QLineEdit* box : {txtHorizontalPosition_, txtVerticalPosition_, txtLength_, txtHeight_})
        ToolControls::FitBox(box, ToolControls::WidestMeasurement());

    auto* editors = new QGridLayout;
    editors->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    editors->addWidget(txtName_, 0, 1, 1, 5);
    editors->addWidget(new QLabel(QStringLiteral("Position:"), this), 1, 0);
    editors->addWidget(new QLabel(QStringLiteral("Horiz."), this), 1, 1);
    editors->addWidget(txtHorizontalPosition_, 1, 2);
    editors->addWidget(spnHorizontalPosition_, 1, 3);
    editors->addWidget(new QLabel(QStringLiteral("Vert."), this), 1, 4);
    editors->addWidget(txtVerticalPosition_, 1, 5);
    editors->addWidget(spnVerticalPosition_, 1, 6);
    editors->addWidget(new QLabel(QStringLiteral("Size:"), this), 2, 0);
    editors->addWidget(new QLabel(QStringLiteral("Length"), this), 2, 1);
    editors->addWidget(txtLength_, 2, 2);
    editors->addWidget(spnLength_, 2, 3);
    editors->addWidget(new QLabel(QStringLiteral("Height"), this), 2, 4);
    editors->addWidget(txtHeight_, 2, 5);
    editors->addWidget(spnHeight_, 2, 6);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd_);
    buttons->addWidget(cmdDelete_);
    buttons->addStretch();
    buttons->addWidget(cmdUp_);
    buttons->addWidget(cmdDown_);

    auto* right = new QVBoxLayout;
    right->addLayout(editors);
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstSeatingAreas_);
    layout->addLayout(right);

    // The positions move the whole area, at the size its boxes show; the sizes move its
    // back point only.
    const BoundValue horizontal = AreaValue(
        &Format::BoundDistance,
        [this](Plane& area, float x) {
            const float length = SizeInBox(*txtLength_, area.Length());
            area.FrontPoint().x = x;
            area.SetLength(length);
        },
        [](const Plane& area) { return area.FrontPoint().x; });
    const BoundValue vertical = AreaValue(
        &Format::BoundDistance,
        [this](Plane& area, float y) {
            const float height = SizeInBox(*txtHeight_, area.Height());
            area.FrontPoint().y = y;
            area.SetHeight(height);
        },
        [](const Plane& area) { return area.FrontPoint().y; });
    const BoundValue length = AreaValue(
        &Format::BoundLength, [](Plane& area, float value) { area.SetLength(value); },
        [](const Plane& area) { return area.Length(); });
    const BoundValue height = AreaValue(
        &Format::BoundLength, [](Plane& area, float value) { area.SetHeight(value); },
        [](const Plane& area) { return area.Height(); });

    using Rule = SpinStepper::Rule;
    horizontal_ = std::make_unique<EditBox>(*txtHorizontalPosition_, *this, "txtHorizontalPosition", UpdateScope::ResultsAndAreas, horizontal);
    vertical_ = std::make_unique<EditBox>(*txtVerticalPosition_, *this, "txtVerticalPosition", UpdateScope::ResultsAndAreas, vertical);
    length_ = std::make_unique<EditBox>(*txtLength_, *this, "txtLength", UpdateScope::ResultsAndAreas, length);
    height_ = std::make_unique<EditBox>(*txtHeight_, *this, "txtHeight", UpdateScope::ResultsAndAreas, height);
    horizontalStep_ = std::make_unique<SpinStepper>(*spnHorizontalPosition_, *txtHorizontalPosition_, *this,
                                                    "spnHorizontalPosition", UpdateScope::ResultsAndAreas, Rule::A, horizontal, false);
    verticalStep_ = std::make_unique<SpinStepper>(*spnVerticalPosition_, *txtVerticalPosition_, *this,
                                                  "spnVerticalPosition", UpdateScope::ResultsAndAreas, Rule::B, vertical, false);
    lengthStep_ = std::make_unique<SpinStepper>(*spnLength_, *txtLength_, *this, "spnLength", UpdateScope::ResultsAndAreas, Rule::B,
                                                length, false);
    heightStep_ = std::make_unique<SpinStepper>(*spnHeight_, *txtHeight_, *this, "spnHeight", UpdateScope::ResultsAndAreas, Rule::B,
                                                height, false);

    // Installed after the edit boxes' own filters, so that this one sees Esc first.
    for (QLineEdit* box : {txtName_, txtHorizontalPosition_, txtVerticalPosition_, txtLength_, txtHeight_})
        box->installEventFilter(this);

    connect(lstSeatingAreas_, &QListWidget::itemSelectionChanged, this,
            [this] { Guard("lstSeatingAreas_Click", [this] { ListClicked(); }); });
    connect(txtName_, &QLineEdit::textChanged, this,
            [this] { Guard("txtName_Change", [this] { NameChanged(); }); });
    connect(cmdAdd_, &QPushButton::clicked, this, [this] { Guard("cmdAdd_Click", [this] { Add(); }); });
    connect(cmdDelete_, &QPushButton::clicked, this, [this] { Guard("cmdDelete_Click", [this] { Delete(); }); });
    connect(cmdUp_, &QPushButton::clicked, this, [this] { Guard("cmdUp_Click", [this] { MoveArea(-1); }); });
    connect(cmdDown_, &QPushButton::clicked, this,
            [this] { Guard("cmdDown_Click", [this] { MoveArea(+1); }); });

    DisableAll();
}

SeatingAreasWindow::~SeatingAreasWindow()
{
    // The boxes outlive this part of the window: a last focus loss or change must not reach
    // handlers whose window is gone.
    for (QLineEdit* box : {txtName_, txtHorizontalPosition_, txtVerticalPosition_, txtLength_, txtHeight_})
        box->removeEventFilter(this);
    txtName_->disconnect(this);
    lstSeatingAreas_->disconnect(this);
}

BoundValue SeatingAreasWindow::AreaValue(float (*bound)(float, UnitsCode), std::function<void(Plane&, float)> store,
                                         std::function<float(const Plane&)> shown) const
{
    return BoundValue{[this, bound](float value) { return bound(value, VenueUnits()); },
                      [this, store](float value) {
                          if (Plane* area = Area())
                              store(*area, value);
                      },
                      [this, shown] {
                          const Plane* area = Area();
                          return area != nullptr ? Format::FormatMeasurement(shown(*area), VenueUnits()) : std::string();
                      }};
}

float SeatingAreasWindow::SizeInBox(const QLineEdit& box, float stored)
{
    // A box holding no number (or one beyond single precision) keeps the area's own size.
    const std::optional<double> typed = TypedNumber::Read(box.text().toStdString());
    if (!typed)
        return stored;
    const auto size = static_cast<float>(*typed);
    return std::isfinite(size) ? size : stored;
}

Plane* SeatingAreasWindow::Area() const
{
    Planes& areas = Context().lifecycle.Venue().SeatingAreas();
    if (selected_ < 1 || selected_ > areas.Count())
        return nullptr;
    return &areas.Item(selected_);
}

void SeatingAreasWindow::UpdateInterface()
{
    const Planes& areas = Context().lifecycle.Venue().SeatingAreas();
    const int count = areas.Count();
    if (count != listed_) {
        listed_ = count;
        {
            const QSignalBlocker blocker(lstSeatingAreas_);
            lstSeatingAreas_->clear();
            for (int i = 1; i <= count; ++i)
                lstSeatingAreas_->addItem(QString::fromStdString(areas.Item(i).Name()));
        }
        selected_ = std::min(selected_, count);
        SelectInList();
        return;
    }
    for (int i = 1; i <= count; ++i)
        lstSeatingAreas_->item(i - 1)->setText(QString::fromStdString(areas.Item(i).Name()));
    if (selected_ != 0)
        PlaceData();
    else
        DisableAll();
}

void SeatingAreasWindow::SelectInList()
{
    {
        const QSignalBlocker blocker(lstSeatingAreas_);
        if (selected_ == 0) {
            lstSeatingAreas_->clearSelection();
            lstSeatingAreas_->setCurrentRow(-1);
        } else {
            lstSeatingAreas_->setCurrentRow(selected_ - 1);
        }
    }
    ListClicked();
}

void SeatingAreasWindow::ListClicked()
{
    // Showing an area is no edit of it.
    UpdateGuard guard;
    const QList<QListWidgetItem*> chosen = lstSeatingAreas_->selectedItems();
    selected_ = chosen.isEmpty() ? 0 : lstSeatingAreas_->row(chosen.front()) + 1;
    if (selected_ != 0)
        PlaceData();
    else
        DisableAll();
}

void SeatingAreasWindow::PlaceData()
{
    const Plane* area = Area();
    if (area == nullptr) {
        DisableAll();
        return;
    }
    EnableAll();
    UpdateGuard guard;
    const QString name = QString::fromStdString(area->Name());
    txtName_->setText(name);
    nameDirty_ = false;
    // Also the list entry: an Esc after typing brings the stored name back there too.
    if (QListWidgetItem* item = lstSeatingAreas_->item(selected_ - 1))
        item->setText(name);
    for (EditBox* box : {horizontal_.get(), vertical_.get(), length_.get(), height_.get()})
        box->Refill();
    for (QPushButton* button : {cmdDelete_, cmdUp_, cmdDown_})
        button->setEnabled(true);
}

void SeatingAreasWindow::DisableAll()
{
    UpdateGuard guard;
    // Refilling clears the boxes' dirty marks first, so that a box that loses the focus by
    // being disabled commits nothing.
    for (EditBox* box : {horizontal_.get(), vertical_.get(), length_.get(), height_.get()})
        if (box != nullptr)
            box->Refill();
    nameDirty_ = false;
    for (QLineEdit* box : {txtName_, txtHorizontalPosition_, txtVerticalPosition_, txtLength_, txtHeight_}) {
        box->clear();
        box->setEnabled(false);
    }
    for (QSpinBox* spin : {spnHorizontalPosition_, spnVerticalPosition_, spnLength_, spnHeight_})
        spin->setEnabled(false);
    for (QPushButton* button : {cmdDelete_, cmdUp_, cmdDown_})
        button->setEnabled(false);
}

void SeatingAreasWindow::EnableAll()
{
    for (QLineEdit* box : {txtName_, txtHorizontalPosition_, txtVerticalPosition_, txtLength_, txtHeight_})
        box->setEnabled(true);
    for (QSpinBox* spin : {spnHorizontalPosition_, spnVerticalPosition_, spnLength_, spnHeight_})
        spin->setEnabled(true);
}

void SeatingAreasWindow::Add()
{
    Planes& areas = Context().lifecycle.Venue().SeatingAreas();
    const std::optional<std::string> name =
        Context().prompts.AskText("Please enter a name for this seating area:",
                                  AppTitle::Text(Context().options.GodMode()),
                                  "Seating Area " + std::to_string(areas.Count() + 1));
    if (!name || name->empty())
        return;
    Plane& area = areas.Add();
    area.SetName(*name);
    if (areas.Count() > 1) {
        // It starts where the last area ends.
        area.SetFrontPoint(areas.Item(areas.Count() - 1).BackPoint());
        area.SetLength(kChainedLength);
        area.SetHeight(kChainedHeight);
    } else {
        area.FrontPoint().x = kFirstFrontX;
        area.SetLength(kFirstLength);
    }
    VenueEdited(UpdateScope::ResultsAndAreas);
    selected_ = areas.Count();
    SelectInList();
}

void SeatingAreasWindow::Delete()
{
    const Plane* area = Area();
    if (area == nullptr)
        return;
    const MessageAnswer answer = Context().prompts.ShowMessage(
        "Are you sure that you want to delete the \"" + area->Name() + "\" seating area?",
        AppTitle::Text(Context().options.GodMode()), MessageButtons::YesNo, MessageIcon::Question,
        MessageAnswer::No);
    if (answer != MessageAnswer::Yes)
        return;
    Planes& areas = Context().lifecycle.Venue().SeatingAreas();
    areas.Remove(selected_);
    selected_ = std::min(selected_, areas.Count());
    DisableAll();
    VenueEdited(UpdateScope::ResultsAndAreas);
}

void SeatingAreasWindow::MoveArea(int direction)
{
    Planes& areas = Context().lifecycle.Venue().SeatingAreas();
    const int other = selected_ + direction;
    if (selected_ < 1 || selected_ > areas.Count() || other < 1 || other > areas.Count())
        return;
    areas.Swap(selected_, other);
    // The areas keep their shapes: the levels need no new prediction.
    VenueEdited(UpdateScope::ResultsAndAreas, false);
    selected_ = other;
    SelectInList();
}

void SeatingAreasWindow::NameChanged()
{
    if (UpdateGuard::IsUpdating())
        return;
    nameDirty_ = true;
    if (Area() != nullptr)
        if (QListWidgetItem* item = lstSeatingAreas_->item(selected_ - 1))
            item->setText(txtName_->text());
}

bool SeatingAreasWindow::StoreName()
{
    Plane* area = Area();
    if (area == nullptr)
        return false;
    area->SetName(txtName_->text().toStdString());
    return true;
}

bool SeatingAreasWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtName_) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // The name mark stays after Enter: leaving the box stores the name again and refreshes.
            return NameBoxKey(
                static_cast<QKeyEvent*>(event)->key(), *txtName_, [this] { return StoreName(); },
                [this] { PlaceData(); });
        }
        case QEvent::FocusIn:
            Guard("txtName_GotFocus", [this] { txtName_->selectAll(); });
            QMetaObject::invokeMethod(txtName_, &QLineEdit::selectAll, Qt::QueuedConnection);
            return false;
        case QEvent::FocusOut:
            Guard("txtName_LostFocus", [this] {
                if (!nameDirty_)
                    return;
                StoreName();
                VenueEdited(UpdateScope::ResultsAndAreas);
            });
            return false;
        default:
            return false;
        }
    }
    // Esc in a number box shows the whole area again, not only that box's value.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box != nullptr && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Guard(box->objectName().toStdString() + "_KeyPress", [this, box] {
            PlaceData();
            box->selectAll();
        });
        return true;
    }
    return ToolWindow::eventFilter(watched, event);
}

} // namespace polvane
