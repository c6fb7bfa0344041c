#include "files/ReplacedFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "files/InputFile.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

// A name for the temporary file of a save that no other save picks at the same time.
std::string TemporaryName()
{
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x = counter.fetch_add(1) + 0x9E3779B97F4A7C15ull *
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    x ^= reinterpret_cast<std::uintptr_t>(&x);
    // splitmix64 finaliser
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = ".polvane-";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += kHex[(x >> shift) & 0xF];
    return name + ".tmp";
}

} // namespace

void ReplacedFile::Write(const fs::path& path, std::string_view text)
{
    const std::string shown = InputFile::PathText(path);
    const auto failure = [&shown](const std::string& what) {
        return std::runtime_error("Cannot save \"" + shown + "\": " + what);
    };

    std::error_code ec;
    if (path.filename().empty())
        throw failure("the path names no file");
    // A symbolic link stays a link: its final target is the file replaced.
    fs::path target = path;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
        if (hops == 40)
            throw failure("it is a chain of too many symbolic links");
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            throw failure("the symbolic link cannot be read (" + ec.message() + ")");
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    if (target.filename().empty())
        throw failure("the symbolic link names no file");
    const fs::path folder = target.parent_path();
    const fs::path existingFolder = folder.empty() ? fs::path(".") : folder;
    if (!fs::exists(existingFolder, ec))
        throw failure("the folder does not exist");
    if (!fs::is_directory(existingFolder, ec))
        throw failure("the folder is not a folder");
    // Replacing by renaming would get past a read-only mark that writing into the file
    // respects.
    constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write |
                                    fs::perms::others_write;
    if (fs::is_regular_file(target, ec) &&
        (fs::status(target, ec).permissions() & kAnyWrite) == fs::perms::none)
        throw failure("the file is read-only");

    fs::path temporary;
    std::ofstream out;
    for (int attempt = 0; attempt < 100 && !out.is_open(); ++attempt) {
        temporary = folder / TemporaryName();
        if (fs::exists(temporary, ec))
            continue;
        errno = 0;
        out.open(temporary, std::ios::binary | std::ios::trunc);
        if (!out.is_open())
            throw failure("cannot create a temporary file in the folder" + InputFile::ErrnoText(errno));
    }
    if (!out.is_open())
        throw failure("found no free name for a temporary file in the folder");

    const auto discard = [&temporary] {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    };
    errno = 0;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    const int writeError = errno;
    out.close();
    if (out.fail()) {
        discard();
        throw failure("writing the temporary file failed" + InputFile::ErrnoText(writeError));
    }

    // A replaced file keeps its permissions.
    if (fs::is_regular_file(target, ec)) {
        const fs::perms perms = fs::status(target, ec).permissions();
        if (!ec)
            fs::permissions(temporary, perms, ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        discard();
        throw failure("cannot replace the file (" + ec.message() + ")");
    }
}

} // namespace polvane
