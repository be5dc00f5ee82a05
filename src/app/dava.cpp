#include "app/dava.h"

#include <exception>

#include <QAbstractButton>
#include <QApplication>
#include <QLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "app/paint_box_widget.h"
#include "app/shell.h"
#include "platform/convert.h"

namespace detkit {

namespace {

// The 12-pixel proportional Gothic face of the forms, or the default font.
QFont windowFont()
{
    QFont f = QApplication::font();
    if (QFontDatabase::families().contains("IPAPGothic"))
        f = QFont("IPAPGothic");
    f.setPixelSize(12);
    return f;
}

template <class W>
W* make(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

template <class W>
W* make(QWidget* parent, const char* name, const QRect& geometry, const char* text)
{
    auto* w = make<W>(parent, name, geometry);
    w->setText(text);
    return w;
}

// Three tabs must fit the narrow column side by side, as on the forms.
void compactTabs(QTabWidget* tabs)
{
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
    tabs->setStyleSheet("QTabBar::tab { padding: 2px 4px; }");
}

QWidget* page(QTabWidget* tabs, const char* name, const char* caption)
{
    auto* p = new QWidget;
    p->setObjectName(name);
    tabs->addTab(p, caption);
    return p;
}

}  // namespace

TForm1::TForm1(SharedState& state, Form& form, QWidget* parent) : QMainWindow(parent), s_(state), f_(form)
{
    setObjectName("Form1");
    showError_ = [this](const QString& message) { QMessageBox::critical(this, kProgramName, message); };
    setWindowTitle(kMainCaption);
    setFont(windowFont());

    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    client_->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client_);
    buildControls(client_);
    buildMenu();

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(f_.Timer1.interval);
    connect(timer1_, &QTimer::timeout, this, [this] {
        if (tick_ && !closing_)
            run(tick_);
    });

    showForm(Refresh::labelsOnly);  // the first paint runs the full redraw
    // A fixed single border: the window cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TForm1::~TForm1() = default;

void TForm1::buildControls(QWidget* c)
{
    paintBox_ = new PaintBoxWidget(s_.surfaces.PaintBox, c);
    paintBox_->setObjectName("PaintBox1");
    paintBox_->setGeometry(5, 4, PlotSurfaces::kPaintBoxWidth, PlotSurfaces::kPaintBoxHeight);
    connect(paintBox_, &PaintBoxWidget::mouseDown, this,
            [this](int button, int x, int y) { emit paintBoxMouseDown(button, x, y); });

    // Labels under the plot.
    bind(make<QLabel>(c, "Label1", QRect(18, 346, 60, 14), "0000ch"), &Form::Label1);
    bind(make<QLabel>(c, "Label3", QRect(138, 346, 40, 14), "@1024"), &Form::Label3);
    make<QLabel>(c, "Label5", QRect(180, 346, 10, 14), "[");
    bind(make<QLabel>(c, "Label8", QRect(200, 346, 46, 14), "0.00"), &Form::Label8);
    bind(make<QLabel>(c, "Label9", QRect(248, 346, 30, 14), "keV"), &Form::Label9);
    make<QLabel>(c, "Label6", QRect(280, 346, 10, 14), "]");
    bind(make<QLabel>(c, "Label7", QRect(296, 346, 54, 14), "12345678"), &Form::Label7);
    make<QLabel>(c, "Label10", QRect(352, 346, 50, 14), "Counts");
    bind(make<QLabel>(c, "Label2", QRect(490, 346, 44, 14), "2047ch"), &Form::Label2);

    auto* scroll = make<QScrollBar>(c, "ScrollBar1", QRect(8, 360, 523, 16));
    scroll->setOrientation(Qt::Horizontal);
    scroll->setRange(0, 1);
    scroll->setPageStep(10);

    // Right column, top: acquisition pages.
    auto* axfm = make<QTabWidget>(c, "AXFM", QRect(540, 4, 184, 112));
    compactTabs(axfm);
    QWidget* vire = page(axfm, "VIRE", "VIRE Mode");
    bind(make<QLineEdit>(vire, "Edit4", QRect(6, 6, 80, 20), "ScanCount"), &Form::Edit4);
    make<QLabel>(vire, "Label4", QRect(92, 8, 40, 16), "scans");
    bind(make<QPushButton>(vire, "VireStart", QRect(4, 30, 54, 24), "Start"), &Form::VireStart);
    bind(make<QPushButton>(vire, "VireStop", QRect(62, 30, 54, 24), "Abort"), &Form::VireStop);
    bind(make<QPushButton>(vire, "VireClear", QRect(120, 30, 54, 24), "Clear"), &Form::VireClear);
    make<QPushButton>(vire, "Button7", QRect(4, 58, 54, 24), "SetUp");
    make<QCheckBox>(vire, "CheckBox1", QRect(66, 60, 100, 20), "TestRun");

    QWidget* dava = page(axfm, "DAVA", "  MCA ");
    make<QPushButton>(dava, "McaOpen", QRect(4, 4, 80, 24), "OpenMCA");
    bind(make<QLineEdit>(dava, "Edit2", QRect(92, 6, 80, 20), "Dev#"), &Form::Edit2);
    make<QPushButton>(dava, "Button10", QRect(4, 32, 80, 24), "SetUp");
    bind(make<QPushButton>(dava, "McaStart", QRect(4, 60, 54, 24), "Start"), &Form::McaStart);
    bind(make<QPushButton>(dava, "McaStop", QRect(62, 60, 54, 24), "Stop"), &Form::McaStop);
    bind(make<QPushButton>(dava, "McaClear", QRect(120, 60, 54, 24), "Clear"), &Form::McaClear);

    QWidget* roi = page(axfm, "ROISet", " ROI");
    auto* roiNo = make<QComboBox>(roi, "ROINoSelect", QRect(4, 4, 80, 20));
    for (int i = 0; i < 16; ++i)
        roiNo->addItem(i < 10 ? QString("ROI # %1").arg(i) : QString("ROI #%1").arg(i));
    roiNo->addItem("");
    roiNo->setMaxVisibleItems(16);
    roiNo->setCurrentIndex(-1);
    make<QLineEdit>(roi, "Element", QRect(90, 4, 84, 20), "Element");
    make<QCheckBox>(roi, "ROIOnCheck", QRect(4, 30, 44, 18), "ON");
    auto* roiColor = make<QComboBox>(roi, "ROIColor", QRect(52, 28, 122, 20));
    for (const char* name : {"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray",
                             "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite"})
        roiColor->addItem(name);
    roiColor->setCurrentText("clBlue");
    make<QCheckBox>(roi, "ROILowCh", QRect(4, 54, 50, 18), "L_Ch");
    make<QCheckBox>(roi, "ROIHighCh", QRect(90, 54, 50, 18), "H_Ch ");
    make<QLineEdit>(roi, "EditROILow", QRect(4, 74, 80, 20));
    make<QLineEdit>(roi, "EditROIHigh", QRect(90, 74, 84, 20));
    axfm->setCurrentWidget(dava);

    // Right column, middle: vertical scale and channel axis.
    auto* panel = make<QWidget>(c, "Panel1", QRect(540, 120, 184, 88));
    auto* vfs = make<QGroupBox>(panel, "GroupBox1", QRect(0, 0, 88, 88));
    vfs->setTitle("VFS");
    make<QPushButton>(vfs, "LogDisp", QRect(6, 18, 50, 24), "LOG");
    auto* upDown = make<QWidget>(vfs, "UpDown1", QRect(60, 18, 22, 64));
    make<QToolButton>(upDown, "UpDown1Up", QRect(0, 0, 22, 32))->setArrowType(Qt::UpArrow);
    make<QToolButton>(upDown, "UpDown1Down", QRect(0, 32, 22, 32))->setArrowType(Qt::DownArrow);
    make<QPushButton>(vfs, "AutoVfs", QRect(6, 54, 50, 24), "Auto");
    auto* xAxis = make<QGroupBox>(panel, "GroupBox2", QRect(92, 0, 92, 88));
    xAxis->setTitle("X-Axis");
    make<QPushButton>(xAxis, "Expand", QRect(6, 16, 80, 20), "<< >>");
    make<QPushButton>(xAxis, "Compres", QRect(6, 38, 80, 20), ">> <<");
    make<QPushButton>(xAxis, "SnapPeak", QRect(6, 60, 80, 20), "Snap Peak");

    // Right column, lower: calibration, print and activity pages.
    auto* pages = make<QTabWidget>(c, "PageControl1", QRect(540, 212, 184, 146));
    compactTabs(pages);
    page(pages, "TabSheet1", "Eng.Calib");
    QWidget* print = page(pages, "TabSheet2", " Print");
    auto* mem = make<QGroupBox>(print, "RadioGroup1", QRect(4, 2, 80, 112));
    mem->setTitle("Mem");
    bind(make<QRadioButton>(mem, "McaMem", QRect(8, 18, 66, 20), "MCA"), &Form::McaMem);
    bind(make<QRadioButton>(mem, "Mem1Spec", QRect(8, 40, 66, 20), "Mem1"), &Form::Mem1Spec);
    bind(make<QRadioButton>(mem, "Mem2Spec", QRect(8, 62, 66, 20), "Mem2"), &Form::Mem2Spec);
    bind(make<QRadioButton>(mem, "Mem3Spec", QRect(8, 84, 66, 20), "Mem3"), &Form::Mem3Spec);
    make<QPushButton>(print, "FWHM", QRect(90, 4, 84, 22), "FWHM Calic.");
    make<QLabel>(print, "FwhmVal", QRect(90, 28, 84, 16), "Ch [ keV ]");
    make<QPushButton>(print, "OverLapON", QRect(90, 46, 84, 22), "SnapShot");
    make<QPushButton>(print, "PrintSpec", QRect(90, 70, 84, 22), "H.Copy");
    make<QPushButton>(print, "PlotLpt", QRect(90, 94, 84, 22), "Plot");
    QWidget* bq = page(pages, "TabSheet3", " Bq. Calic");
    make<QPushButton>(bq, "SaveSpec", QRect(4, 4, 80, 24), "SaveSpec");
    make<QPushButton>(bq, "ReadSpec", QRect(90, 4, 84, 24), "ReadSpec");
    make<QPushButton>(bq, "ExpertMode", QRect(4, 34, 80, 24), "Re Calic");
    make<QPushButton>(bq, "BGfile", QRect(90, 34, 84, 24), "BG File");
    make<QPushButton>(bq, "BqCalic", QRect(4, 70, 170, 36), "  Bq. Calic");
    pages->setCurrentWidget(bq);

    auto* edit1 = make<QLineEdit>(c, "Edit1", QRect(540, 362, 184, 20), "Status");
    bind(edit1, &Form::Edit1);
    edit1->installEventFilter(this);

    auto* bar = make<QStatusBar>(c, "StatusBar1", QRect(0, kClientHeight - 19, kClientWidth, 19));
    bar->setSizeGripEnabled(false);
}

QAction* TForm1::menuItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

void TForm1::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    menuItem(file, "Read1", "&Read");
    menuItem(file, "AsciiWrite1", "&AsciiWrite");
    menuItem(file, "Write1", "&Write");
    file->addSeparator()->setObjectName("N1");
    connect(menuItem(file, "Exit1", "&Exit"), &QAction::triggered, this, [this] { Exit1Click(); });

    QMenu* system = bar->addMenu("&System");
    system->setObjectName("System1");
    menuItem(system, "ClockSYNC1", "&ClockSYNC");
    menuItem(system, "DefaultParam1", "&DefaultParam.");  // no action
    menuItem(system, "Option1", "&Option");              // no action

    QMenu* connectMenu = bar->addMenu("&Connect");
    connectMenu->setObjectName("Connect1");
    menuItem(connectMenu, "OpenMca1", "&OpenMca");  // no action
    menuItem(connectMenu, "ScanMca1", "&ScanMca");  // no action

    QMenu* calic = bar->addMenu("Calic");
    calic->setObjectName("Calic1");
    menuItem(calic, "DataSmooth1", "Data Smooth");
    menuItem(calic, "PeakFind1", "Peak Find");
    menuItem(calic, "BGSubtruct1", "BGSubtruct");
    menuItem(calic, "DataComp1", "DataComp");
    menuItem(calic, "BqCalic1", "Bq Calic");

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("Help1");
    connect(menuItem(help, "About1", "&About"), &QAction::triggered, this, [this] { run([this] { About1Click(s_); }); });
}

void TForm1::bind(QWidget* widget, Control Form::*control) { bindings_.push_back({widget, control}); }

void TForm1::readForm()
{
    // Only what the operator can change flows in: typed texts and selections.
    for (const Binding& b : bindings_) {
        Control& ctl = f_.*(b.control);
        if (auto* edit = qobject_cast<QLineEdit*>(b.widget))
            ctl.text = edit->text().toStdString();
        else if (auto* button = qobject_cast<QAbstractButton*>(b.widget); button && button->isCheckable())
            ctl.checked = button->isChecked();
    }
}

void TForm1::showForm(Refresh refresh)
{
    for (const Binding& b : bindings_) {
        const Control& ctl = f_.*(b.control);
        const QString text = QString::fromStdString(ctl.text);
        b.widget->setEnabled(ctl.enabled);
        if (auto* edit = qobject_cast<QLineEdit*>(b.widget)) {
            if (edit->text() != text)
                edit->setText(text);
        } else if (auto* label = qobject_cast<QLabel*>(b.widget)) {
            label->setText(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(b.widget)) {
            button->setText(text);
            if (button->isCheckable())
                button->setChecked(ctl.checked);
        }
    }
    if (timer1_ != nullptr && !closing_) {
        timer1_->setInterval(f_.Timer1.interval);
        if (f_.Timer1.enabled && !timer1_->isActive())
            timer1_->start();
        else if (!f_.Timer1.enabled && timer1_->isActive())
            timer1_->stop();
    }
    // Inside a paint the box is being drawn already; asking again would loop.
    if (paintBox_ != nullptr && refresh == Refresh::all)
        paintBox_->showComposed();
}

void TForm1::run(const std::function<void()>& handler, Refresh refresh)
{
    // A handler that opens a modal dialog keeps the loop running, so ticks and
    // paints run inside it. Their Form is the outer handler's, which the widgets
    // do not show yet: reading them back would undo what it has set.
    if (runDepth_ == 0)
        readForm();
    ++runDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{runDepth_};
    try {
        handler();
    } catch (const std::exception& e) {  // ConversionError among them
        showError_(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showError_(QString());
    }
    showForm(refresh);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->objectName() == "Edit1" && event->type() == QEvent::MouseButtonPress)
        run([this] { Edit1Click(s_, f_); });
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Exit1Click()
{
    // Stop ticking before anything goes away: no tick may draw after this.
    closing_ = true;
    timer1_->stop();
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    timer1_->stop();
    QMainWindow::closeEvent(event);
}

void TForm1::onClick(const char* name, std::function<void()> handler)
{
    auto call = [this, h = std::move(handler)] { run(h); };
    if (auto* button = findChild<QAbstractButton*>(name))
        connect(button, &QAbstractButton::clicked, this, call);
    else if (auto* action = findChild<QAction*>(name))
        connect(action, &QAction::triggered, this, call);
    else
        qFatal("no control named %s", name);
}

QImage TForm1::grabClient() { return grab().toImage(); }

}  // namespace detkit
