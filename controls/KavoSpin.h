// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The spin edit TkavoSpinEdit with its arrow pair, and its reading and writing of numbers.

#include "kavocontrols_export.h"

#include "Alignment.h"
#include "Component.h"

#include <QBasicTimer>
#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <optional>

class TkavoSpinEdit;

namespace KavoSpin {
Q_NAMESPACE_EXPORT(KAVOCONTROLS_EXPORT)
/// How the spin edit reads and writes its text.
enum TValueType : quint8 { vtInteger, vtFloat };
Q_ENUM_NS(TValueType)
} // namespace KavoSpin
// A directive, not `using enum`: clang before 15 takes a class's own `using enum` of the same
// enumeration, which forms compiled by uic need, for a redeclaration of this one.
using namespace KavoSpin;

/// The arrow of the pair that was clicked: btNext is the up arrow, btPrev the down arrow.
enum TUDBtnType : quint8 { btNext, btPrev };

/// A click of the arrow pair, or one repeat while an arrow is held.
using TUDClickEvent = std::function<void(QObject *Sender, TUDBtnType Button)>;

/// The spin edit's reading and writing of its text, without a control. The number a text holds
/// (nullopt when it is unreadable): vtInteger a plain signed 32-bit whole number, vtFloat a
/// decimal number with the given separator.
KAVOCONTROLS_EXPORT std::optional<long double> SpinTextToValue(const QString &text, TValueType type,
                                                               const QString &separator);
/// The text for a number, not clamped: vtFloat with decimals digits after the separator,
/// vtInteger rounded half to even within the 64-bit range; nullopt for a NaN with vtInteger.
KAVOCONTROLS_EXPORT std::optional<QString> SpinValueToText(long double value, TValueType type, int decimals,
                                                           const QString &separator);

/// The spin edit's arrow pair: two stacked arrows that report one step per click and keep
/// reporting while an arrow is held.
///
/// It works like the desktop's up-down control kept at position 0 of the range -1..+1: a click
/// moves the position, the move is reported as one step through OnClick and the position
/// returns to 0. Each TkavoSpinEdit makes its own (TkavoSpinEdit::Arrows()).
///
/// @code
/// TkavoUpDown *arrows = spin->Arrows();
/// arrows->ScrollNotification(1); // as a click on the up arrow: the spin edit steps up once
/// @endcode
///
/// @qtdiff
/// QAbstractSpinBox draws its arrows through the style as part of itself; this pair is a child
/// widget of its own, drawn flat, that repeats after RepeatDelay and then every RepeatInterval
/// milliseconds, as a QAbstractButton with autoRepeat does.
class KAVOCONTROLS_EXPORT TkavoUpDown : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Min = -1;
    static constexpr int Max = 1;
    /// Before the first repeat, in milliseconds.
    static constexpr int RepeatDelay = 300;
    /// Between repeats, in milliseconds.
    static constexpr int RepeatInterval = 100;

    explicit TkavoUpDown(TkavoSpinEdit *AOwner);

    int Position() const { return FPosition; }
    bool Notifying() const { return FNotifying; }

    /// The platform's scroll notification: the pair moved to position. A position above 0
    /// reports the up arrow, below 0 the down arrow; the position then returns to 0. Reports
    /// that arrive while one is being handled are dropped.
    void ScrollNotification(int position);

    TUDClickEvent OnClick;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum class Half { None, Up, Down };

    Half halfAt(QPoint pos) const;
    QRect halfRect(Half half) const;
    void step(Half half);
    void stopRepeat();

    int FPosition = 0;
    bool FNotifying = false;
    Half FPressed = Half::None;
    bool FPressedInside = false;
    QBasicTimer FRepeat;
};

/// A single-line numeric entry with an arrow pair, in the library's flat style.
///
/// Its text is its only state: Value() reads the number from the text, and setValue() writes it
/// back formatted and clamped to MinValue()..MaxValue() (no limits while both are equal). The
/// arrows, and the Up and Down keys while ArrowKeys is on, step by Increment.
///
/// @code
/// auto *spin = new TkavoSpinEdit(dialog);
/// spin->setMinValue(4); spin->setMaxValue(50); spin->setValue(10);
/// @endcode
///
/// @qtdiff
/// One class stands for QSpinBox and QDoubleSpinBox: ValueType chooses whole numbers or
/// Decimal digits after the locale's separator, and the numbers are long double. It is a
/// QLineEdit, so its whole line-edit interface is there, and what is typed is not held to the
/// limits until the text is next written, stepped or left (QSpinBox refuses it at once). Equal
/// limits mean no limits rather than a single value. Changes are reported through the OnChange
/// callback, not a valueChanged() signal.
class KAVOCONTROLS_EXPORT TkavoSpinEdit : public QLineEdit, public toolkit::TComponent
{
    Q_OBJECT
    // The numbers are published as double, the widest floating type form builders know; the
    // edit itself keeps them as long double.
    Q_PROPERTY(toolkit::TAlignment Alignment READ Alignment WRITE setAlignment RESET resetAlignment)
    Q_PROPERTY(bool ArrowKeys READ ArrowKeys WRITE setArrowKeys RESET resetArrowKeys)
    Q_PROPERTY(quint8 Decimal READ Decimal WRITE setDecimal RESET resetDecimal)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE setEditorEnabled RESET resetEditorEnabled)
    Q_PROPERTY(double Increment READ Increment WRITE setIncrement RESET resetIncrement)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE setMaxValue RESET resetMaxValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE setMinValue RESET resetMinValue)
    Q_PROPERTY(KavoSpin::TValueType ValueType READ ValueType WRITE setValueType RESET resetValueType)
    Q_PROPERTY(double Value READ Value WRITE setValue RESET resetValue)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect RESET resetAutoSelect)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength RESET resetMaxLength)

public:
    /// A form compiled by uic names the values through the class, as TkavoSpinEdit::vtFloat.
    using enum KavoSpin::TValueType;
    using enum toolkit::TAlignment;

    explicit TkavoSpinEdit(QWidget *parent = nullptr);
    ~TkavoSpinEdit() override;

    toolkit::TAlignment Alignment() const { return FAlignment; }
    void setAlignment(toolkit::TAlignment alignment);
    bool ArrowKeys() const { return FArrowKeys; }
    void setArrowKeys(bool arrowKeys) { FArrowKeys = arrowKeys; }
    quint8 Decimal() const { return FDecimal; }
    /// Re-formats the text with the new number of digits.
    void setDecimal(quint8 decimal);
    bool EditorEnabled() const { return FEditorEnabled; }
    void setEditorEnabled(bool enabled) { FEditorEnabled = enabled; }
    long double Increment() const { return FIncrement; }
    void setIncrement(long double increment) { FIncrement = increment; }
    /// The limits are plain stores: the text is clamped when it is next written, stepped or left.
    long double MaxValue() const { return FMaxValue; }
    void setMaxValue(long double value) { FMaxValue = value; }
    long double MinValue() const { return FMinValue; }
    void setMinValue(long double value) { FMinValue = value; }
    TValueType ValueType() const { return FValueType; }
    /// Re-reads the text with the new type and writes it back; an integer spin edit steps by a
    /// whole number, never by 0.
    void setValueType(TValueType type);
    bool AutoSelect() const { return FAutoSelect; }
    void setAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
    /// The most characters the user may type or paste; 0 is no limit. Written values are never
    /// cut.
    int MaxLength() const { return FMaxLength; }
    void setMaxLength(int length) { FMaxLength = qMax(0, length); }

    /// The number in the text; an unreadable text reads as MinValue (truncated toward zero with
    /// vtInteger). vtInteger reads a plain signed 32-bit whole number, vtFloat a decimal number
    /// with the locale's decimal separator.
    long double Value() const;
    /// Writes the clamped number: vtFloat with Decimal digits after the locale's separator,
    /// vtInteger rounded half to even within the 64-bit range. A NaN leaves an integer text as
    /// it is.
    void setValue(long double value);

    /// The limit rule: x itself while MaxValue equals MinValue, else MinValue below it, else
    /// MaxValue above it.
    long double ClampValue(long double x) const;

    /// Whether a typed character may enter the text: signs, digits, the decimal separator with
    /// vtFloat, and control characters. With the editor off only control characters other than
    /// Backspace pass.
    virtual bool AcceptsChar(QChar Key) const;
    /// One step up by Increment, with one change notification when the text changes; a read-only
    /// spin edit beeps instead.
    virtual void StepUp(QObject *Sender);
    /// One step down, as StepUp() goes up.
    virtual void StepDown(QObject *Sender);

    /// Replaces the arrow pair with a new one.
    void RebuildArrows();
    /// Places the arrow pair inside the frame at the trailing edge.
    void LayoutArrows();
    /// The arrow pair's width, 0 without one.
    int ArrowsWidth() const;
    /// Keeps the text between the frame and the arrow pair.
    void ApplyTextRect();
    /// The lowest height at which the font fits: its height plus four border widths plus one.
    int MinimumHeight() const;
    /// The handler of the arrow pair's clicks.
    void ArrowsClick(QObject *Sender, TUDBtnType Button);

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isAlignmentStored() const { return FAlignment != toolkit::taLeftJustify; }
    Q_INVOKABLE bool isArrowKeysStored() const { return !FArrowKeys; }
    Q_INVOKABLE bool isDecimalStored() const { return FDecimal != 2; }
    Q_INVOKABLE bool isEditorEnabledStored() const { return !FEditorEnabled; }
    Q_INVOKABLE bool isIncrementStored() const { return FIncrement != 1.0L; }
    Q_INVOKABLE bool isMaxValueStored() const { return FMaxValue != 0; }
    Q_INVOKABLE bool isMinValueStored() const { return FMinValue != 0; }
    Q_INVOKABLE bool isValueTypeStored() const { return FValueType != vtInteger; }
    Q_INVOKABLE bool isValueStored() const { return Value() != 0; }
    Q_INVOKABLE bool isAutoSelectStored() const { return !FAutoSelect; }
    Q_INVOKABLE bool isMaxLengthStored() const { return FMaxLength != 0; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetAlignment() { setAlignment(toolkit::taLeftJustify); }
    void resetArrowKeys() { setArrowKeys(true); }
    void resetDecimal() { setDecimal(2); }
    void resetEditorEnabled() { setEditorEnabled(true); }
    void resetIncrement() { setIncrement(1); }
    void resetMaxValue() { setMaxValue(0); }
    void resetMinValue() { setMinValue(0); }
    void resetValueType() { setValueType(vtInteger); }
    void resetValue() { setValue(0); }
    void resetAutoSelect() { setAutoSelect(true); }
    void resetMaxLength() { setMaxLength(0); }
    ///@}

    TkavoUpDown *Arrows() const { return FArrows; }
    bool Stepping() const { return FStepping; }
    bool MouseInside() const { return FMouseInside; }

    /// The desktop's paste and cut: the standard clipboard operations, ignored without a sound
    /// while the editor is off or the control is read-only. Copying is never restricted.
    void pasteFromClipboard();
    void cutToClipboard();

    toolkit::TNotifyEvent OnChange;
    toolkit::TNotifyEvent OnEnter;
    toolkit::TNotifyEvent OnExit;
    toolkit::TKeyEvent OnKeyDown;
    toolkit::TKeyPressEvent OnKeyPress;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    /// The edit's change notification, passed on as OnChange unless a step is rewriting the
    /// text.
    virtual void Change();
    /// The flat frame: three rings drawn over the edit's own painting.
    void PaintFrame(QPainter &painter) const;

    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool clipboardAllowed() const { return FEditorEnabled && !isReadOnly(); }
    void insertLimited(const QString &text);
    void step(QObject *sender, bool up);
    void passDialogKey(int key);

    toolkit::TAlignment FAlignment = toolkit::taLeftJustify;
    long double FMinValue = 0;
    long double FMaxValue = 0;
    long double FIncrement = 1.0L;
    quint8 FDecimal = 2;
    bool FStepping = false;
    bool FEditorEnabled = true;
    TValueType FValueType = vtInteger;
    bool FArrowKeys = true;
    QPointer<TkavoUpDown> FArrows;
    bool FMouseInside = false;
    bool FAutoSelect = true;
    int FMaxLength = 0;
};
