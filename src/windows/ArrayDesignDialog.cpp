#include "windows/ArrayDesignDialog.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "engine/Environment.h"
#include "model/Format.h"
#include "model/ProductTables.h"
#include "platform/ScreenInfo.h"
#include "shell/ErrorReporter.h"
#include "shell/OptionText.h"
#include "shell/UpdateHub.h"
#include "windows/LinkLabel.h"
#include "windows/SpinStepper.h"

namespace polvane {

namespace {

constexpr const char* kName = "frmArrayDesign";
// Tops of the splay label in its frame: below the template options for a curve, below the
// curve counts for a J.
constexpr int kAngleTopCurved = 495;
constexpr int kAngleTopJ = 855;

double Number(const QLineEdit& box) { return OptionText::LeadingNumber(box.text().toStdString()); }

// The whole part of a number (toward zero), 0 for text without one.
double WholePart(const QLineEdit& box)
{
    const double number = Number(box);
    return std::isfinite(number) ? std::trunc(number) : 0.0;
}

} // namespace

ArrayDesignDialog::ArrayDesignDialog(UpdateHub& hub, ErrorReporter& reporter,
                                     const ScreenInfo& screen, QWidget* parent)
    : ModalDialog(parent), hub_(hub), reporter_(reporter), screen_(screen)
{
    setObjectName(QString::fromUtf8(kName));
    setWindowTitle(QStringLiteral("Array Design"));
    setFixedSize(Px(5880), PxY(3600));

    auto* brandGroup = new QGroupBox(QStringLiteral("Array Type:"), this);
    brandGroup->setGeometry(Px(120), PxY(120), Px(2520), PxY(1920));
    const char* brandNames[] = {"optTarvic", "optTarvicKV7", "optTarvicKV4", "optRSarn", "optDeVelt"};
    for (int row = 0; row < ProductTables::kBrandCount; ++row) {
        const auto brand = static_cast<BrandCode>(row);
        auto* option = new QRadioButton(QString::fromStdString(Format::FormatBrand(brand)), brandGroup);
        option->setObjectName(QString::fromUtf8(brandNames[row]));
        option->setGeometry(Px(120), PxY(300 + 300 * row), Px(2280), PxY(285));
        connect(option, &QRadioButton::toggled, this, [this, brand, name = brandNames[row]](bool on) {
            if (on)
                Guard(std::string(name) + "_Click", [this, brand] { FillSplays(brand); });
        });
        brands_[static_cast<std::size_t>(row)] = option;
    }

    auto* cellsGroup = new QGroupBox(QStringLiteral("Cells:"), this);
    cellsGroup->setGeometry(Px(120), PxY(2160), Px(2520), PxY(720));
    auto* totalLabel = new QLabel(QStringLiteral("Total:"), cellsGroup);
    totalLabel->setGeometry(Px(120), PxY(330), Px(600), PxY(255));
    txtTotalCells_ = new QLineEdit(cellsGroup);
    txtTotalCells_->setObjectName(QStringLiteral("txtTotalCells"));
    txtTotalCells_->setGeometry(Px(840), PxY(300), Px(840), PxY(285));
    spnTotalCells_ = new QSpinBox(cellsGroup);
    spnTotalCells_->setObjectName(QStringLiteral("spnTotalCells"));
    spnTotalCells_->setGeometry(Px(1680), PxY(300), Px(255), PxY(285));
    spnTotalCells_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);

    auto* templateGroup = new QGroupBox(QStringLiteral("Design Template:"), this);
    templateGroup->setGeometry(Px(2760), PxY(120), Px(3000), PxY(2760));
    const auto templateOption = [&](const char* name, const QString& text, int top) {
        auto* option = new QRadioButton(text, templateGroup);
        option->setObjectName(QString::fromUtf8(name));
        option->setGeometry(Px(120), PxY(top), Px(1320), PxY(285));
        connect(option, &QRadioButton::toggled, this, [this, name](bool on) {
            if (on)
                Guard(std::string(name) + "_Click", [this] { TemplateChosen(); });
        });
        return option;
    };
    optStraight_ = templateOption("optStraight", QStringLiteral("Straight"), 300);
    optCurved_ = templateOption("optCurved", QStringLiteral("Curved"), 600);
    optJ_ = templateOption("optJ", QStringLiteral("J-Array"), 900);
    optSpiral_ = templateOption("optSpiral", QStringLiteral("Spiral"), 1200);

    picHolder1_ = new QFrame(templateGroup);
    picHolder1_->setObjectName(QStringLiteral("picHolder(1)"));
    picHolder1_->setGeometry(Px(1440), PxY(300), Px(1440), PxY(1200));
    lblAngle_ = new LinkLabel(picHolder1_);
    lblAngle_->setObjectName(QStringLiteral("lblAngle"));
    lblAngle_->setGeometry(Px(120), PxY(kAngleTopCurved), Px(735), PxY(255));
    connect(lblAngle_, &LinkLabel::clicked, this, [this] {
        Guard("lblAngle_Click", [this] {
            // Just below the label, left-aligned.
            mnuSplay_->popup(lblAngle_->mapToGlobal(QPoint(0, lblAngle_->height())));
        });
    });

    picHolder0_ = new QFrame(picHolder1_);
    picHolder0_->setObjectName(QStringLiteral("picHolder(0)"));
    picHolder0_->setGeometry(0, 0, Px(1440), PxY(840));
    const auto curveRow = [&](const QString& caption, int top) {
        auto* label = new QLabel(caption, picHolder0_);
        label->setGeometry(0, PxY(top), Px(840), PxY(255));
    };
    curveRow(QStringLiteral("Above curve:"), 0);
    curveRow(QStringLiteral("Below curve:"), 280);
    curveRow(QStringLiteral("Total:"), 560);
    const auto curveBox = [&](const char* name, int top) {
        auto* box = new QLineEdit(picHolder0_);
        box->setObjectName(QString::fromUtf8(name));
        box->setGeometry(Px(840), PxY(top), Px(360), PxY(255));
        return box;
    };
    const auto curveSpin = [&](const char* name, int top) {
        auto* spin = new QSpinBox(picHolder0_);
        spin->setObjectName(QString::fromUtf8(name));
        spin->setGeometry(Px(1200), PxY(top), Px(240), PxY(255));
        return spin;
    };
    txtAboveCurve_ = curveBox("txtAboveCurve", 0);
    spnAboveCurve_ = curveSpin("spnAboveCurve", 0);
    txtBelowCurve_ = curveBox("txtBelowCurve", 280);
    spnBelowCurve_ = curveSpin("spnBelowCurve", 280);
    lblTotalBoxes_ = new QLabel(picHolder0_);
    lblTotalBoxes_->setObjectName(QStringLiteral("lblTotalBoxes"));
    lblTotalBoxes_->setGeometry(Px(840), PxY(560), Px(600), PxY(255));

    cmdOK_ = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(Px(3240), PxY(3060), Px(1200), PxY(375));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setGeometry(Px(4560), PxY(3060), Px(1200), PxY(375));
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
    steppers_[0] = std::make_unique<SpinStepper>(*spnTotalCells_, *txtTotalCells_, guard,
                                                 "spnTotalCells", Rule::A, true);
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

int ArrayDesignDialog::Px(int twips) const
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / std::max(1, screen_.TwipsPerPixelX())));
}

int ArrayDesignDialog::PxY(int twips) const
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / std::max(1, screen_.TwipsPerPixelY())));
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
    const double number = OptionText::LeadingNumber(text);
    if (!std::isfinite(number))
        return false;
    return Format::FormatNumber(std::trunc(number), 0) == text;
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
    const double number = Number(*txtTotalCells_);
    if (number > kMaxCells)
        txtTotalCells_->setText(QString::number(kMaxCells));
    else if (!(number >= kMinCells))
        txtTotalCells_->setText(QString::number(kMinCells));
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
    lblAngle_->move(lblAngle_->x(), PxY(j ? kAngleTopJ : kAngleTopCurved));
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
