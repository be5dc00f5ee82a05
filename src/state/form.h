#pragma once
// The controls of the main window that handlers read or write, as plain data.
// The Qt window copies widget inputs in before a handler and shows the model
// after it, so handlers run the same in tests with no widget at all.

#include <string>

namespace detkit {

struct Control {
    std::string text;
    bool enabled = true;
    bool checked = false;  // check boxes and radio buttons
};

struct TimerModel {
    bool enabled = false;
    int interval = 100;  // ms
};

struct Form {
    // Status field and outputs.
    Control Edit1{"Status"};
    Control Edit2{"Dev#"};
    Control Edit4{"ScanCount"};

    // Labels under the plot.
    Control Label1{"0000ch"};
    Control Label2{"2047ch"};
    Control Label3{"@1024"};
    Control Label7{"12345678"};
    Control Label8{"0.00"};
    Control Label9{"keV"};

    // Acquisition buttons: enabled only by a successful open.
    Control McaStart{"Start", false};
    Control McaStop{"Stop", false};
    Control McaClear{"Clear", false};
    Control VireStart{"Start", false};
    Control VireStop{"Abort", false};
    Control VireClear{"Clear", false};

    // View selection on the " Print" page.
    Control McaMem{"MCA", true, true};
    Control Mem1Spec{"Mem1"};
    Control Mem2Spec{"Mem2"};
    Control Mem3Spec{"Mem3"};

    TimerModel Timer1;
};

}  // namespace detkit
