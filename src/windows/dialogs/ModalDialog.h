#pragma once

#include <string>

#include <QDialog>

#include "platform/DialogFrame.h"

namespace polvane {

// A dialog shown modally whose caller reads the tag afterwards: OK only hides it (the tag
// stays empty), Cancel (also Esc) sets the tag to "cancel" and hides it. The caller acts on
// the dialog's controls only when the tag is not "cancel", and clears it where its own rules
// say. A hidden dialog keeps its controls' values for its next showing.
class ModalDialog : public QDialog {
public:
    static constexpr const char* kCancel = "cancel";

    explicit ModalDialog(QWidget* parent = nullptr) : QDialog(parent) { DialogFrame::Apply(*this); }

    const std::string& Tag() const { return tag_; }
    void SetTag(std::string tag) { tag_ = std::move(tag); }
    bool IsCancelled() const { return tag_ == kCancel; }

    void reject() override
    {
        tag_ = kCancel;
        QDialog::reject();
    }

private:
    std::string tag_;
};

} // namespace polvane
