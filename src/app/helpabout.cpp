#include "app/helpabout.h"

#include <cmath>

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include "app/shell.h"

namespace detkit {

QImage TMcaAbout::picture()
{
    QImage img(96, 76, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setPen(QColor(128, 0, 0));
    for (int y = 15; y < 76; y += 15)
        p.drawLine(0, y, 95, y);
    // Falling continuum, a Compton edge and one photopeak, like a Cs-137 spectrum.
    QPainterPath path;
    for (int x = 0; x < 96; ++x) {
        const double e = x / 95.0;
        double h = 40.0 * std::exp(-4.0 * e) + (e < 0.55 ? 14.0 : 3.0) + 38.0 * std::exp(-std::pow((e - 0.7) / 0.035, 2));
        const double y = 73.0 - std::min(h, 70.0);
        if (x == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    p.setPen(QColor(0, 255, 0));
    p.drawPath(path);
    p.setPen(Qt::red);
    p.drawLine(67, 10, 67, 20);
    return img;
}

TMcaAbout::TMcaAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName("McaAbout");
    setWindowTitle("McaAbout");
    setFixedSize(270, 134);

    auto* pic = new QLabel(this);
    pic->setObjectName("ProgramIcon");
    pic->setPixmap(QPixmap::fromImage(picture()));
    pic->setGeometry(12, 12, 96, 76);

    auto* name = new QLabel(QString("%1 %2").arg(kProgramName, DETKIT_VERSION), this);
    name->setObjectName("ProductName");
    name->setGeometry(120, 16, 140, 20);
    auto* what = new QLabel("Gamma-ray spectrometry with a USB multichannel analyser", this);
    what->setObjectName("Comments");
    what->setWordWrap(true);
    what->setGeometry(120, 38, 142, 58);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setGeometry(98, 100, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace detkit
