#pragma once

#include <string>

#include <gtest/gtest.h>

#include "../shell/MainWindowFixture.h"
#include "windows/base/ToolWindowContext.h"

namespace polvane {

// The shell around the tool windows under test: the main window's fixture with an English
// venue and the context the windows reach the shell through. No failure may reach the
// error reporter.
class ToolWindowFixture : public MainWindowTest {
protected:
    ToolWindowFixture()
        : MainWindowTest(UnitsCode::English),
          context_{registry_, window_, *window_.MdiArea(), screen_, hub_, lifecycle_, reporter_,
                   options_, session_, [this] { return window_.IsUnloading(); }, prompts_, &window_, {}}
    {
        lifecycle_.ClearDirty();
    }
    void TearDown() override { EXPECT_EQ(reportedEnds_, 0) << "a handler failed"; }

    std::string StoredPlace(const char* caption) const
    {
        return store_.ReadSetting(SettingsStore::kWindowPositions, caption).value_or("");
    }

    ToolWindowContext context_;
};

} // namespace polvane
