#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace polvane {

class Environment;
class Prompts;
class RecentFiles;
class Session;
class ShellMainWindow;
class UpdateHub;

// The session's open venue and everything about it: its file's path, whether it has a file name,
// whether it has unsaved changes, and the nine state snapshots the user stores with
// Ctrl+Shift+digit and recalls with Ctrl+digit. Windows reach the venue through Venue() at
// the time they need it and never keep it: New and loading a state replace it as a whole.
//
// Slot 1 is the live venue itself after New: it follows every edit, and every file opened
// into the venue, until a state is loaded, which leaves slot 1 with the venue as it was
// and makes a copy the open venue.
//
// Files the user names never end the program: a file that cannot be read leaves the open
// venue, its path, its dirty state and the recent-file list as they were, and a save that
// fails leaves the old file as it was and the venue dirty; either way the user is told why.
class VenueLifecycle {
public:
    static constexpr int kSlotCount = 9;
    static constexpr const char* kUnsavedText = "(Unsaved)";
    // Key codes and shift bits of a key event, as the tool windows pass them.
    static constexpr int kShiftBit = 1;
    static constexpr int kCtrlBit = 2;
    static constexpr int kAltBit = 4;
    static constexpr int kKeyDigit1 = 49;
    static constexpr int kKeyDigit9 = 57;

    static constexpr const char* kOpenTitle = "Open venue...";
    static constexpr const char* kOpenFilter =
        "Zell Venue file, all versions (*.venue, *.vnu)|*.venue;*.vnu|Zell Venue file, version 2 "
        "(*.venue)|*.venue|Zell Venue file, version 1 (*.vnu)|*.vnu|All files (*.*)|*.*";
    static constexpr const char* kSaveTitle = "Save venue as...";
    static constexpr const char* kSaveFilter = "Venue file (*.venue)|*.venue";

    // templatePath gives the new-venue template at the time of New; title the message
    // boxes' title. Starts with the session's venue, no file and no state slot filled.
    VenueLifecycle(Session& session, Prompts& prompts, ShellMainWindow& mainWindow, RecentFiles& recentFiles,
                   std::function<std::string()> templatePath, std::function<std::string()> title);
    VenueLifecycle(const VenueLifecycle&) = delete;
    VenueLifecycle& operator=(const VenueLifecycle&) = delete;
    ~VenueLifecycle();

    // The hub that refreshes the windows after the venue changed as a whole. Without one,
    // nothing is refreshed.
    void SetUpdateHub(UpdateHub* hub) { hub_ = hub; }

    Environment& Venue();
    const Environment& Venue() const;
    const std::string& VenuePath() const { return venuePath_; }
    bool HasFileName() const { return hasFileName_; }
    bool IsDirty() const { return dirty_; }
    // True while the venue came from an old binary file and was not saved since.
    bool IsFromOldFile() const { return fromOldFile_; }

    // A new venue from the template, its brand set to 0. A template that cannot be read
    // gives a cleared venue and a message. Fills slot 1 with the live venue and empties 2..9.
    void NewVenue();
    // Opens a venue file into the open venue ("*.vnu", any case, as an old binary file).
    // An empty path asks for one; cancelling changes nothing. False when nothing was opened.
    bool OpenVenue(const std::string& path);
    // Writes the venue to its file; a new venue, or one from an old binary file (which
    // could not be read again once written over), asks for a name first. True when saved.
    bool SaveVenue();
    bool SaveVenueAs();

    void SetDirty();
    void ClearDirty();

    // Slots 1..9; any other number throws std::out_of_range.
    void SaveState(int slot);
    // Does nothing for a slot never filled. Does not mark the venue dirty.
    void LoadState(int slot);
    bool SlotUsed(int slot) const;
    // The snapshot of a slot, the live venue for slot 1 after New; null when not used.
    const Environment* SlotVenue(int slot) const;
    // Enables the state menu items of the used slots; status panel 3 = message.
    void UpdateStates(const std::string& message);

    // Ctrl+digit 1..9 of the main keyboard loads that state, Ctrl+Shift+digit saves it; Alt
    // is not looked at. Such a key is swallowed (keyCode set to 0) and true returned; any
    // other key is left alone.
    bool GlobalKeyHandler(int& keyCode, int shift);

private:
    static std::size_t Index(int slot);
    void Refresh();
    void ShowProblem(const std::string& text);
    bool WriteTo(const std::string& path);

    Session& session_;
    Prompts& prompts_;
    ShellMainWindow& mainWindow_;
    RecentFiles& recentFiles_;
    std::function<std::string()> templatePath_;
    std::function<std::string()> title_;
    UpdateHub* hub_ = nullptr;

    std::string venuePath_;
    bool hasFileName_ = false;
    bool dirty_ = false;
    bool fromOldFile_ = false;
    // False until the first New or Open: the session's bare document is no venue to keep.
    bool venueOpen_ = false;

    // Slot 1 is either the live venue (slotOneLive_) or a document of its own.
    std::array<std::unique_ptr<Environment>, kSlotCount> slots_;
    std::array<bool, kSlotCount> used_{};
    bool slotOneLive_ = false;
};

} // namespace polvane
