#pragma once
// TXMCA1SetUp, the MCA set-up dialog: channel count, preset time, dead time
// per event, lower-level discriminator and the two comment texts.

#include <QDialog>

#include "acquisition/mca_setup_fields.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace detkit {

struct McaSettings;

class TXMCA1SetUp : public QDialog {
    Q_OBJECT
  public:
    // Loads the fields from `settings` (putting it in range first); only an
    // OK whose fields all convert writes back into it.
    explicit TXMCA1SetUp(McaSettings& settings, QWidget* parent = nullptr);

    McaSetUpFields fields() const;

  private:
    void OkButtonClick();

    McaSettings& settings_;
    QButtonGroup* McaMemory_ = nullptr;
    QLineEdit* PresetRT_ = nullptr;
    QLineEdit* DeadTime_ = nullptr;
    QLineEdit* SpcLabel1_ = nullptr;
    QLineEdit* SpcLabel2_ = nullptr;
    QLineEdit* SPCLLD_ = nullptr;
};

// Shows the dialog modally; true when it closed with OK (and so stored).
bool RunMcaSetUpDialog(McaSettings& settings, QWidget* parent);

} // namespace detkit
