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
//
// Several copies may run at once: each keeps a marker of its own ("working.tmp" for the
// first, "working-2.tmp" and on for the others) and holds a lock on it for as long as it
// runs. The system drops the lock when the process ends, however it ends, so a locked
// marker belongs to a running copy and only an unlocked one is left from an unclean end.
class CrashMarker {
public:
    static constexpr const char* kFileName = "working.tmp";
    static constexpr const char* kWarning =
        "This program was not previously shut down properly. The system may be unstable.";

    explicit CrashMarker(const ProgramFolder& folder) : folder_(folder) {}
    CrashMarker(const CrashMarker&) = delete;
    CrashMarker& operator=(const CrashMarker&) = delete;
    // Lets go of the marker without removing it, as a process that ends uncleanly does.
    ~CrashMarker();

    // This copy's marker once it holds one, else the first copy's.
    std::string Path() const;
    bool Exists() const;
    // The marker of the copy numbered n (1 for the first).
    std::string PathOf(int copy) const;

    // At start: warns (critical icon, OK) when a marker is left from an unclean end of any
    // copy and removes such markers, then takes a marker of its own, holding the start
    // time. Markers of running copies are left alone. True when the warning was shown. A
    // marker that cannot be written does not stop the start.
    bool Initialize(Clock& clock, Prompts& prompts, const std::string& title);
    // At an orderly end: removes this copy's own marker only.
    void Remove();

    // The date value stored in the marker file; nothing when it holds fewer than 8 bytes.
    std::optional<double> StoredDate() const;

private:
    // Removes the markers no running copy holds; true when there was one.
    bool RemoveLeftMarkers() const;
    // Opens and locks the first marker no running copy holds.
    void Claim();
    void Release();

    const ProgramFolder& folder_;
    int copy_ = 0;
    int descriptor_ = -1;
};

} // namespace polvane
