#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "acquisition/rero1.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

template <typename W> W* child(QWidget& parent, const char* name)
{
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Closes every message box that opens while `action` runs and returns their texts.
template <typename Action> QStringList messageBoxesDuring(Action action)
{
    QStringList texts;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->done(QMessageBox::Ok);
        }
    });
    closer.start(0);
    action();
    QApplication::processEvents();
    closer.stop();
    return texts;
}

TEST(Rero1, RealDialogStoresOnlyOnAValidOk)
{
    McaSettings settings;
    const McaSettings start = settings;
    {
        TXMCA1SetUp dlg(settings);
        EXPECT_EQ(dlg.windowTitle(), "RERO1 SetUp");
        EXPECT_EQ(dlg.size(), QSize(396, 179));
        EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
        EXPECT_EQ(child<QGroupBox>(dlg, "McaMemory")->title(), "McaMemory");
        const std::pair<const char*, const char*> radios[] = {{"m256ch", "256  ch"},
                                                              {"m512ch", "512  ch"},
                                                              {"m1024ch", "1024 ch"},
                                                              {"m2048ch", "2048 ch"},
                                                              {"m4096ch", "4096 ch"}};
        for (const auto& [name, caption] : radios)
            EXPECT_EQ(child<QRadioButton>(dlg, name)->text(), caption);
        EXPECT_TRUE(child<QRadioButton>(dlg, "m2048ch")->isChecked());
        EXPECT_EQ(child<QLineEdit>(dlg, "PresetRT")->text(), "   3600.0");
        EXPECT_EQ(child<QLineEdit>(dlg, "DeadTime")->text(), "      1.8");
        EXPECT_EQ(child<QLineEdit>(dlg, "SPCLLD")->text(), "0");
        EXPECT_EQ(child<QLineEdit>(dlg, "SpcLabel1")->text(), "");
        EXPECT_EQ(child<QLineEdit>(dlg, "SpcLabel2")->text(), "");
        EXPECT_EQ(child<QLineEdit>(dlg, "PresetRT")->font().pixelSize(), 15);
        EXPECT_EQ(child<QLineEdit>(dlg, "DeadTime")->font().pixelSize(), 15);
        EXPECT_EQ(child<QPushButton>(dlg, "OkButton")->text(), "Ok");
        EXPECT_EQ(child<QPushButton>(dlg, "CancelButton")->text(), "Cancel");
        QStringList labels;
        for (const QLabel* l : dlg.findChildren<QLabel*>())
            labels << l->text();
        for (const char* text : {"Preset Time", "sec", "Dead Time per Event", "usec", "McaData ", "Comment", "Sample",
                                 "ID. Code", "SPC_LLD"})
            EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
        // Every control inside the client area, none on top of another.
        const QList<QWidget*> controls = dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* w : controls) {
            EXPECT_TRUE(QRect(QPoint(0, 0), dlg.size()).contains(w->geometry())) << w->objectName().toStdString();
            for (const QWidget* other : controls)
                EXPECT_TRUE(w == other || !w->geometry().intersects(other->geometry()))
                    << w->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
        }
        dlg.show();
        EXPECT_EQ(dlg.focusWidget(), child<QRadioButton>(dlg, "m2048ch"));

        child<QLineEdit>(dlg, "DeadTime")->setText("2.5");
        child<QRadioButton>(dlg, "m512ch")->setChecked(true);
        child<QPushButton>(dlg, "CancelButton")->click();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(settings.deadTimePerEvent, start.deadTimePerEvent);
        EXPECT_EQ(settings.channels, start.channels);
    }
    {
        TXMCA1SetUp dlg(settings);
        dlg.show();
        child<QLineEdit>(dlg, "DeadTime")->setText("2.5");
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &escape);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(settings.deadTimePerEvent, start.deadTimePerEvent);
    }
    {
        TXMCA1SetUp dlg(settings);
        dlg.show();
        child<QLineEdit>(dlg, "PresetRT")->setText("abc");
        child<QLineEdit>(dlg, "DeadTime")->setText("2.5");
        const QStringList shown = messageBoxesDuring([&] { child<QPushButton>(dlg, "OkButton")->click(); });
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].startsWith("Preset Time")) << shown[0].toStdString();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(settings.deadTimePerEvent, start.deadTimePerEvent);

        child<QLineEdit>(dlg, "PresetRT")->setText("600");
        child<QRadioButton>(dlg, "m512ch")->setChecked(true);
        child<QLineEdit>(dlg, "SpcLabel1")->setText("wheat, field 4");
        child<QPushButton>(dlg, "OkButton")->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(settings.presetTime, 6000);
        EXPECT_EQ(settings.deadTimePerEvent, 2.5f);
        EXPECT_EQ(settings.channels, 512);
        EXPECT_EQ(settings.comment, "wheat, field 4");
    }
}

} // namespace
} // namespace detkit
