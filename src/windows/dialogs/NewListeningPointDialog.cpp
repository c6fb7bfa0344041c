#include "windows/dialogs/NewListeningPointDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace polvane {

NewListeningPointDialog::NewListeningPointDialog(QWidget* parent)
    : ModalDialog(parent),
      lblENIdent_(new QLabel(QStringLiteral("Enter a name for the new listening point:"), this)),
      txtName_(new QLineEdit(this)),
      lblCSIdent_(new QLabel(QStringLiteral("Choose a seating area for this listening point:"), this)),
      cboSeatingArea_(new QComboBox(this)), cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmNewListeningPoint"));
    setWindowTitle(QStringLiteral("New Listening Point"));
    lblENIdent_->setObjectName(QStringLiteral("lblENIdent"));
    txtName_->setObjectName(QStringLiteral("txtName"));
    lblCSIdent_->setObjectName(QStringLiteral("lblCSIdent"));
    cboSeatingArea_->setObjectName(QStringLiteral("cboSeatingArea"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblENIdent_);
    layout->addWidget(txtName_);
    layout->addWidget(lblCSIdent_);
    layout->addWidget(cboSeatingArea_);
    layout->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    txtName_->installEventFilter(this);
}

bool NewListeningPointDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtName_ && event->type() == QEvent::FocusIn) {
        txtName_->selectAll();
        // A click that gave the focus places the caret afterwards; select again then.
        QMetaObject::invokeMethod(txtName_, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
    return ModalDialog::eventFilter(watched, event);
}

} // namespace polvane
