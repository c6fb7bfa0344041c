#pragma once

#include <QDialog>

#include "shell/options/WelcomePrompt.h"

class QRadioButton;

namespace polvane {

// The first-run window that asks which measurement system new venues use.
class WelcomeWindow : public QDialog, public WelcomePrompt {
    Q_OBJECT

public:
    explicit WelcomeWindow(QWidget* parent = nullptr);

    // Shows the window modally; closing it any way answers with the selected option.
    MeasurementSystem AskMeasurementSystem() override;
    MeasurementSystem Selected() const;

    QRadioButton* optMetric() const { return metric_; }
    QRadioButton* optEnglish() const { return english_; }

private:
    QRadioButton* metric_;
    QRadioButton* english_;
};

} // namespace polvane
