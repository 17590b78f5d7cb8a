// SPDX-License-Identifier: MIT
#pragma once

#include "Form.h"

#include <QIcon>
#include <QString>

class QLabel;
class TkavoBitBtn;
class TkavoLabel;

namespace toolkit {
class TPanel;
}

namespace versioninfo {
class TVersionInfo;
}

// The about box: the program's icon, name and version line, the links to the maker's web page
// and mailbox, and the OK button. A box serves one showing and is destroyed when it closes.
class TAboutBox : public toolkit::TForm
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // Components.
    toolkit::TPanel *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    TkavoLabel *kavoLabel1 = nullptr;
    TkavoLabel *kavoLabel2 = nullptr;
    TkavoBitBtn *kavoBitBtn1 = nullptr;

    // Puts the icon's picture into ProgramIcon, which takes the picture's size where it stands.
    // The picture is drawn for the box's device pixel ratio, so it stays sharp on a dense screen.
    void setProgramIcon(const QIcon &icon);

    // The links. Both wait until the program the desktop started for them has ended, and the
    // box keeps answering the user meanwhile.
    void kavoLabel1Click(QObject *Sender);
    void kavoLabel2Click(QObject *Sender);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Gives both links the blue that stays readable on the panel's face in the current palette.
    void fitLinkColor();
};

// The link blue when it keeps a contrast of at least 4.5:1 with background (relative luminance
// as in WCAG), else the least lightened or darkened blue that does.
QColor readableLinkColor(const QColor &background);

// Shows the about box for an executable, modally, and returns when it has been closed. An empty
// file name means the program's own executable. The version reader and the box are created for
// this showing only and destroyed, the box first, on every way out.
void ShowAboutBox(const QString &fileName);

// The version reader of the showing under way; null when no about box is shown.
const versioninfo::TVersionInfo *ShownVersionInfo();
