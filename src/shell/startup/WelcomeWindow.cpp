#include "shell/startup/WelcomeWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/DialogFrame.h"

namespace polvane {

WelcomeWindow::WelcomeWindow(QWidget* parent)
    : QDialog(parent), metric_(new QRadioButton(QStringLiteral("Metric"), this)),
      english_(new QRadioButton(QStringLiteral("English"), this))
{
    DialogFrame::Apply(*this);
    setWindowTitle(QStringLiteral("Welcome"));
    setObjectName(QStringLiteral("frmWelcome"));
    auto* layout = new QVBoxLayout(this);
    auto* welcome = new QLabel(QStringLiteral("Welcome to the Quessel Polvane Version 2.1"), this);
    welcome->setObjectName(QStringLiteral("lblWelcome"));
    QFont big = welcome->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    welcome->setFont(big);
    auto* question =
        new QLabel(QStringLiteral("Please choose a measurement system for new venues:"), this);
    question->setObjectName(QStringLiteral("lblWouldYouLike"));
    metric_->setObjectName(QStringLiteral("optMetric"));
    english_->setObjectName(QStringLiteral("optEnglish"));
    english_->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    layout->addWidget(welcome);
    layout->addSpacing(8);
    layout->addWidget(question);
    layout->addWidget(metric_);
    layout->addWidget(english_);
    layout->addWidget(buttons);
    setModal(true);
}

MeasurementSystem WelcomeWindow::Selected() const
{
    return english_->isChecked() ? MeasurementSystem::English : MeasurementSystem::Metric;
}

MeasurementSystem WelcomeWindow::AskMeasurementSystem()
{
    exec();
    return Selected();
}

} // namespace polvane
