#pragma once
// Dialogs whose answers a test scripts in advance, so handlers that open file
// choosers or set-up dialogs run without a screen.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "state/dialogs.h"

namespace detkit {

class ScriptedDialogs : public Dialogs {
public:
    // Answers in order; an empty queue answers "cancel".
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    // The operator's part of the MCA set-up dialog; unset means Cancel.
    std::function<bool(McaSettings&)> mcaSetUp;

    std::vector<FileDialogOptions> openCalls;
    std::vector<FileDialogOptions> saveCalls;
    int aboutShown = 0;
    int mcaSetUpShown = 0;

    std::optional<std::string> openFileName(const FileDialogOptions& options) override
    {
        openCalls.push_back(options);
        return next(openAnswers);
    }
    std::optional<std::string> saveFileName(const FileDialogOptions& options) override
    {
        saveCalls.push_back(options);
        return next(saveAnswers);
    }
    void showAbout() override { ++aboutShown; }
    bool runMcaSetUp(McaSettings& settings) override
    {
        ++mcaSetUpShown;
        return mcaSetUp ? mcaSetUp(settings) : false;
    }

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& q)
    {
        if (q.empty())
            return std::nullopt;
        auto a = q.front();
        q.pop_front();
        return a;
    }
};

}  // namespace detkit
