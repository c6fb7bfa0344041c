#include "shell/startup/CrashMarker.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompts.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

// Enough for any number of copies a user runs; past it a copy goes without a marker.
constexpr int kMostCopies = 1000;

// Whether the open file is still the one at the path: a marker removed by its copy's
// orderly end between our open and our lock is no longer there.
bool StillAt(int descriptor, const std::string& path)
{
    struct stat open {};
    struct stat named {};
    return fstat(descriptor, &open) == 0 && stat(path.c_str(), &named) == 0 && open.st_nlink > 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// An exclusive lock, without waiting: false while another open of the file holds it.
bool Lock(int descriptor) { return flock(descriptor, LOCK_EX | LOCK_NB) == 0; }

} // namespace

CrashMarker::~CrashMarker() { Release(); }

std::string CrashMarker::PathOf(int copy) const
{
    if (copy <= 1)
        return folder_.WritableFile(kFileName);
    return folder_.WritableFile("working-" + std::to_string(copy) + ".tmp");
}

std::string CrashMarker::Path() const { return PathOf(copy_ > 0 ? copy_ : 1); }

bool CrashMarker::Exists() const
{
    std::error_code error;
    return fs::exists(Path(), error);
}

bool CrashMarker::Initialize(Clock& clock, Prompts& prompts, const std::string& title)
{
    const bool warned = RemoveLeftMarkers();
    if (warned)
        prompts.ShowMessage(kWarning, title, MessageButtons::Ok, MessageIcon::Critical);
    Claim();
    if (descriptor_ < 0)
        return warned;
    static_assert(sizeof(double) == 8);
    const double date = clock.Now().ToOleDate();
    char bytes[8];
    std::memcpy(bytes, &date, sizeof bytes);
    // Written over the start of the file, as the marker always was; the rest, if any,
    // stays.
    [[maybe_unused]] const auto written = pwrite(descriptor_, bytes, sizeof bytes, 0);
    return warned;
}

bool CrashMarker::RemoveLeftMarkers() const
{
    const fs::path first(PathOf(1));
    const std::string other = "working-";
    bool left = false;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(first.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        const bool marker =
            name == kFileName || (name.size() > other.size() + 4 && name.compare(0, other.size(), other) == 0 &&
                                  name.compare(name.size() - 4, 4, ".tmp") == 0 &&
                                  name.find_first_not_of("0123456789", other.size()) == name.size() - 4);
        if (!marker)
            continue;
        const std::string path = entry.path().string();
        const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        if (Lock(descriptor) && StillAt(descriptor, path)) {
            left = true;
            unlink(path.c_str());
        }
        close(descriptor);
    }
    return left;
}

void CrashMarker::Claim()
{
    Release();
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        const std::string path = PathOf(copy);
        const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0)
            return;
        if (!Lock(descriptor)) {
            close(descriptor); // a running copy's
            continue;
        }
        if (!StillAt(descriptor, path)) {
            close(descriptor); // removed as we came: try the name again
            --copy;
            continue;
        }
        copy_ = copy;
        descriptor_ = descriptor;
        return;
    }
}

void CrashMarker::Release()
{
    if (descriptor_ >= 0)
        close(descriptor_);
    descriptor_ = -1;
}

void CrashMarker::Remove()
{
    if (descriptor_ < 0)
        return;
    // Removed while still locked, so that no other copy takes it for a left one.
    std::error_code error;
    fs::remove(Path(), error);
    Release();
    copy_ = 0;
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
