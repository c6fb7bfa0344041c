#include "windows/dialogs/ChooseColorDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "platform/DialogFrame.h"
#include "shell/options/ArgbColor.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/session/UpdateHub.h"
#include "windows/controls/ColorSwatch.h"
#include "windows/controls/ComponentSlider.h"
#include "windows/dialogs/DialogButtons.h"
#include "windows/controls/HelpShortcut.h"

namespace polvane {

namespace {

struct Component {
    const char* slider;
    const char* identName;
    const char* caption;
    const char* valueName;
};

// Red, green, blue, alpha: the order of the sliders from left to right.
constexpr std::array<Component, 4> kComponents = {{
    {"sldRed", "lblRIdent", "Red", "lblRed"},
    {"sldGreen", "lblGIdent", "Green", "lblGreen"},
    {"sldBlue", "lblBIdent", "Blue", "lblBlue"},
    {"sldAlpha", "lblAIdent", "Alpha", "lblAlpha"},
}};

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

std::uint8_t ComponentOf(const QSlider* slider) { return static_cast<std::uint8_t>(-slider->value()); }

} // namespace

ChooseColorDialog::ChooseColorDialog(UpdateHub& hub, ErrorReporter& reporter, QWidget* parent)
    : ModalDialog(parent), hub_(hub), reporter_(reporter), picPreview_(new ColorSwatch(this))
{
    setObjectName(QStringLiteral("frmChooseColor"));
    setWindowTitle(QStringLiteral("Select Color"));
    setWindowFlags(DialogFrame::Flags() | Qt::MSWindowsFixedSizeDialogHint);

    auto* columns = new QGridLayout;
    for (std::size_t index = 0; index < kComponents.size(); ++index) {
        const Component& component = kComponents[index];
        auto* slider = new ComponentSlider(this);
        slider->setObjectName(QString::fromUtf8(component.slider));
        slider->setMinimumHeight(160);
        sliders_[index] = slider;
        values_[index] = NamedLabel(component.valueName, QStringLiteral("0"), this);
        const int column = static_cast<int>(index);
        columns->addWidget(NamedLabel(component.identName, QString::fromUtf8(component.caption), this),
                           0, column);
        columns->addWidget(slider, 1, column, Qt::AlignHCenter);
        columns->addWidget(values_[index], 2, column);
        const std::string handler = std::string(component.slider) + "_Scroll";
        connect(slider, &QSlider::valueChanged, this,
                [this, handler] { Guard(handler, [this] { UpdateInterface(); }); });
    }

    picPreview_->setObjectName(QStringLiteral("picPreview"));
    picPreview_->setFixedSize(120, 120);
    auto* preview = new QVBoxLayout;
    preview->addWidget(NamedLabel("lblPIdent", QStringLiteral("Preview"), this));
    preview->addWidget(picPreview_);
    preview->addStretch();

    const auto [ok, cancel] = DialogButtons::Make(
        *this, QStringLiteral("Cancel"),
        [this](const std::string& handler, const std::function<void()>& action) { Guard(handler, action); });
    preview->addWidget(ok);
    preview->addWidget(cancel);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(preview);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    new HelpShortcut(*this, [this] { Guard("Form_KeyDown", [this] { hub_.ShowHelp(kHelpTopic, false); }); });
    UpdateInterface();
}

void ChooseColorDialog::Guard(const std::string& handler, const std::function<void()>& action)
{
    reporter_.Guard("frmChooseColor." + handler, action);
}

void ChooseColorDialog::SetColor(std::uint32_t argb)
{
    const std::array<std::uint8_t, 4> components = {ArgbColor::Red(argb), ArgbColor::Green(argb),
                                                    ArgbColor::Blue(argb), ArgbColor::Alpha(argb)};
    for (std::size_t index = 0; index < sliders_.size(); ++index) {
        const QSignalBlocker quiet(sliders_[index]);
        sliders_[index]->setValue(-static_cast<int>(components[index]));
    }
    UpdateInterface();
}

std::uint32_t ChooseColorDialog::Color() const
{
    return ArgbColor::MakeARGB(ComponentOf(sldAlpha()), ComponentOf(sldRed()),
                               ComponentOf(sldGreen()), ComponentOf(sldBlue()));
}

void ChooseColorDialog::UpdateInterface()
{
    picPreview_->SetColor(Color());
    for (std::size_t index = 0; index < sliders_.size(); ++index)
        values_[index]->setText(QString::number(ComponentOf(sliders_[index])));
}

} // namespace polvane
