// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The flat check box TkavoCheckBox, which is also the library's radio button.

#include "kavocontrols_export.h"

#include "Alignment.h"
#include "KvCaption.h"

#include <QImage>
#include <QKeyCombination>
#include <QWidget>

/// The check box's enumerations, in a namespace whose meta-object gives form builders their
/// names; the names are used unqualified everywhere else.
namespace KvChkBox {
Q_NAMESPACE_EXPORT(KAVOCONTROLS_EXPORT)
enum TkavoCheckBoxType : quint8 { btCheckBox, btRadioButton };
Q_ENUM_NS(TkavoCheckBoxType)
/// Vertical placement of the box (and of a single-line caption).
enum TkavoCheckAlign : quint8 { baTop, baCenter, baBottom };
Q_ENUM_NS(TkavoCheckAlign)
enum TCheckBoxState : quint8 { cbUnchecked, cbChecked, cbGrayed };
Q_ENUM_NS(TCheckBoxState)
} // namespace KvChkBox
// A directive, not `using enum`: clang before 15 takes a class's own `using enum` of the same
// enumeration, which forms compiled by uic need, for a redeclaration of this one.
using namespace KvChkBox;

/// The glyph strip shared by every check box of the process, loaded on first use: six cells
/// side by side, hot unchecked, hot checked, normal unchecked, normal checked, disabled
/// unchecked, disabled checked, each 11 x 11.
KAVOCONTROLS_EXPORT const QImage &CheckGlyphs();
/// The same for radio-style check boxes, in cells of 12 x 12.
KAVOCONTROLS_EXPORT const QImage &RadioGlyphs();

/// The behaviour of the library's flat check box, with one property published for form
/// builders (TabStop).
///
/// A self-painted check box; with btRadioButton it looks and acts as a radio button among its
/// parent's radio-style check boxes. It keeps one level of undo (Ctrl+Z or Alt+Backspace).
/// Forms use TkavoCheckBox; derive from this class for a check box that publishes properties
/// of its own choosing.
///
/// @code
/// class TOptionBox : public TkavoCustomCheckBox { using TkavoCustomCheckBox::TkavoCustomCheckBox; };
/// TOptionBox box(dialog); box.setCaption("&Negative numbers");
/// @endcode
///
/// @qtdiff
/// QCheckBox and QRadioButton are two classes; here the behaviour and its published
/// properties are split, so that a derived box does not publish what it does not want set
/// from a form.
class KAVOCONTROLS_EXPORT TkavoCustomCheckBox : public TkavoCaptionControl
{
    Q_OBJECT
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop RESET resetTabStop)

public:
    explicit TkavoCustomCheckBox(QWidget *parent = nullptr);
    ~TkavoCustomCheckBox() override;

    TkavoCheckBoxType Style() const { return FStyle; }
    void setStyle(TkavoCheckBoxType style);
    bool Checked() const { return FChecked; }
    /// Checking a radio-style box first unchecks its parent's other radio-style check boxes,
    /// each with its own OnChange; then this box's OnChange fires.
    void setChecked(bool checked);
    bool WordWrap() const { return FWordWrap; }
    void setWordWrap(bool wordWrap);
    TkavoCheckAlign VertAlign() const { return FVertAlign; }
    void setVertAlign(TkavoCheckAlign align);
    toolkit::TAlignment Alignment() const { return FAlignment; }
    void setAlignment(toolkit::TAlignment alignment);
    /// Unchecked; checked and enabled; checked and disabled.
    TCheckBoxState State() const;
    void setState(TCheckBoxState state);
    bool PrevChecked() const { return FPrevChecked; }
    /// The key that toggles, with its modifiers: Space alone unless changed.
    QKeyCombination ToggleKey() const { return FToggleKey; }
    void setToggleKey(QKeyCombination key) { FToggleKey = key; }
    bool TabStop() const { return FTabStop; }
    void setTabStop(bool tabStop);

    /// Fires OnChange.
    virtual void NotifyChange();
    /// Swaps Checked with the state kept by the previous undo (unchecked at first), through the
    /// Checked setter, then fires OnUndo.
    virtual void Undo();
    /// Checked becomes its opposite, also for a radio-style box.
    void Toggle();

    toolkit::TNotifyEvent OnChange;
    toolkit::TNotifyEvent OnUndo;
    toolkit::TNotifyEvent OnEnter;
    toolkit::TNotifyEvent OnExit;
    toolkit::TKeyEvent OnKeyDown;
    toolkit::TMouseEvent OnMouseDown;

    /// Wide enough for the glyph and the caption on one line.
    QSize sizeHint() const override;

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isTabStopStored() const { return !FTabStop; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetTabStop() { setTabStop(true); }
    ///@}

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

/// The library's flat check box, with its properties published for Qt Designer, uic and
/// QUiLoader; with Style btRadioButton it is a radio button.
///
/// The box is drawn from small pictures (CheckGlyphs(), RadioGlyphs()) beside a caption that
/// may wrap; it toggles on the press of the left button or of its ToggleKey (Space), and on its
/// accelerator. A radio-style box unchecks its parent's other radio-style boxes when checked.
/// Caption and Checked have no stream default and are always written to a stored form.
///
/// @code
/// auto *negative = new TkavoCheckBox(dialog);
/// negative->setCaption("&Negative numbers"); negative->OnChange = [](QObject *) { /* ... */ };
/// @endcode
///
/// @qtdiff
/// One class stands for QCheckBox and QRadioButton (Style). It toggles when pressed, not when
/// released, and a held key toggles again with every repeat. A radio-style box can be
/// unchecked again by the user, which QRadioButton refuses. State cbGrayed means checked and
/// disabled, not Qt::PartiallyChecked: there is no third state. Undo() brings back the state
/// before the last change, and changes are reported through OnChange, not toggled().
class KAVOCONTROLS_EXPORT TkavoCheckBox : public TkavoCustomCheckBox
{
    Q_OBJECT
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap RESET resetWordWrap)
    Q_PROPERTY(KvChkBox::TkavoCheckAlign VertAlign READ VertAlign WRITE setVertAlign RESET resetVertAlign)
    Q_PROPERTY(toolkit::TAlignment Alignment READ Alignment WRITE setAlignment RESET resetAlignment)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
    Q_PROPERTY(toolkit::TColor Color READ Color WRITE setColor RESET resetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor RESET resetParentColor)
    Q_PROPERTY(toolkit::TColor FontColor READ FontColor WRITE setFontColor RESET resetFontColor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled RESET resetEnabled)
    Q_PROPERTY(KvChkBox::TCheckBoxState State READ State WRITE setState RESET resetState)
    Q_PROPERTY(KvChkBox::TkavoCheckBoxType Style READ Style WRITE setStyle RESET resetStyle)

public:
    /// A form compiled by uic names the values through the class, as TkavoCheckBox::baTop.
    using enum KvChkBox::TkavoCheckBoxType;
    using enum KvChkBox::TkavoCheckAlign;
    using enum KvChkBox::TCheckBoxState;
    using enum toolkit::TAlignment;

    explicit TkavoCheckBox(QWidget *parent = nullptr);

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isWordWrapStored() const { return WordWrap(); }
    Q_INVOKABLE bool isVertAlignStored() const { return VertAlign() != baCenter; }
    Q_INVOKABLE bool isAlignmentStored() const { return Alignment() != toolkit::taLeftJustify; }
    Q_INVOKABLE bool isColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isParentColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isFontColorStored() const { return FontColor() != toolkit::clWindowText; }
    Q_INVOKABLE bool isEnabledStored() const { return !isEnabled(); }
    Q_INVOKABLE bool isStateStored() const { return State() != cbUnchecked; }
    Q_INVOKABLE bool isStyleStored() const { return Style() != btCheckBox; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetWordWrap() { setWordWrap(false); }
    void resetVertAlign() { setVertAlign(baCenter); }
    void resetAlignment() { setAlignment(toolkit::taLeftJustify); }
    /// The background follows the parent's colour again.
    void resetColor() { setParentColor(true); }
    void resetParentColor() { setParentColor(true); }
    void resetFontColor() { setFontColor(toolkit::clWindowText); }
    void resetEnabled() { setEnabled(true); }
    /// Enabled and unchecked.
    void resetState() { setState(cbUnchecked); }
    void resetStyle() { setStyle(btCheckBox); }
    ///@}
};
