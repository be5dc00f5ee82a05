// detkit: start-up. Command-line options that only print are handled before
// any window exists; otherwise the main window is built and the loop runs.

#include <clocale>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/dava.h"
#include "app/options.h"
#include "app/program.h"
#include "app/shell.h"

int main(int argc, char** argv)
{
    using namespace detkit;
    const Options options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "detkit: %s\n%s", options.error.c_str(), usageText().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", kProgramName, DETKIT_VERSION);
        return 0;
    }
    if (!options.info.empty())
        return printSpectrumInfo(options.info);

    QApplication app(argc, argv);
    // Qt takes the C locale from the environment; numbers on screen, in the
    // analyser's commands and in typed fields always use '.', whatever it says.
    std::setlocale(LC_NUMERIC, "C");
    int code = 0;
    try {
        Program program(options);
        program.window().show();
        program.afterShow();
        code = app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, kProgramName, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, kProgramName, QString());
    }
    return code;
}
