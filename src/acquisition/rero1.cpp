#include "acquisition/rero1.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/convert.h"
#include "state/shared_state.h"

namespace detkit {

namespace {

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string bytes(const QString& s)
{
    return s.toLatin1().toStdString();
}

QLabel* label(QWidget* parent, const char* text, int x, int y)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* e = new QLineEdit(QString::fromLatin1(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    return e;
}

} // namespace

TXMCA1SetUp::TXMCA1SetUp(McaSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("XMCA1SetUp"));
    setWindowTitle(QStringLiteral("RERO1 SetUp"));
    setFixedSize(396, 179);

    auto* frame = new QGroupBox(QStringLiteral("McaMemory"), this);
    frame->setObjectName(QStringLiteral("McaMemory"));
    frame->setGeometry(8, 4, 96, 168);
    McaMemory_ = new QButtonGroup(this);
    const struct {
        const char* name;
        const char* caption;
        int channels;
    } radios[] = {{"m256ch", "256  ch", 256},
                  {"m512ch", "512  ch", 512},
                  {"m1024ch", "1024 ch", 1024},
                  {"m2048ch", "2048 ch", 2048},
                  {"m4096ch", "4096 ch", 4096}};
    int y = 24;
    for (const auto& r : radios) {
        auto* b = new QRadioButton(QString::fromLatin1(r.caption), frame);
        b->setObjectName(QString::fromLatin1(r.name));
        b->setGeometry(10, y, 80, 24);
        McaMemory_->addButton(b, r.channels);
        y += 28;
    }

    QFont big = font();
    big.setPixelSize(15);
    label(this, "Preset Time", 112, 13);
    PresetRT_ = edit(this, "PresetRT", "1000.0", QRect(246, 8, 86, 26));
    PresetRT_->setFont(big);
    label(this, "sec", 338, 13);
    label(this, "Dead Time per Event", 112, 45);
    DeadTime_ = edit(this, "DeadTime", "1.2", QRect(246, 40, 86, 26));
    DeadTime_->setFont(big);
    label(this, "usec", 338, 45);

    label(this, "McaData ", 112, 72);
    label(this, "Comment", 112, 86);
    SpcLabel1_ = edit(this, "SpcLabel1", "", QRect(176, 76, 212, 22));
    label(this, "Sample", 112, 104);
    label(this, "ID. Code", 112, 118);
    SpcLabel2_ = edit(this, "SpcLabel2", "", QRect(176, 108, 212, 22));
    // The header keeps 31 characters of each; the field shows where that ends.
    SpcLabel1_->setMaxLength(static_cast<int>(McaSettings::kTextMax));
    SpcLabel2_->setMaxLength(static_cast<int>(McaSettings::kTextMax));

    label(this, "SPC_LLD", 112, 146);
    SPCLLD_ = edit(this, "SPCLLD", "100", QRect(176, 142, 56, 22));

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setGeometry(250, 140, 64, 28);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setGeometry(324, 140, 64, 28);
    connect(ok, &QPushButton::clicked, this, &TXMCA1SetUp::OkButtonClick);
    // Cancel, Escape and the close box all reject: the operator's edits are dropped.
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Loaded from a copy: the range fixes of loading reach the settings only with OK.
    McaSettings shown = settings_;
    const McaSetUpFields f = LoadMcaSetUp(shown);
    McaMemory_->button(f.channels)->setChecked(true);
    PresetRT_->setText(latin1(f.PresetRT));
    DeadTime_->setText(latin1(f.DeadTime));
    SPCLLD_->setText(latin1(f.SPCLLD));
    SpcLabel1_->setText(latin1(f.SpcLabel1));
    SpcLabel2_->setText(latin1(f.SpcLabel2));
    McaMemory_->button(2048)->setFocus();
}

McaSetUpFields TXMCA1SetUp::fields() const
{
    McaSetUpFields f;
    f.channels = McaMemory_->checkedId() > 0 ? McaMemory_->checkedId() : 0;
    f.PresetRT = bytes(PresetRT_->text());
    f.DeadTime = bytes(DeadTime_->text());
    f.SPCLLD = bytes(SPCLLD_->text());
    f.SpcLabel1 = bytes(SpcLabel1_->text());
    f.SpcLabel2 = bytes(SpcLabel2_->text());
    return f;
}

void TXMCA1SetUp::OkButtonClick()
{
    try {
        StoreMcaSetUp(fields(), settings_);
    } catch (const ConversionError& e) {
        // Nothing was stored; the operator corrects the field or cancels.
        QMessageBox::warning(this, windowTitle(), QString::fromLatin1(e.what()));
        return;
    }
    accept();
}

bool RunMcaSetUpDialog(McaSettings& settings, QWidget* parent)
{
    TXMCA1SetUp dialog(settings, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace detkit
