#include "shell/session/VenueLifecycle.h"

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "engine/Environment.h"
#include "files/OldVenueFile.h"
#include "files/VenueFile.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "shell/options/OptionText.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/Session.h"
#include "shell/session/ShellMainWindow.h"
#include "shell/session/UpdateHub.h"

namespace polvane {

namespace {

bool IsOldFileName(const std::string& path)
{
    return OptionText::ToLower(Format::GetFileNameExtension(path)) == "vnu";
}

// The proposed name when a venue from an old file is saved: the same name with ".venue".
std::string CurrentFormatName(const std::string& path)
{
    std::filesystem::path name(path);
    name.replace_extension(".venue");
    return name.string();
}

} // namespace

VenueLifecycle::VenueLifecycle(Session& session, Prompts& prompts, ShellMainWindow& mainWindow,
                               RecentFiles& recentFiles, std::function<std::string()> templatePath,
                               std::function<std::string()> title)
    : session_(session), prompts_(prompts), mainWindow_(mainWindow), recentFiles_(recentFiles),
      templatePath_(std::move(templatePath)), title_(std::move(title))
{
}

VenueLifecycle::~VenueLifecycle() = default;

Environment& VenueLifecycle::Venue() { return session_.Venue(); }
const Environment& VenueLifecycle::Venue() const { return session_.Venue(); }

std::size_t VenueLifecycle::Index(int slot)
{
    if (slot < 1 || slot > kSlotCount)
        throw std::out_of_range("State slot " + std::to_string(slot) + " is not 1 to 9");
    return static_cast<std::size_t>(slot - 1);
}

void VenueLifecycle::Refresh()
{
    if (hub_ != nullptr)
        hub_->UpdateInterfaces(UpdateScope::All, true);
}

void VenueLifecycle::ShowProblem(const std::string& text)
{
    prompts_.ShowMessage(text, title_ ? title_() : std::string(), MessageButtons::Ok,
                         MessageIcon::Exclamation);
}

void VenueLifecycle::NewVenue()
{
    auto fresh = std::make_unique<Environment>();
    std::string problem;
    const std::string templatePath = templatePath_ ? templatePath_() : std::string();
    try {
        if (templatePath.empty())
            throw std::runtime_error("No new-venue template is chosen.");
        VenueFile::Load(*fresh, templatePath);
        fresh->LineArray().SetBrand(BrandCode::TarvicKv9);
    } catch (const std::exception& failure) {
        problem = failure.what();
        fresh->Clear();
    }
    hasFileName_ = false;
    fromOldFile_ = false;
    venueOpen_ = true;
    venuePath_.clear();
    ClearDirty();
    session_.ReplaceVenue(std::move(fresh));
    for (auto& slot : slots_)
        slot.reset();
    used_.fill(false);
    used_[0] = true;
    slotOneLive_ = true;
    if (hub_ != nullptr)
        hub_->VenueReplaced();
    Refresh();
    if (!problem.empty())
        ShowProblem("The new-venue template could not be read, so the new venue starts empty.\r\n" +
                    problem);
}

bool VenueLifecycle::OpenVenue(const std::string& requested)
{
    std::string path = requested;
    if (path.empty()) {
        FileDialogRequest request;
        request.title = kOpenTitle;
        request.filter = kOpenFilter;
        request.filterIndex = 1;
        const auto chosen = prompts_.ChooseOpenFile(request);
        if (!chosen || chosen->empty())
            return false;
        path = *chosen;
    }
    const bool oldFile = IsOldFileName(path);
    // The loaders read the whole file before they touch the venue, so a failure leaves it
    // (and slot 1, which may be the same document) as it was.
    try {
        if (oldFile)
            OldVenueFile::Load(Venue(), path);
        else
            VenueFile::Load(Venue(), path);
    } catch (const std::exception& failure) {
        ShowProblem(std::string(venueOpen_ ? "The venue could not be opened; the open venue is kept.\r\n"
                                           : "The venue could not be opened.\r\n") +
                    failure.what());
        return false;
    }
    venuePath_ = path;
    hasFileName_ = true;
    venueOpen_ = true;
    fromOldFile_ = oldFile;
    ClearDirty();
    recentFiles_.AddToMRUList(path);
    if (hub_ != nullptr)
        hub_->VenueReplaced();
    Refresh();
    return true;
}

bool VenueLifecycle::WriteTo(const std::string& path)
{
    try {
        VenueFile::SaveAs(Venue(), path);
        return true;
    } catch (const std::exception& failure) {
        ShowProblem("The venue could not be saved to \"" + path +
                    "\"; it stays unsaved.\r\n" + failure.what());
        return false;
    }
}

bool VenueLifecycle::SaveVenue()
{
    if (!hasFileName_ || fromOldFile_)
        return SaveVenueAs();
    if (!WriteTo(venuePath_))
        return false;
    ClearDirty();
    return true;
}

bool VenueLifecycle::SaveVenueAs()
{
    FileDialogRequest request;
    request.title = kSaveTitle;
    request.filter = kSaveFilter;
    request.defaultExtension = "venue";
    request.askBeforeOverwrite = true;
    if (hasFileName_)
        request.fileName = fromOldFile_ ? CurrentFormatName(venuePath_) : venuePath_;
    const auto chosen = prompts_.ChooseSaveFile(request);
    if (!chosen || chosen->empty())
        return false;
    if (!WriteTo(*chosen))
        return false;
    hasFileName_ = true;
    fromOldFile_ = false;
    venuePath_ = *chosen;
    ClearDirty();
    recentFiles_.AddToMRUList(venuePath_);
    mainWindow_.SetCaption();
    return true;
}

void VenueLifecycle::SetDirty()
{
    dirty_ = true;
    mainWindow_.SetRevertEnabled(hasFileName_);
    mainWindow_.SetStatusPanel(1, kUnsavedText);
}

void VenueLifecycle::ClearDirty()
{
    dirty_ = false;
    mainWindow_.SetRevertEnabled(false);
    mainWindow_.SetStatusPanel(1, "");
}

void VenueLifecycle::SaveState(int slot)
{
    const std::size_t index = Index(slot);
    slots_[index] = Venue().CloneOf();
    used_[index] = true;
    if (index == 0)
        slotOneLive_ = false;
    UpdateStates("Saved to State " + std::to_string(slot));
}

void VenueLifecycle::LoadState(int slot)
{
    const Environment* snapshot = SlotVenue(slot);
    if (snapshot == nullptr)
        return;
    auto copy = snapshot->CloneOf();
    // Slot 1 keeps the venue as it was when it was the live one.
    std::unique_ptr<Environment> previous = session_.ReplaceVenue(std::move(copy));
    if (slotOneLive_) {
        slots_[0] = std::move(previous);
        slotOneLive_ = false;
    }
    if (hub_ != nullptr)
        hub_->VenueReplaced();
    Refresh();
    UpdateStates("State " + std::to_string(slot) + " Loaded");
}

bool VenueLifecycle::SlotUsed(int slot) const { return used_[Index(slot)]; }

const Environment* VenueLifecycle::SlotVenue(int slot) const
{
    const std::size_t index = Index(slot);
    if (!used_[index])
        return nullptr;
    if (index == 0 && slotOneLive_)
        return &Venue();
    return slots_[index].get();
}

void VenueLifecycle::UpdateStates(const std::string& message)
{
    for (int slot = 1; slot <= kSlotCount; ++slot)
        mainWindow_.SetStateItemEnabled(slot, used_[Index(slot)]);
    mainWindow_.SetStatusPanel(3, message);
}

bool VenueLifecycle::GlobalKeyHandler(int& keyCode, int shift)
{
    if ((shift & kCtrlBit) == 0 || keyCode < kKeyDigit1 || keyCode > kKeyDigit9)
        return false;
    const int slot = keyCode - kKeyDigit1 + 1;
    keyCode = 0;
    if ((shift & kShiftBit) != 0)
        SaveState(slot);
    else
        LoadState(slot);
    return true;
}

} // namespace polvane
