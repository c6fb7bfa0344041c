#pragma once

#include <optional>
#include <string>

namespace polvane {

class Clock;
class Prompts;
class ProgramFolder;

// "working.tmp": exists exactly while the program runs, holding the start time as an
// 8-byte date value (days since 30 December 1899, the time of day as the fraction). Found
// at start, it means the last run did not end in order. It lives in the program's folder,
// or in the user's data folder when the program's folder cannot be written.
class CrashMarker {
public:
    static constexpr const char* kFileName = "working.tmp";
    static constexpr const char* kWarning =
        "This program was not previously shut down properly. The system may be unstable.";

    explicit CrashMarker(const ProgramFolder& folder) : folder_(folder) {}

    std::string Path() const;
    bool Exists() const;

    // At start: warns (critical icon, OK) when a marker is left from the last run, then
    // writes the start time into the marker. True when the warning was shown. A marker
    // that cannot be written does not stop the start.
    bool Initialize(Clock& clock, Prompts& prompts, const std::string& title);
    // At an orderly end.
    void Remove();

    // The date value stored in a marker file; nothing when it holds fewer than 8 bytes.
    std::optional<double> StoredDate() const;

private:
    const ProgramFolder& folder_;
};

} // namespace polvane
