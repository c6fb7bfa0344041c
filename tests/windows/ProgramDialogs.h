#pragma once

#include <array>
#include <functional>

#include <QRadioButton>
#include <QTabWidget>

#include "shell/commands/ProgressWindow.h"
#include "shell/startup/WelcomeWindow.h"
#include "windows/dialogs/ArrayDesignDialog.h"
#include "windows/dialogs/ChooseColorDialog.h"
#include "windows/dialogs/NewListeningPointDialog.h"
#include "windows/dialogs/OptionsDialog.h"

namespace polvane {

// Every dialog the program has, over its main window; the array design shows its J counts.
struct ProgramDialogs {
    ProgramDialogs(UpdateHub& hub, ErrorReporter& reporter, const ScreenInfo& screen, Options& options,
                   Prompts& prompts, QWidget* parent)
        : design(hub, reporter, screen, parent), newPoint(parent), color(hub, reporter, parent),
          settings(options, prompts, hub, reporter, [] { return false; }, {}, parent), welcome(parent),
          progress(parent)
    {
        design.optJ()->setChecked(true);
    }

    std::array<QDialog*, 6> All() { return {&design, &newPoint, &color, &settings, &welcome, &progress}; }

    // Shows each dialog in turn and hands it to `check` on each of its pages.
    void CheckEachPage(const std::function<void(QDialog&)>& check)
    {
        for (QDialog* dialog : All()) {
            dialog->show();
            auto* const pages = dialog->findChild<QTabWidget*>();
            for (int page = 0; page < (pages != nullptr ? pages->count() : 1); ++page) {
                if (pages != nullptr)
                    pages->setCurrentIndex(page);
                check(*dialog);
            }
            dialog->hide();
        }
    }

    ArrayDesignDialog design;
    NewListeningPointDialog newPoint;
    ChooseColorDialog color;
    OptionsDialog settings;
    WelcomeWindow welcome;
    ProgressWindow progress;
};

} // namespace polvane
