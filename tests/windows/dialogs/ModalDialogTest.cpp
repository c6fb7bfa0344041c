#include "windows/dialogs/ModalDialog.h"

#include <gtest/gtest.h>

namespace polvane {
namespace {

TEST(ModalDialogTest, CancelTagsTheDialogAndOkLeavesTheTagEmpty)
{
    ModalDialog dialog;
    dialog.show();
    dialog.accept();
    EXPECT_EQ(dialog.Tag(), "");
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    dialog.reject();
    EXPECT_EQ(dialog.Tag(), "cancel");
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_FALSE(dialog.isVisible());
    dialog.SetTag("");
    EXPECT_FALSE(dialog.IsCancelled());
}

} // namespace
} // namespace polvane
