// SPDX-License-Identifier: MIT
#pragma once

#include "kavocontrols_export.h"

#include "Alignment.h"
#include "KvCaption.h"

#include <QImage>
#include <QKeyCombination>
#include <QWidget>

enum TkavoCheckBoxType : quint8 { btCheckBox, btRadioButton };
// Vertical placement of the box (and of a single-line caption).
enum TkavoCheckAlign : quint8 { baTop, baCenter, baBottom };
enum TCheckBoxState : quint8 { cbUnchecked, cbChecked, cbGrayed };

// The glyph strips shared by every check box of the process, loaded on first use: six cells
// side by side, hot unchecked, hot checked, normal unchecked, normal checked, disabled
// unchecked, disabled checked. Check cells are 11 x 11, radio cells 12 x 12.
KAVOCONTROLS_EXPORT const QImage &CheckGlyphs();
KAVOCONTROLS_EXPORT const QImage &RadioGlyphs();

// A self-painted check box in the library's flat style; with btRadioButton it looks and acts
// as a radio button among its parent's radio-style check boxes. It keeps one level of undo.
class KAVOCONTROLS_EXPORT TkavoCustomCheckBox : public TkavoCaptionControl
{
    Q_OBJECT
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)

public:
    explicit TkavoCustomCheckBox(QWidget *parent = nullptr);
    ~TkavoCustomCheckBox() override;

    TkavoCheckBoxType Style() const { return FStyle; }
    void setStyle(TkavoCheckBoxType style);
    bool Checked() const { return FChecked; }
    // Checking a radio-style box first unchecks its parent's other radio-style check boxes,
    // each with its own OnChange; then this box's OnChange fires.
    void setChecked(bool checked);
    bool WordWrap() const { return FWordWrap; }
    void setWordWrap(bool wordWrap);
    TkavoCheckAlign VertAlign() const { return FVertAlign; }
    void setVertAlign(TkavoCheckAlign align);
    toolkit::TAlignment Alignment() const { return FAlignment; }
    void setAlignment(toolkit::TAlignment alignment);
    // Unchecked; checked and enabled; checked and disabled.
    TCheckBoxState State() const;
    void setState(TCheckBoxState state);
    bool PrevChecked() const { return FPrevChecked; }
    // The key that toggles, with its modifiers: Space alone unless changed.
    QKeyCombination ToggleKey() const { return FToggleKey; }
    void setToggleKey(QKeyCombination key) { FToggleKey = key; }
    bool TabStop() const { return FTabStop; }
    void setTabStop(bool tabStop);

    // Fires OnChange.
    virtual void NotifyChange();
    // Swaps Checked with the state kept by the previous undo (unchecked at first), through the
    // Checked setter, then fires OnUndo.
    virtual void Undo();
    // Checked becomes its opposite, also for a radio-style box.
    void Toggle();

    toolkit::TNotifyEvent OnChange;
    toolkit::TNotifyEvent OnUndo;
    toolkit::TNotifyEvent OnEnter;
    toolkit::TNotifyEvent OnExit;
    toolkit::TKeyEvent OnKeyDown;
    toolkit::TMouseEvent OnMouseDown;

    // Wide enough for the glyph and the caption on one line.
    QSize sizeHint() const override;

    Q_INVOKABLE bool isTabStopStored() const { return !FTabStop; }

protected:
    void captionChanged() override;
    bool acceleratorPressed() override;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void drawDisabledCaption(QPainter &painter, const QRect &rect) const;

    bool FPrevChecked = false;
    TkavoCheckBoxType FStyle = btCheckBox;
    bool FChecked = false;
    bool FWordWrap = false;
    TkavoCheckAlign FVertAlign = baCenter;
    QKeyCombination FToggleKey{Qt::Key_Space};
    toolkit::TAlignment FAlignment = toolkit::taLeftJustify;
    bool FTabStop = true;
};

// The check box with its properties published.
class KAVOCONTROLS_EXPORT TkavoCheckBox : public TkavoCustomCheckBox
{
    Q_OBJECT
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(TkavoCheckAlign VertAlign READ VertAlign WRITE setVertAlign)
    Q_PROPERTY(toolkit::TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
    Q_PROPERTY(toolkit::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(toolkit::TColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(TCheckBoxState State READ State WRITE setState)
    Q_PROPERTY(TkavoCheckBoxType Style READ Style WRITE setStyle)

public:
    explicit TkavoCheckBox(QWidget *parent = nullptr);

    Q_INVOKABLE bool isWordWrapStored() const { return WordWrap(); }
    Q_INVOKABLE bool isVertAlignStored() const { return VertAlign() != baCenter; }
    Q_INVOKABLE bool isAlignmentStored() const { return Alignment() != toolkit::taLeftJustify; }
    Q_INVOKABLE bool isColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isParentColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isFontColorStored() const { return FontColor() != toolkit::clWindowText; }
    Q_INVOKABLE bool isEnabledStored() const { return !isEnabled(); }
    Q_INVOKABLE bool isStateStored() const { return State() != cbUnchecked; }
    Q_INVOKABLE bool isStyleStored() const { return Style() != btCheckBox; }
};
