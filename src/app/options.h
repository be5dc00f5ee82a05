#pragma once
// Command-line options. Started without any, the program behaves exactly as
// the plain window does.

#include <string>
#include <vector>

namespace detkit {

struct Options {
    bool help = false;
    bool version = false;
    bool simulate = false;     // use the built-in simulated analyser
    bool autostart = false;    // open the analyser and press Start once shown
    std::string screenshot;    // save a grab of the main window here and exit
    int afterMs = 300;         // ... this long after the window shows
    std::string info;          // describe a spectrum file and exit
    std::string error;         // set when the command line is not understood
};

Options parseOptions(const std::vector<std::string>& args);
std::string usageText();

}  // namespace detkit
