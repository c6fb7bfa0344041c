// The one list of the tool windows: every window of the table is made, and is the window
// its id names.
#include <memory>

#include <gtest/gtest.h>

#include "../ToolWindowFixture.h"
#include "shell/places/ToolWindowRegistry.h"
#include "windows/base/ToolWindow.h"
#include "windows/tools/ToolWindowFactory.h"

namespace polvane {
namespace {

using ToolWindowFactoryTest = ToolWindowFixture;

TEST_F(ToolWindowFactoryTest, MakesEveryWindowOfTheTableUnderItsOwnId)
{
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        SCOPED_TRACE(info.caption);
        const std::unique_ptr<ToolWindow> window(ToolWindowFactory::Create(info.id, context_));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Id(), info.id);
        EXPECT_EQ(window->objectName().toStdString(), info.windowName);
        EXPECT_FALSE(window->isVisible());
    }
}

} // namespace
} // namespace polvane
