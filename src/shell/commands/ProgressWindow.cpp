#include "shell/commands/ProgressWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "platform/DialogFrame.h"
#include "shell/commands/GradientProgressBar.h"

namespace polvane {

void LabelCaption::SetCaption(const std::string& text)
{
    label_->setText(QString::fromStdString(text));
}

namespace {
QLabel* Named(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent), bar_(new GradientProgressBar(this)),
      cmdCancel_(new QPushButton(QStringLiteral("&Stop"), this)),
      lblPCIdent_(Named("lblPCIdent", QStringLiteral("Percent Complete:"), this)),
      lblProgress_(Named("lblProgress", QStringLiteral("0.00%"), this)),
      lblTRIdent_(Named("lblTRIdent", QStringLiteral("Time Remaining:"), this)),
      lblTimeRemaining_(Named("lblTimeRemaining", QString(), this)),
      lblCTIdent_(Named("lblCTIdent", QStringLiteral("Combinations Tried:"), this)),
      lblCombosTried_(Named("lblCombosTried", QString(), this)), percent_(lblProgress_),
      time_(lblTimeRemaining_), combos_(lblCombosTried_)
{
    DialogFrame::Apply(*this);
    setObjectName(QStringLiteral("frmProgress"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    bar_->setMinimumWidth(300);
    auto* grid = new QGridLayout(this);
    grid->addWidget(bar_, 0, 0, 1, 2);
    grid->addWidget(lblPCIdent_, 1, 0);
    grid->addWidget(lblProgress_, 1, 1);
    grid->addWidget(lblTRIdent_, 2, 0);
    grid->addWidget(lblTimeRemaining_, 2, 1);
    grid->addWidget(lblCTIdent_, 3, 0);
    grid->addWidget(lblCombosTried_, 3, 1);
    grid->addWidget(cmdCancel_, 4, 1, Qt::AlignRight);
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { Cancel(); });
}

void ProgressWindow::Initialize(int mode, bool engineeringMode)
{
    if (mode == kAutoConfigure) {
        setWindowTitle(QStringLiteral("Auto-Configure Progress..."));
        lblTRIdent_->setVisible(true);
        lblTimeRemaining_->setVisible(true);
        lblCTIdent_->setVisible(engineeringMode);
        lblCombosTried_->setVisible(engineeringMode);
    } else if (mode == kPrinting) {
        setWindowTitle(QStringLiteral("Printing Progress..."));
        for (QLabel* label : {lblTRIdent_, lblTimeRemaining_, lblCTIdent_, lblCombosTried_})
            label->setVisible(false);
    }
}

void ProgressWindow::reject() { Cancel(); }

void ProgressWindow::closeEvent(QCloseEvent* event)
{
    Cancel();
    event->ignore();
}

} // namespace polvane
