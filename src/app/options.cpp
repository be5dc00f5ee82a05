#include "app/options.h"

#include "platform/convert.h"

namespace detkit {

Options parseOptions(const std::vector<std::string>& args)
{
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--simulate") {
            o.simulate = true;
        } else if (a == "--autostart") {
            o.autostart = true;
        } else if (a == "--screenshot" && hasValue) {
            o.screenshot = args[++i];
        } else if (a == "--after-ms" && hasValue) {
            try {
                o.afterMs = StrToInt(args[++i]);
            } catch (const ConversionError&) {
                o.error = "--after-ms needs a whole number of milliseconds, not '" + args[i] + "'";
            }
            if (o.error.empty() && o.afterMs < 0)
                o.error = "--after-ms cannot be negative";
        } else if (a == "--info" && hasValue) {
            o.info = args[++i];
        } else if (a == "--screenshot" || a == "--after-ms" || a == "--info") {
            o.error = a + " needs a value";
        } else {
            o.error = "unknown option '" + a + "'";
        }
        if (!o.error.empty())
            break;
    }
    return o;
}

std::string usageText()
{
    return "Usage: detkit [options]\n"
           "Controls a USB multichannel analyser and analyses gamma-ray spectra.\n"
           "\n"
           "  --simulate            use the built-in simulated analyser instead of USB devices\n"
           "  --autostart           open the analyser and start an acquisition once the window shows\n"
           "  --screenshot FILE.png save a picture of the main window and exit\n"
           "  --after-ms N          with --screenshot: wait N ms first (default 300)\n"
           "  --info FILE.dat       describe a spectrum file and exit\n"
           "  --version             print the version and exit\n"
           "  --help                print this help and exit\n";
}

}  // namespace detkit
