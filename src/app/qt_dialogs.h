#pragma once
// The real modal dialogs behind the Dialogs interface.

#include "state/dialogs.h"

class QWidget;

namespace detkit {

class TMcaAbout;

class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner);
    ~QtDialogs() override;

    std::optional<std::string> openFileName(const FileDialogOptions& options) override;
    std::optional<std::string> saveFileName(const FileDialogOptions& options) override;
    void showAbout() override;
    bool runMcaSetUp(McaSettings& settings) override;

    // "spectrum(*.dat)|*.dat" -> "spectrum(*.dat)" as a Qt name filter.
    static std::string qtNameFilter(const std::string& filter);

private:
    QWidget* owner_;
    TMcaAbout* about_;  // created once at start, shown modally on demand
};

}  // namespace detkit
