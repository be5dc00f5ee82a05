#pragma once
// The running program: shared state, form model, clock, analyser driver,
// dialogs and the main window, wired together in one place.

#include <memory>

#include "app/dava.h"
#include "app/options.h"
#include "app/qt_dialogs.h"
#include "platform/clock.h"
#include "state/form.h"
#include "device/usb_serial_driver.h"
#include "state/shared_state.h"

namespace detkit {

class Program {
public:
    explicit Program(const Options& options);
    ~Program();

    TForm1& window() { return *window_; }
    // Runs what the options ask for once the window is on screen.
    void afterShow();

private:
    void wireHandlers();

    Options options_;
    SystemClock clock_;
    std::unique_ptr<UsbSerialDriver> driver_;
    std::unique_ptr<SharedState> state_;
    Form form_;
    std::unique_ptr<TForm1> window_;
    std::unique_ptr<QtDialogs> dialogs_;
};

// `detkit --info FILE.dat`: prints the file's header and total count, or one
// line saying why it is refused; returns the process exit code.
int printSpectrumInfo(const std::string& path);

}  // namespace detkit
