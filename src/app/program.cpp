#include "app/program.h"

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "app/paint_box_widget.h"
#include "app/shell.h"
#include "acquisition/acquisition_control.h"
#include "acquisition/mca_setup_click.h"
#include "device/clock_sync.h"
#include "device/ftdi/ftdi_driver.h"
#include "device/link.h"
#include "device/sim/simulated_analyser.h"
#include "display/plot.h"
#include "display/vertical_scale.h"
#include "spectra/file_handlers.h"
#include "spectra/memory_view.h"
#include "spectra/spectrum_file.h"
#include "spectra/spectrum_info.h"

namespace detkit {

Program::Program(const Options& options) : options_(options), state_(std::make_unique<SharedState>())
{
    state_->io.clock = &clock_;
    // Nothing above the device layer knows which of the two it talks to.
    if (options.simulate)
        driver_ = std::make_unique<SimulatedAnalyser>(clock_);
    else
        driver_ = makeFtdiDriver();
    state_->io.driver = driver_.get();
    window_ = std::make_unique<TForm1>(*state_, form_);
    dialogs_ = std::make_unique<QtDialogs>(window_.get());
    state_->io.dialogs = dialogs_.get();
    wireHandlers();
    // The program starts on the logarithmic scale with the ramp on display.
    BuildLogBackground(*state_);
}

Program::~Program() = default;

void Program::wireHandlers()
{
    SharedState& s = *state_;
    Form& f = form_;
    TForm1& w = *window_;
    w.onClick("McaOpen", [&s, &f] { McaOpenClick(s, f); });
    w.onClick("Button10", [&s, &f] { Button10Click(s, f); });
    w.onClick("McaStart", [&s, &f] { McaStartClick(s, f); });
    w.onClick("McaStop", [&s, &f] { McaStopClick(s, f); });
    w.onClick("McaClear", [&s, &f] { McaClearClick(s, f); });
    w.setTimer1Handler([&s, &f] { Timer1Timer(s, f); });
    w.onClick("ClockSYNC1", [&s, &f] { ClockSYNC1Click(s, f); });
    w.onClick("LogDisp", [&s, &f] { LogDispClick(s, f); });
    w.onClick("AutoVfs", [&s, &f] { AutoVfsClick(s, f); });
    w.onClick("UpDown1Up", [&s, &f] { UpDown1Click(s, f, UpDownButton::btNext); });
    w.onClick("UpDown1Down", [&s, &f] { UpDown1Click(s, f, UpDownButton::btPrev); });
    w.onClick("Read1", [&s, &f] { Read1Click(s, f); });
    w.onClick("Write1", [&s, &f] { Write1Click(s, f); });
    w.onClick("SaveSpec", [&s, &f] { SaveSpecClick(s, f); });
    w.onClick("ReadSpec", [&s, &f] { ReadSpecClick(s, f); });
    w.onClick("Mem1Spec", [&s, &f] { Mem1SpecClick(s, f); });
    w.onClick("Mem2Spec", [&s, &f] { Mem2SpecClick(s, f); });
    w.onClick("Mem3Spec", [&s, &f] { Mem3SpecClick(s, f); });
    // A paint request of the window system runs the full redraw.
    w.paintBox()->setPaintHandler([&w, &s, &f] { w.run([&s, &f] { PaintBox1Paint(s, f); }, TForm1::Refresh::labelsOnly); });
}

void Program::afterShow()
{
    if (options_.autostart) {
        // As an operator would: OpenMCA, then Start.
        window_->run([this] {
            McaOpenClick(*state_, form_);
            McaStartClick(*state_, form_);
        });
    }
    if (!options_.screenshot.empty()) {
        QTimer::singleShot(options_.afterMs, window_.get(), [this] {
            const bool saved = window_->grabClient().save(QString::fromStdString(options_.screenshot));
            if (!saved)
                std::fprintf(stderr, "detkit: cannot write %s\n", options_.screenshot.c_str());
            QApplication::exit(saved ? 0 : 1);
        });
    }
}

int printSpectrumInfo(const std::string& path)
{
    // The same reader as the window's, so --info accepts exactly what a read accepts.
    const ReadResult r = readSpectrumFile(path);
    const std::string text = describeSpectrumFile(r);
    std::fputs(text.c_str(), r.ok ? stdout : stderr);
    if (!text.empty() && text.back() != '\n')
        std::fputc('\n', r.ok ? stdout : stderr);
    return r.ok ? 0 : 1;
}

}  // namespace detkit
