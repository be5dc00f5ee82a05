#include "app/qt_dialogs.h"

#include <QFileDialog>

#include "acquisition/rero1.h"
#include "app/helpabout.h"

namespace detkit {

QtDialogs::QtDialogs(QWidget* owner) : owner_(owner), about_(new TMcaAbout(owner)) {}

QtDialogs::~QtDialogs() = default;  // the About box belongs to its owner window

std::string QtDialogs::qtNameFilter(const std::string& filter)
{
    // caption|pattern pairs; Qt wants the caption with the pattern in brackets.
    std::string out;
    std::size_t pos = 0;
    while (pos < filter.size()) {
        const std::size_t bar = filter.find('|', pos);
        const std::string caption = filter.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        std::string pattern;
        std::size_t next = std::string::npos;
        if (bar != std::string::npos) {
            const std::size_t bar2 = filter.find('|', bar + 1);
            pattern = filter.substr(bar + 1, bar2 == std::string::npos ? std::string::npos : bar2 - bar - 1);
            next = bar2 == std::string::npos ? std::string::npos : bar2 + 1;
        }
        if (!out.empty())
            out += ";;";
        out += caption;
        if (!pattern.empty() && caption.find('(' + pattern + ')') == std::string::npos)
            out += " (" + pattern + ")";
        if (next == std::string::npos)
            break;
        pos = next;
    }
    return out;
}

namespace {

std::optional<std::string> runFileDialog(QWidget* owner, const FileDialogOptions& options, bool save)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(QtDialogs::qtNameFilter(options.filter)));
    dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::optional<std::string> QtDialogs::openFileName(const FileDialogOptions& options)
{
    return runFileDialog(owner_, options, false);
}

std::optional<std::string> QtDialogs::saveFileName(const FileDialogOptions& options)
{
    return runFileDialog(owner_, options, true);
}

void QtDialogs::showAbout() { about_->exec(); }

bool QtDialogs::runMcaSetUp(McaSettings& settings) { return RunMcaSetUpDialog(settings, owner_); }

}  // namespace detkit
