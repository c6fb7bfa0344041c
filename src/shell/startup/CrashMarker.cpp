#include "shell/startup/CrashMarker.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompts.h"

namespace polvane {

namespace fs = std::filesystem;

std::string CrashMarker::Path() const { return folder_.WritableFile(kFileName); }

bool CrashMarker::Exists() const
{
    std::error_code error;
    return fs::exists(Path(), error);
}

bool CrashMarker::Initialize(Clock& clock, Prompts& prompts, const std::string& title)
{
    const bool warned = Exists();
    if (warned)
        prompts.ShowMessage(kWarning, title, MessageButtons::Ok, MessageIcon::Critical);
    static_assert(sizeof(double) == 8);
    const double date = clock.Now().ToOleDate();
    char bytes[8];
    std::memcpy(bytes, &date, sizeof bytes);
    // Written over the start of the file, as the marker always was; the rest, if any,
    // stays.
    std::fstream file(Path(), std::ios::binary | std::ios::in | std::ios::out);
    if (!file.is_open())
        file.open(Path(), std::ios::binary | std::ios::out | std::ios::trunc);
    if (file.is_open()) {
        file.seekp(0);
        file.write(bytes, sizeof bytes);
    }
    return warned;
}

void CrashMarker::Remove()
{
    std::error_code error;
    fs::remove(Path(), error);
}

std::optional<double> CrashMarker::StoredDate() const
{
    std::ifstream file(Path(), std::ios::binary);
    char bytes[8];
    if (!file.read(bytes, sizeof bytes))
        return std::nullopt;
    double date = 0.0;
    std::memcpy(&date, bytes, sizeof date);
    return date;
}

} // namespace polvane
