// SPDX-License-Identifier: MIT
#pragma once

#include "Form.h"
#include "Settings.h"

class QLabel;
class TkavoBitBtn;
class TkavoCheckBox;
class TkavoLabel;
class TkavoSpinEdit;

namespace toolkit {
class TBevel;
}

// The options dialog: the five game settings. It has no logic of its own; the main window's
// options command fills it from the game's settings, shows it and reads them back whole.
class TfNumbraxOptions : public toolkit::TForm
{
    Q_OBJECT

public:
    explicit TfNumbraxOptions(QWidget *parent = nullptr);

    void setSettings(const numbrax::Settings &settings);
    // The settings the controls show, always in range: a number still being typed when Enter
    // pressed OK has not been brought into range by leaving its field.
    numbrax::Settings settings() const;

    // Components, in declaration order.
    TkavoLabel *kavoLabel1 = nullptr;
    TkavoSpinEdit *edFldSize = nullptr;
    TkavoBitBtn *kavoBitBtn1 = nullptr;
    TkavoBitBtn *kavoBitBtn2 = nullptr;
    TkavoBitBtn *kavoBitBtn3 = nullptr;
    TkavoCheckBox *cbCompFirst = nullptr;
    TkavoLabel *kavoLabel2 = nullptr;
    TkavoSpinEdit *edMaxNum = nullptr;
    TkavoCheckBox *cbNegativNum = nullptr;
    TkavoCheckBox *cbGoByCols = nullptr;
    TkavoCheckBox *cbUseNullCells = nullptr;
    toolkit::TBevel *Bevel1 = nullptr;
    QLabel *Label1 = nullptr;
    toolkit::TBevel *Bevel2 = nullptr;
    QLabel *Label2 = nullptr;
};
