#include "windows/dialogs/ArrayDesignDialog.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/Environment.h"
#include "model/Format.h"
#include "model/ProductTables.h"
#include "platform/ScreenInfo.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/commands/AutoConfigureRunner.h"
#include "shell/session/UpdateHub.h"
#include "windows/controls/LinkLabel.h"
#include "windows/base/SpinStepper.h"
#include "windows/base/TypedNumber.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

constexpr const char* kName = "frmArrayDesign";
std::optional<double> Number(const QLineEdit& box) { return TypedNumber::Read(box.text().toStdString()); }

// The whole part of a number (toward zero), 0 for text without one.
double WholePart(const QLineEdit& box)
{
    const double number = Number(box).value_or(0.0);
    return std::isfinite(number) ? std::trunc(number) : 0.0;
}

} // namespace

ArrayDesignDialog::ArrayDesignDialog(UpdateHub& hub, ErrorReporter& reporter,
                                     const ScreenInfo& screen, QWidget* parent)
    : ModalDialog(parent), hub_(hub), reporter_(reporter), screen_(screen)
{
    setObjectName(QString::fromUtf8(kName));
    setWindowTitle(QStringLiteral("Array Design"));

    // Laid out by the font: the twip places held only for the font they were drawn for.
    auto* brandGroup = new QGroupBox(QStringLiteral("Array Type:"), this);
    auto* brandColumn = new QVBoxLayout(brandGroup);
    const char* brandNames[] = {"optTarvic", "optTarvicKV7", "optTarvicKV4", "optRSarn", "optDeVelt"};
    for (int row = 0; row < ProductTables::kBrandCount; ++row) {
        const auto brand = static_cast<BrandCode>(row);
        auto* option = new QRadioButton(QString::fromStdString(Format::FormatBrand(brand)), brandGroup);
        option->setObjectName(QString::fromUtf8(brandNames[row]));
        brandColumn->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this, brand, name = brandNames[row]](bool on) {
            if (on)
                Guard(std::string(name) + "_Click", [this, brand] { FillSplays(brand); });
        });
        brands_[static_cast<std::size_t>(row)] = option;
    }
    brandColumn->addStretch();

    // Boxes wide enough for a count of cells, whatever the font.
    const auto countBox = [](QLineEdit* box) { ToolControls::FitBox(box, QStringLiteral("888")); };
    auto* cellsGroup = new QGroupBox(QStringLiteral("Cells:"), this);
    auto* cellsRow = new QHBoxLayout(cellsGroup);
    cellsRow->addWidget(new QLabel(QStringLiteral("Total:"), cellsGroup));
    txtTotalCells_ = new QLineEdit(cellsGroup);
    txtTotalCells_->setObjectName(QStringLiteral("txtTotalCells"));
    countBox(txtTotalCells_);
    spnTotalCells_ = new QSpinBox(cellsGroup);
    spnTotalCells_->setObjectName(QStringLiteral("spnTotalCells"));
    spnTotalCells_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    ToolControls::ShowArrowsOnly(spnTotalCells_);
    cellsRow->addWidget(txtTotalCells_);
    cellsRow->addWidget(spnTotalCells_);
    cellsRow->setSpacing(0);
    cellsRow->insertSpacing(1, cellsRow->contentsMargins().left());
    cellsRow->addStretch();

    auto* templateGroup = new QGroupBox(QStringLiteral("Design Template:"), this);
    auto* templateColumn = new QVBoxLayout;
    const auto templateOption = [&](const char* name, const QString& text) {
        auto* option = new QRadioButton(text, templateGroup);
        option->setObjectName(QString::fromUtf8(name));
        templateColumn->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this, name](bool on) {
            if (on)
                Guard(std::string(name) + "_Click", [this] { TemplateChosen(); });
        });
        return option;
    };
    optStraight_ = templateOption("optStraight", QStringLiteral("Straight"));
    optCurved_ = templateOption("optCurved", QStringLiteral("Curved"));
    optJ_ = templateOption("optJ", QStringLiteral("J-Array"));
    optSpiral_ = templateOption("optSpiral", QStringLiteral("Spiral"));
    templateColumn->addStretch();

    picHolder1_ = new QFrame(templateGroup);
    picHolder1_->setObjectName(QStringLiteral("picHolder(1)"));
    auto* holderColumn = new QVBoxLayout(picHolder1_);
    holderColumn->setContentsMargins(0, 0, 0, 0);
    picHolder0_ = new QFrame(picHolder1_);
    picHolder0_->setObjectName(QStringLiteral("picHolder(0)"));
    auto* curveGrid = new QGridLayout(picHolder0_);
    curveGrid->setContentsMargins(0, 0, 0, 0);
    curveGrid->setHorizontalSpacing(0);
    const auto curveRow = [&](const QString& caption, int row) {
        auto* label = new QLabel(caption, picHolder0_);
        curveGrid->addWidget(label, row, 0);
    };
    curveRow(QStringLiteral("Above curve:"), 0);
    curveRow(QStringLiteral("Below curve:"), 1);
    curveRow(QStringLiteral("Total:"), 2);
    curveGrid->setColumnMinimumWidth(1, fontMetrics().averageCharWidth());
    const auto curveBox = [&](const char* name, int row) {
        auto* box = new QLineEdit(picHolder0_);
        box->setObjectName(QString::fromUtf8(name));
        countBox(box);
        curveGrid->addWidget(box, row, 2);
        return box;
    };
    const auto curveSpin = [&](const char* name, int row) {
        auto* spin = new QSpinBox(picHolder0_);
        spin->setObjectName(QString::fromUtf8(name));
        ToolControls::ShowArrowsOnly(spin);
        curveGrid->addWidget(spin, row, 3);
        return spin;
    };
    txtAboveCurve_ = curveBox("txtAboveCurve", 0);
    spnAboveCurve_ = curveSpin("spnAboveCurve", 0);
    txtBelowCurve_ = curveBox("txtBelowCurve", 1);
    spnBelowCurve_ = curveSpin("spnBelowCurve", 1);
    lblTotalBoxes_ = new QLabel(picHolder0_);
    lblTotalBoxes_->setObjectName(QStringLiteral("lblTotalBoxes"));
    curveGrid->addWidget(lblTotalBoxes_, 2, 2, 1, 2);
    holderColumn->addWidget(picHolder0_);

    lblAngle_ = new LinkLabel(picHolder1_, &AutoConfigureRunner::IsAutoCalculating);
    lblAngle_->setObjectName(QStringLiteral("lblAngle"));
    // Beside the curved option for a curve: the gap is the straight option's row.
    angleGap_ = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    holderColumn->addSpacerItem(angleGap_);
    holderColumn->addWidget(lblAngle_);
    holderColumn->addStretch();
    connect(lblAngle_, &LinkLabel::clicked, this, [this] {
        Guard("lblAngle_Click", [this] {
            // Just below the label, left-aligned.
            mnuSplay_->popup(lblAngle_->mapToGlobal(QPoint(0, lblAngle_->height())));
        });
    });
    auto* templateRow = new QHBoxLayout(templateGroup);
    templateRow->addLayout(templateColumn);
    templateRow->addWidget(picHolder1_, 1);

    cmdOK_ = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* grid = new QGridLayout(this);
    grid->addWidget(brandGroup, 0, 0);
    grid->addWidget(cellsGroup, 1, 0);
    grid->addWidget(templateGroup, 0, 1, 2, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    // The dialog keeps the size its content needs.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        Guard("cmdOK_Click", [this] {
            ClampTotalCells();
            accept();
        });
    });
    connect(cmdCancel_, &QPushButton::clicked, this,
            [this] { Guard("cmdCancel_Click", [this] { reject(); }); });

    mnuSplay_ = new QMenu(QStringLiteral("Splay (Popup)"), this);
    mnuSplay_->setObjectName(QStringLiteral("mnuSplay"));
    for (int item = 1; item <= kSplayItemCount; ++item) {
        QAction* action = mnuSplay_->addAction(QStringLiteral("(angle)"));
        action->setObjectName(QStringLiteral("mnuSplayAngle(%1)").arg(item));
        connect(action, &QAction::triggered, this, [this, action] {
            Guard("mnuSplayAngle_Click", [this, action] { lblAngle_->setText(action->text()); });
        });
        splayItems_[static_cast<std::size_t>(item - 1)] = action;
    }
    mnuSplay_->addSeparator()->setObjectName(QStringLiteral("mnuSplaySep"));
    mnuSplay_->addAction(QStringLiteral("Cancel"))->setObjectName(QStringLiteral("mnuSplayCancel"));

    connect(txtAboveCurve_, &QLineEdit::textChanged, this,
            [this] { Guard("txtAboveCurve_Change", [this] { AboveCurveChanged(); }); });
    connect(txtBelowCurve_, &QLineEdit::textChanged, this,
            [this] { Guard("txtBelowCurve_Change", [this] { BelowCurveChanged(); }); });
    for (QLineEdit* box : {txtTotalCells_, txtAboveCurve_, txtBelowCurve_})
        box->installEventFilter(this);

    const auto guard = [this](const std::string& handler, const std::function<void()>& action) {
        return Guard(handler, action);
    };
    using Rule = SpinStepper::Rule;
    steppers_[0] = std::make_unique<SpinStepper>(
        *spnTotalCells_, *txtTotalCells_, guard, "spnTotalCells",
        [](double x, int direction) { return SpinStepper::Step(x, direction, Rule::A); },
        [this] { return QString::number(heldCells_); }, true);
    steppers_[1] = std::make_unique<SpinStepper>(*spnAboveCurve_, *txtAboveCurve_, guard,
                                                 "spnAboveCurve", Rule::A, true);
    steppers_[2] = std::make_unique<SpinStepper>(*spnBelowCurve_, *txtBelowCurve_, guard,
                                                 "spnBelowCurve", Rule::A, true);
    // After the stepper has written the stepped number.
    connect(spnTotalCells_, &QSpinBox::valueChanged, this,
            [this] { Guard("spnTotalCells_Change", [this] { ClampTotalCells(); }); });

    optStraight_->setChecked(true);
}

ArrayDesignDialog::~ArrayDesignDialog()
{
    for (QLineEdit* box : {txtTotalCells_, txtAboveCurve_, txtBelowCurve_})
        box->removeEventFilter(this);
}

bool ArrayDesignDialog::Guard(const std::string& handler, const std::function<void()>& action)
{
    return reporter_.Guard(std::string(kName) + "." + handler, action);
}

QRadioButton* ArrayDesignDialog::BrandOption(BrandCode brand) const
{
    const int code = static_cast<int>(brand);
    if (code < 0 || code >= static_cast<int>(brands_.size()))
        throw std::out_of_range("Brand " + std::to_string(code) + " is not 0 to 4");
    return brands_[static_cast<std::size_t>(code)];
}

QAction* ArrayDesignDialog::SplayItem(int item) const
{
    if (item < 1 || item > kSplayItemCount)
        throw std::out_of_range("Splay item " + std::to_string(item) + " is not 1 to 20");
    return splayItems_[static_cast<std::size_t>(item - 1)];
}

namespace {
// The options tested before R.SARN's, which stands for every other code.
constexpr BrandCode kNamedBrands[] = {BrandCode::TarvicKv9, BrandCode::TarvicKv7, BrandCode::TarvicKv4,
                                      BrandCode::DeVelt};
} // namespace

void ArrayDesignDialog::SelectBrand(BrandCode brand)
{
    const bool named = std::find(std::begin(kNamedBrands), std::end(kNamedBrands), brand) != std::end(kNamedBrands);
    BrandOption(named ? brand : BrandCode::RSarn)->setChecked(true);
}

BrandCode ArrayDesignDialog::SelectedBrand() const
{
    for (const BrandCode brand : kNamedBrands)
        if (BrandOption(brand)->isChecked())
            return brand;
    return BrandCode::RSarn;
}

void ArrayDesignDialog::FillSplays(BrandCode brand)
{
    // The splays a column of the brand allows below its first cell.
    Environment scratch;
    scratch.Clear();
    scratch.LineArray().SetBrand(brand);
    scratch.LineArray().Cells().Add();
    scratch.LineArray().Cells().Add();
    int shown = 0;
    for (const Angle& splay : scratch.LineArray().Cells().Item(2).GetPossibleSplays()) {
        if (splay.Degrees() <= 0.0 || shown == kSplayItemCount)
            continue;
        const QString caption = QString::fromStdString(Format::FormatDegrees(splay.Degrees()));
        QAction* item = splayItems_[static_cast<std::size_t>(shown)];
        item->setText(caption);
        item->setVisible(true);
        if (shown == 0)
            lblAngle_->setText(caption);
        ++shown;
    }
    for (int item = shown; item < kSplayItemCount; ++item)
        splayItems_[static_cast<std::size_t>(item)]->setVisible(false);
}

bool ArrayDesignDialog::IsWhole(const std::string& text)
{
    const std::optional<double> number = TypedNumber::Read(text);
    if (!number || !std::isfinite(*number))
        return false;
    return Format::FormatNumber(std::trunc(*number), 0) == text;
}

void ArrayDesignDialog::CheckReadiness()
{
    const bool curveCounts = IsWhole(txtAboveCurve_->text().toStdString()) &&
                             IsWhole(txtBelowCurve_->text().toStdString());
    const bool total = IsWhole(txtTotalCells_->text().toStdString()) &&
                       (optStraight_->isChecked() || optCurved_->isChecked());
    cmdOK_->setEnabled(curveCounts || total);
}

void ArrayDesignDialog::ClampTotalCells()
{
    // Only a finished count is clamped: clamping every keystroke would turn the "1" of a
    // typed "16" into 4 and the "46" that follows into 24.
    const std::optional<double> number = Number(*txtTotalCells_);
    if (!number) {
        // A text without a number changes nothing: the count it held shows again.
        txtTotalCells_->setText(QString::number(heldCells_));
        return;
    }
    if (*number > kMaxCells)
        txtTotalCells_->setText(QString::number(kMaxCells));
    else if (!(*number >= kMinCells))
        txtTotalCells_->setText(QString::number(kMinCells));
    heldCells_ = static_cast<int>(std::nearbyint(std::clamp<double>(*number, kMinCells, kMaxCells)));
}

void ArrayDesignDialog::ShowCellCount(int count)
{
    heldCells_ = std::clamp(count, kMinCells, kMaxCells);
    txtTotalCells_->setText(QString::number(heldCells_));
}

void ArrayDesignDialog::ShowTotalBoxes()
{
    lblTotalBoxes_->setText(
        QString::fromStdString(Format::FormatNumber(WholePart(*txtAboveCurve_) + WholePart(*txtBelowCurve_), 0)));
}

void ArrayDesignDialog::AboveCurveChanged()
{
    CheckReadiness();
    if (cmdOK_->isEnabled())
        ShowTotalBoxes();
}

void ArrayDesignDialog::BelowCurveChanged()
{
    ShowTotalBoxes();
    CheckReadiness();
}

void ArrayDesignDialog::TemplateChosen()
{
    const bool j = optJ_->isChecked();
    picHolder0_->setVisible(j);
    lblAngle_->setVisible(j || optCurved_->isChecked());
    const int straightRow = optStraight_->sizeHint().height() + picHolder1_->parentWidget()->layout()->spacing();
    angleGap_->changeSize(0, j ? 0 : straightRow, QSizePolicy::Minimum, QSizePolicy::Fixed);
    picHolder1_->layout()->invalidate();
}

void ArrayDesignDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Guard("Form_KeyDown", [this] { hub_.ShowHelp(kHelpTopic, false); });
        event->accept();
        return;
    }
    ModalDialog::keyPressEvent(event);
}

bool ArrayDesignDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtTotalCells_) {
        // Enter goes on to press OK; leaving the box keeps what it shows within 4..24.
        const bool enter = event->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (enter || event->type() == QEvent::FocusOut)
            Guard(enter ? "txtTotalCells_KeyPress" : "txtTotalCells_LostFocus",
                  [this] { ClampTotalCells(); });
    }
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box != nullptr) {
            box->selectAll();
            // A click that gave the focus would place the caret afterwards; select again then.
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
    }
    return ModalDialog::eventFilter(watched, event);
}

} // namespace polvane
