#pragma once

#include "windows/dialogs/ModalDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace polvane {

// Names a new listening point and chooses the seating area it goes on. The listening
// points window fills it, shows it modally and reads it unless the tag says "cancel"; it
// is hidden, not destroyed, between uses.
class NewListeningPointDialog : public ModalDialog {
    Q_OBJECT

public:
    explicit NewListeningPointDialog(QWidget* parent = nullptr);

    QLineEdit* txtName() const { return txtName_; }
    QComboBox* cboSeatingArea() const { return cboSeatingArea_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblENIdent_;
    QLineEdit* txtName_;
    QLabel* lblCSIdent_;
    QComboBox* cboSeatingArea_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

} // namespace polvane
