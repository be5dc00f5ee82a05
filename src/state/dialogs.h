#pragma once
// Every modal dialog a handler opens goes through this interface: the window
// gives the real Qt dialogs, tests script the operator's answers.

#include <optional>
#include <string>

namespace detkit {

struct McaSettings;

struct FileDialogOptions {
    std::string filter;            // "spectrum(*.dat)|*.dat": caption|pattern pairs
    std::string defaultExtension;  // "dat", added when the typed name has none
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen path, or nothing when the operator cancels.
    virtual std::optional<std::string> openFileName(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialogOptions& options) = 0;
    virtual void showAbout() = 0;
    // The MCA set-up dialog, loaded from `settings`. Only OK stores the
    // operator's edits into `settings` and returns true; Cancel, Escape and the
    // close box leave `settings` untouched and return false.
    virtual bool runMcaSetUp(McaSettings& settings) = 0;
};

}  // namespace detkit
