#pragma once
// The main window: a thin Qt view over SharedState and the Form model. A
// widget signal copies the inputs into Form, runs the plain handler, then
// shows Form again; the plot is whatever the display code composed into the
// paint-box surface.

#include <functional>
#include <vector>

#include <QMainWindow>

#include "state/form.h"
#include "state/shared_state.h"

class QTimer;

namespace detkit {

class PaintBoxWidget;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 729;
    static constexpr int kClientHeight = 402;

    TForm1(SharedState& state, Form& form, QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs one handler at the handler boundary: inputs in, handler, outputs
    // shown. A conversion error is shown in a message box and the rest of the
    // handler is skipped, as for every other exception.
    enum class Refresh { all, labelsOnly };
    void run(const std::function<void()>& handler, Refresh refresh = Refresh::all);

    // The client area (plot, controls, status bar) as shown, for --screenshot.
    QImage grabClient();

    // How an exception at the handler boundary is shown; a message box by default.
    void setErrorDisplay(std::function<void(const QString&)> show) { showError_ = std::move(show); }

    QTimer* timer1() const { return timer1_; }
    PaintBoxWidget* paintBox() const { return paintBox_; }
    // Connects a button or menu item (by its form name) to a handler.
    void onClick(const char* name, std::function<void()> handler);
    // What a tick of Timer1 runs; set by the program once acquisition is wired.
    void setTimer1Handler(std::function<void()> tick) { tick_ = std::move(tick); }

signals:
    void paintBoxMouseDown(int button, int x, int y);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QWidget* widget;
        Control Form::*control;
    };

    void buildControls(QWidget* client);
    void buildMenu();
    QAction* menuItem(QMenu* menu, const char* name, const char* caption);
    void bind(QWidget* widget, Control Form::*control);
    void readForm();
    void showForm(Refresh refresh = Refresh::all);
    void Exit1Click();

    SharedState& s_;
    Form& f_;
    QWidget* client_ = nullptr;
    PaintBoxWidget* paintBox_ = nullptr;
    QTimer* timer1_ = nullptr;
    std::function<void()> tick_;
    std::function<void(const QString&)> showError_;
    std::vector<Binding> bindings_;
    bool closing_ = false;
    int runDepth_ = 0;
};

}  // namespace detkit
