#include "app/shell.h"

#include "platform/clock.h"
#include "state/dialogs.h"

namespace detkit {

namespace {

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

void Edit1Click(SharedState& s, Form& f)
{
    const LocalDateTime now = s.io.clock->now();
    f.Edit1.text = trimmed(ShortDateString(now) + " " + LongTimeString(now));
}

void About1Click(SharedState& s) { s.io.dialogs->showAbout(); }

}  // namespace detkit
