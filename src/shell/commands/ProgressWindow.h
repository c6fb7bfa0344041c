#pragma once

#include <QDialog>

#include "engine/CaptionLabel.h"

class QLabel;
class QPushButton;

namespace polvane {

class GradientProgressBar;

// A label that Auto-Configure and printing write their captions to.
class LabelCaption : public CaptionLabel {
public:
    explicit LabelCaption(QLabel* label) : label_(label) {}
    void SetCaption(const std::string& text) override;

private:
    QLabel* label_;
};

// The progress window of Auto-Configure and printing. Stop, Esc and the close box all
// raise the cancel flag; the window stays up until its owner hides it.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    enum Mode { kAutoConfigure = 0, kPrinting = 1 };

    explicit ProgressWindow(QWidget* parent = nullptr);

    // Caption and visible labels for the mode; other values change nothing.
    void Initialize(int mode, bool engineeringMode);

    // Cleared when a run starts; read by Auto-Configure through a reference.
    bool& CancelFlag() { return cancel_; }

    GradientProgressBar& Bar() { return *bar_; }
    LabelCaption& PercentCaption() { return percent_; }
    LabelCaption& TimeCaption() { return time_; }
    LabelCaption& CombosCaption() { return combos_; }
    QLabel* lblProgress() const { return lblProgress_; }
    QLabel* lblTimeRemaining() const { return lblTimeRemaining_; }
    QLabel* lblCombosTried() const { return lblCombosTried_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

protected:
    void reject() override; // Esc
    void closeEvent(QCloseEvent* event) override;

private:
    void Cancel() { cancel_ = true; }

    bool cancel_ = false;
    GradientProgressBar* bar_;
    QPushButton* cmdCancel_;
    QLabel* lblPCIdent_;
    QLabel* lblProgress_;
    QLabel* lblTRIdent_;
    QLabel* lblTimeRemaining_;
    QLabel* lblCTIdent_;
    QLabel* lblCombosTried_;
    LabelCaption percent_;
    LabelCaption time_;
    LabelCaption combos_;
};

} // namespace polvane
