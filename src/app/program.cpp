#include "app/program.h"

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "app/shell.h"

namespace detkit {

Program::Program(const Options& options) : options_(options), state_(std::make_unique<SharedState>())
{
    state_->io.clock = &clock_;
    window_ = std::make_unique<TForm1>(*state_, form_);
    dialogs_ = std::make_unique<QtDialogs>(window_.get());
    state_->io.dialogs = dialogs_.get();
    wireHandlers();
}

Program::~Program() = default;

void Program::wireHandlers() {}

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
