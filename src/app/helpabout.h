#pragma once
// The About box: a small spectrum picture, the program name and version.

#include <QDialog>
#include <QImage>

namespace detkit {

class TMcaAbout : public QDialog {
    Q_OBJECT
public:
    explicit TMcaAbout(QWidget* parent = nullptr);

    // The 96 x 76 picture: a gamma spectrum with a photopeak, drawn here.
    static QImage picture();
};

}  // namespace detkit
