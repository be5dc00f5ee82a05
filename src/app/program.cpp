#include "app/program.h"

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "app/paint_box_widget.h"
#include "app/shell.h"
#include "display/plot.h"
#include "display/vertical_scale.h"

namespace detkit {

Program::Program(const Options& options) : options_(options), state_(std::make_unique<SharedState>())
{
    state_->io.clock = &clock_;
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
    w.onClick("LogDisp", [&s, &f] { LogDispClick(s, f); });
    w.onClick("AutoVfs", [&s, &f] { AutoVfsClick(s, f); });
    w.onClick("UpDown1Up", [&s, &f] { UpDown1Click(s, f, UpDownButton::btNext); });
    w.onClick("UpDown1Down", [&s, &f] { UpDown1Click(s, f, UpDownButton::btPrev); });
    // A paint request of the window system runs the full redraw.
    w.paintBox()->setPaintHandler([&w, &s, &f] { w.run([&s, &f] { PaintBox1Paint(s, f); }, TForm1::Refresh::labelsOnly); });
}

void Program::afterShow()
{
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
    std::fprintf(stderr, "detkit: cannot describe %s yet\n", path.c_str());
    return 1;
}

}  // namespace detkit
