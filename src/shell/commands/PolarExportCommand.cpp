#include "shell/commands/PolarExportCommand.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include <QApplication>
#include <QScopeGuard>

#include "engine/Environment.h"
#include "engine/PolarExport.h"
#include "files/PolarExportFile.h"
#include "platform/Prompts.h"
#include "shell/options/FrequencyTable.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

bool PolarExportCommand::Run()
{
    std::vector<float> frequencies;
    for (int index = 1; index <= FrequencyTable::Count(); ++index)
        frequencies.push_back(FrequencyTable::Frequency(index));
    std::vector<PolarExportRecord> records;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        records = PolarExport::Distill(lifecycle_.Venue(), frequencies);
    }
    FileDialogRequest request;
    request.title = "Save venue as...";
    request.filter = "Orbisan native format file (*.plr)|*.plr";
    request.defaultExtension = "plr";
    const std::optional<std::string> path = prompts_.ChooseSaveFile(request);
    if (!path || path->empty())
        return false;
    // A file that cannot be written is the user's to fix, not the end of the program.
    try {
        PolarExportFile::Write(*path, records);
    } catch (const std::runtime_error& failure) {
        prompts_.ShowMessage(failure.what(), title_(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace polvane
