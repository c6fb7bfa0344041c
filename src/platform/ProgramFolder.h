#pragma once

#include <string>
#include <string_view>

namespace polvane {

// Where the program lives, and where it may write the files it keeps beside itself at run
// time (the crash marker and the error log). Paths are UTF-8, without a trailing separator.
class ProgramFolder {
public:
    // The running executable's folder; the user's data folder for this application
    // (looked up when first needed, so after the application's name is set).
    ProgramFolder();
    // Given folders, for tests. An empty data folder means the user's data folder.
    explicit ProgramFolder(std::string folder, std::string dataFolder = {});

    const std::string& Path() const { return folder_; }
    // A path below the program's folder: File("Templates/Blank_English.venue").
    std::string File(std::string_view relative) const;
    // A file or folder installed with the program (templates, help pages): beside the program
    // when it is there (a build tree, or a copy kept in one folder), else in the shared data
    // folder an installation puts next to the program's bin folder when there is one.
    std::string InstalledFile(std::string_view relative) const;
    // Where an installation keeps those files: "../share/polvane" from the program's folder.
    std::string SharedDataFolder() const;

    // The program's folder when a file can be created in it, else the data folder
    // (created when missing; when even that fails, the data folder's path all the same,
    // and writing there fails as writing would have).
    std::string WritableFolder() const;
    // The named file in the writable folder.
    std::string WritableFile(std::string_view name) const;

    // Whether a file can be created in the folder, found by creating and removing one.
    static bool CanCreateFilesIn(const std::string& folder);

private:
    std::string DataFolder() const;

    std::string folder_;
    std::string dataFolder_;
};

} // namespace polvane
