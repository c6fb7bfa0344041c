#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "windows/dialogs/ModalDialog.h"

class QLabel;
class QSlider;

namespace polvane {

class ColorSwatch;
class ErrorReporter;
class UpdateHub;

// Edits one ARGB colour with four vertical sliders (red, green, blue, alpha) and a preview
// over a checkerboard. A slider runs from -255 at the top to 0 at the bottom and its
// component is the negated value, so the top means 255. The caller sets the colour, shows
// the dialog modally and reads the tag and the colour; the close box counts as Cancel.
class ChooseColorDialog : public ModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kHelpTopic = "reference_select_color";

    ChooseColorDialog(UpdateHub& hub, ErrorReporter& reporter, QWidget* parent = nullptr);

    // Sets the four sliders from the colour, then UpdateInterface.
    void SetColor(std::uint32_t argb);
    // The colour the sliders give.
    std::uint32_t Color() const;

    // The preview and the value labels from the sliders.
    void UpdateInterface();

    QSlider* sldRed() const { return sliders_[0]; }
    QSlider* sldGreen() const { return sliders_[1]; }
    QSlider* sldBlue() const { return sliders_[2]; }
    QSlider* sldAlpha() const { return sliders_[3]; }
    ColorSwatch* picPreview() const { return picPreview_; }

private:
    void Guard(const std::string& handler, const std::function<void()>& action);

    UpdateHub& hub_;
    ErrorReporter& reporter_;
    std::array<QSlider*, 4> sliders_{};
    std::array<QLabel*, 4> values_{};
    ColorSwatch* picPreview_;
};

} // namespace polvane
