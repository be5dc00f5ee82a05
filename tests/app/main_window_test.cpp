#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>

#include "app/dava.h"
#include "app/helpabout.h"
#include "app/paint_box_widget.h"
#include "app/shell.h"
#include "platform/clock.h"
#include "platform/convert.h"
#include "support/scripted_dialogs.h"

namespace detkit {
namespace {

class MainWindow : public ::testing::Test {
protected:
    MainWindow()
    {
        state.io.clock = &clock;
        state.io.dialogs = &dialogs;
        window.setErrorDisplay([this](const QString& m) { errors << m; });
    }

    template <class T = QWidget>
    T* child(const char* name)
    {
        T* w = window.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    ManualClock clock{{2015, 2, 9, 14, 5, 33, 0}};
    ScriptedDialogs dialogs;
    SharedState state;
    Form form;
    TForm1 window{state, form};
    QStringList errors;
};

TEST_F(MainWindow, StartsWithTheFormsCaptionsAndOnlyTheAcquisitionButtonsDisabled)
{
    EXPECT_EQ(window.windowTitle(), "pQZN KELDAN Controll Program");
    EXPECT_EQ(window.centralWidget()->size(), QSize(729, 402));

    struct Expect {
        const char* name;
        const char* text;
        bool enabled;
    };
    const Expect buttons[] = {
        {"McaOpen", "OpenMCA", true},     {"Button10", "SetUp", true},  {"McaStart", "Start", false},
        {"McaStop", "Stop", false},       {"McaClear", "Clear", false}, {"VireStart", "Start", false},
        {"VireStop", "Abort", false},     {"VireClear", "Clear", false}, {"Button7", "SetUp", true},
        {"LogDisp", "LOG", true},         {"AutoVfs", "Auto", true},    {"Expand", "<< >>", true},
        {"Compres", ">> <<", true},       {"SnapPeak", "Snap Peak", true}, {"SaveSpec", "SaveSpec", true},
        {"ReadSpec", "ReadSpec", true},   {"ExpertMode", "Re Calic", true}, {"BGfile", "BG File", true},
        {"BqCalic", "  Bq. Calic", true}, {"FWHM", "FWHM Calic.", true}, {"OverLapON", "SnapShot", true},
        {"PrintSpec", "H.Copy", true},    {"PlotLpt", "Plot", true},    {"McaMem", "MCA", true},
        {"Mem1Spec", "Mem1", true},       {"CheckBox1", "TestRun", true}, {"ROIOnCheck", "ON", true},
    };
    for (const Expect& e : buttons) {
        auto* b = child<QAbstractButton>(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), e.text) << e.name;
        EXPECT_EQ(b->isEnabled(), e.enabled) << e.name;
    }
    EXPECT_TRUE(child<QAbstractButton>("McaMem")->isChecked());
    EXPECT_EQ(child<QLineEdit>("Edit1")->text(), "Status");
    EXPECT_EQ(child<QLineEdit>("Edit2")->text(), "Dev#");
    EXPECT_EQ(child<QLabel>("Label1")->text(), "0000ch");
    EXPECT_EQ(child<QLabel>("Label2")->text(), "2047ch");
    EXPECT_EQ(child<QLabel>("Label7")->text(), "12345678");
    EXPECT_EQ(child<QWidget>("PaintBox1")->geometry(), QRect(5, 4, 528, 336));

    auto* axfm = child<QTabWidget>("AXFM");
    EXPECT_EQ(axfm->tabText(axfm->currentIndex()), "  MCA ");
    auto* pages = child<QTabWidget>("PageControl1");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), " Bq. Calic");

    auto* timer = window.timer1();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
}

TEST_F(MainWindow, MenuHasEveryItemEnabled)
{
    const char* items[][2] = {
        {"Read1", "&Read"},          {"AsciiWrite1", "&AsciiWrite"},   {"Write1", "&Write"},
        {"Exit1", "&Exit"},          {"ClockSYNC1", "&ClockSYNC"},     {"DefaultParam1", "&DefaultParam."},
        {"Option1", "&Option"},      {"OpenMca1", "&OpenMca"},         {"ScanMca1", "&ScanMca"},
        {"DataSmooth1", "Data Smooth"}, {"PeakFind1", "Peak Find"},    {"BGSubtruct1", "BGSubtruct"},
        {"DataComp1", "DataComp"},   {"BqCalic1", "Bq Calic"},         {"About1", "&About"},
    };
    for (const auto& item : items) {
        auto* a = child<QAction>(item[0]);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), item[1]);
        EXPECT_TRUE(a->isEnabled()) << item[0];
    }
    QStringList menus;
    for (QAction* a : window.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&System", "&Connect", "Calic", "&Help"}));
}

TEST_F(MainWindow, DoNothingItemsChangeNothing)
{
    const Form before = form;
    for (const char* name : {"DefaultParam1", "Option1", "OpenMca1", "ScanMca1"})
        child<QAction>(name)->trigger();
    EXPECT_EQ(form.Edit1.text, before.Edit1.text);
    EXPECT_EQ(dialogs.aboutShown, 0);
}

TEST_F(MainWindow, AboutGoesThroughTheDialogs)
{
    child<QAction>("About1")->trigger();
    EXPECT_EQ(dialogs.aboutShown, 1);
}

TEST_F(MainWindow, HandlerBoundaryShowsTheFormAfterAConversionError)
{
    // The part of the handler before the error stands; the window goes on.
    window.run([this] {
        form.Edit1.text = "before";
        StrToInt("x");
        form.Edit1.text = "after";
    });
    EXPECT_EQ(child<QLineEdit>("Edit1")->text(), "before");
    EXPECT_EQ(errors, QStringList{"'x' is not a valid integer value"});
}

TEST_F(MainWindow, TimerFollowsTheFormModel)
{
    window.run([this] {
        form.Timer1.enabled = true;
        form.Timer1.interval = 250;
    });
    EXPECT_TRUE(window.timer1()->isActive());
    EXPECT_EQ(window.timer1()->interval(), 250);
    window.run([this] { form.Timer1.enabled = false; });
    EXPECT_FALSE(window.timer1()->isActive());
}

TEST_F(MainWindow, ATickInsideADialogKeepsTheOuterHandlersChoices)
{
    // ReadSpec selects Mem1, then its file dialog runs ticks and paints.
    window.run([this] {
        form.McaMem.checked = false;
        form.Mem1Spec.checked = true;
        window.run([] {});  // a tick while the dialog is open
        EXPECT_TRUE(form.Mem1Spec.checked);
        EXPECT_FALSE(form.McaMem.checked);
    });
    EXPECT_TRUE(child<QAbstractButton>("Mem1Spec")->isChecked());
    EXPECT_FALSE(child<QAbstractButton>("McaMem")->isChecked());
}

TEST_F(MainWindow, OnlyWindowSystemPaintsRunTheRedraw)
{
    int redraws = 0;
    window.paintBox()->setPaintHandler([&redraws] { ++redraws; });
    window.paintBox()->grab();  // painted for the first time: the full redraw
    const int afterExpose = redraws;
    EXPECT_GE(afterExpose, 1);
    window.run([] {});  // a handler composed the surface: shown as it is
    window.paintBox()->grab();
    EXPECT_EQ(redraws, afterExpose);
}

TEST(Shell, Edit1ClickShowsDateAndTimeThatMove)
{
    ManualClock clock{{2015, 2, 9, 14, 5, 33, 0}};
    SharedState s;
    s.io.clock = &clock;
    Form f;
    Edit1Click(s, f);
    const std::string first = f.Edit1.text;
    EXPECT_NE(first.find("14"), std::string::npos);
    EXPECT_EQ(first.front() != ' ' && first.back() != ' ', true);
    clock.advance(1000);
    Edit1Click(s, f);
    EXPECT_NE(f.Edit1.text, first);
}

TEST(About, BoxAndPicture)
{
    TMcaAbout about;
    EXPECT_EQ(about.windowTitle(), "McaAbout");
    EXPECT_EQ(about.size(), QSize(270, 134));
    const QImage pic = TMcaAbout::picture();
    EXPECT_EQ(pic.size(), QSize(96, 76));
    // Some trace is drawn, not a blank picture.
    int lit = 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x)
            lit += pic.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_GT(lit, 90);
}

}  // namespace
}  // namespace detkit
