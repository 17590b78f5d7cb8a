// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The drop-down edits: TkavoCalcEdit, TkavoDateEdit and TkavoPeriodEdit, and what they share.

#include "kavopickers_export.h"

#include "KvCtrls.h"
#include "KvPickerText.h"

#include <QDate>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <functional>

class QWindow;

/// Where a picker of size popup opens for an edit at edit (screen coordinates): below the edit,
/// above it when the screen has no room below, and moved sideways to stay on the screen.
KAVOPICKERS_EXPORT QPoint PickerPosition(const QRect &edit, const QSize &popup, const QRect &screen);

/// The button beside a drop-down edit that opens its picker.
///
/// Each TkavoCustomEdit makes its own and places it beside itself; a program reaches it through
/// TkavoCustomEdit::Button(), to give it a tool tip, say.
///
/// @code
/// TkavoDropButton *button = dateEdit->Button();
/// button->setToolTip("Calendar (F4)");
/// @endcode
///
/// @qtdiff
/// A QPushButton drawn flat with a down arrow, as the drop-down button of a QComboBox is drawn
/// by the style; here it is a widget of its own, a sibling of the edit.
class KAVOPICKERS_EXPORT TkavoDropButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TkavoDropButton(QWidget *parent = nullptr);

signals:
    /// The pointer came onto the button (true) or left it (false).
    void hoverChanged(bool inside);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
};

/// A single-line edit in the flat frame with a side button that opens a picker dialog below
/// it.
///
/// The button stands to the right of the edit with a 2-pixel gap, as a sibling in the edit's
/// parent, and follows the edit's place, size, visibility, enabled state and parent; an edit
/// without a parent has no button to show. Descendants say which picker, how to read their value
/// from the text and how to write it back. Alt+Down and F4 open the picker; the picker's Enter
/// accepts, its Esc, or turning to another window, leaves the value as it was. A picker closed
/// from within gives the keyboard back to the edit. The text is checked when the edit loses the
/// focus or takes Enter: an unreadable text beeps and gives way to the last good value.
///
/// @code
/// struct TColorEdit : TkavoCustomEdit { QDialog *CreatePicker() override; void PickerAccepted(QDialog *) override;
///     bool ReadText(const QString &) override; QString ValueText() const override; };
/// @endcode
///
/// @qtdiff
/// QComboBox and QDateEdit's calendarPopup open a list or a calendar; this base opens any dialog,
/// lets the user type freely and reads the text only when the edit is left, where a
/// QValidator would refuse keys as they are typed.
class KAVOPICKERS_EXPORT TkavoCustomEdit : public QLineEdit, public TkavoSideButtonOwner
{
    Q_OBJECT
    Q_PROPERTY(bool ButtonVisible READ ButtonVisible WRITE setButtonVisible RESET resetButtonVisible)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE setButtonWidth RESET resetButtonWidth)

public:
    explicit TkavoCustomEdit(QWidget *parent = nullptr);
    ~TkavoCustomEdit() override;

    TkavoDropButton *Button() const { return FButton; }
    /// The open picker, nullptr while none is open.
    QDialog *Picker() const { return FPicker; }
    /// Whether the pointer is over the edit or its button.
    bool MouseInside() const { return FMouseInside; }

    bool ButtonVisible() const { return FButtonVisible; }
    void setButtonVisible(bool visible);
    /// At least one pixel; smaller widths are refused. The default is the desktop's scroll bar
    /// width.
    int ButtonWidth() const { return FButtonWidth; }
    void setButtonWidth(int width);
    int SideButtonWidth() const override { return FButtonVisible ? FButtonWidth : 0; }

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isButtonVisibleStored() const { return !FButtonVisible; }
    /// The default width is the desktop's, so a form keeps it only when it was set apart.
    Q_INVOKABLE bool isButtonWidthStored() const;
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetButtonVisible() { setButtonVisible(true); }
    void resetButtonWidth();
    ///@}

    /// Opens the picker, unless it is open already or the edit is read-only.
    void DropDown();
    /// Reads the text; an unreadable one beeps and is replaced by the last good value's text.
    void CheckText();

    /// Called after every change of the value.
    std::function<void(QObject *Sender)> OnChange;

    QSize sizeHint() const override;
    void setVisible(bool visible) override;

protected:
    /// A new picker showing the current value.
    virtual QDialog *CreatePicker() = 0;
    /// Takes the value from an accepted picker.
    virtual void PickerAccepted(QDialog *picker) = 0;
    /// Whether text is readable; a readable text becomes the value.
    virtual bool ReadText(const QString &text) = 0;
    /// The text of the current value.
    virtual QString ValueText() const = 0;
    /// Shows the current value and notifies.
    void ValueChanged();

    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void layoutButton();
    void showButton();
    // The application's focus went to now (nullptr: to no window of the program).
    void focusMoved(QWindow *now);
    void leavePicker();
    // After a message of the picker's own has gone.
    void keyboardToPicker();
    void pickerClosed();

    // Owned by the edit, though parented to the edit's parent; guarded, as that parent may
    // delete it first.
    QPointer<TkavoDropButton> FButton;
    QPointer<QDialog> FPicker;
    QMetaObject::Connection FFocusWatch;
    bool FPickerHadFocus = false;
    // A message the picker showed itself has the focus.
    bool FPickerChildFocused = false;
    bool FPickerLeftByFocus = false;
    // Since the picker was closed by turning away from it; invalid otherwise.
    QElapsedTimer FPickerLeft;
    bool FPressClosesPicker = false;
    bool FMouseInside = false;
    bool FButtonVisible = true;
    int FButtonWidth = 0;
};

/// A number entry that opens the calculator (TkavoCalculator); the text may be an expression,
/// worked out when the edit is left.
///
/// What is typed is read by ReadNumberText(): "2*(3+4)", "1 234,5" with the locale's
/// separator and digit groups split by spaces.
///
/// @code
/// auto *amount = new TkavoCalcEdit(dialog);
/// amount->setValue(12.5); amount->OnChange = [=](QObject *) { total->setValue(amount->Value()); };
/// @endcode
///
/// @qtdiff
/// Where a QDoubleSpinBox takes a number and steps it, this edit takes an expression and works it
/// out, and its side button opens a desk calculator that counts in decimal.
class KAVOPICKERS_EXPORT TkavoCalcEdit : public TkavoCustomEdit
{
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE setValue RESET resetValue)

public:
    explicit TkavoCalcEdit(QWidget *parent = nullptr);

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isValueStored() const { return FValue != 0; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetValue() { setValue(0); }
    ///@}

    double Value() const { return FValue; }
    void setValue(double value);

protected:
    QDialog *CreatePicker() override;
    void PickerAccepted(QDialog *picker) override;
    bool ReadText(const QString &text) override;
    QString ValueText() const override;

private:
    double FValue = 0;
};

/// A date entry that opens the calendar (TkavoCalendar); dates outside MinDate..MaxDate are
/// refused (a null limit is no limit).
///
/// What is typed is read by ReadDateText() when the edit is left: the full date, or in the
/// locale's order a date with one-digit day and month, a two-digit year or none ("5.3" is the
/// 5th of March of this year in Russian).
///
/// @code
/// auto *due = new TkavoDateEdit(dialog);
/// due->setMinDate(QDate::currentDate()); due->setDate(QDate::currentDate().addDays(7));
/// @endcode
///
/// @qtdiff
/// QDateEdit with calendarPopup edits its date section by section and steps it with the arrow
/// keys; this edit is a plain QLineEdit whose text is read as a whole when it is left, so short
/// forms can be typed, and an unreadable text beeps and gives way to the last good date.
class KAVOPICKERS_EXPORT TkavoDateEdit : public TkavoCustomEdit
{
    Q_OBJECT
    Q_PROPERTY(QDate Date READ Date WRITE setDate RESET resetDate)

public:
    explicit TkavoDateEdit(QWidget *parent = nullptr);

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    /// A new edit shows today, and so does a form that did not keep a date of its own.
    Q_INVOKABLE bool isDateStored() const { return FDate != QDate::currentDate(); }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetDate() { setDate(QDate::currentDate()); }
    ///@}

    QDate Date() const { return FDate; }
    /// A date outside the limits is clamped into them.
    void setDate(QDate date);
    QDate MinDate() const { return FMinDate; }
    void setMinDate(QDate date);
    QDate MaxDate() const { return FMaxDate; }
    void setMaxDate(QDate date);

protected:
    QDialog *CreatePicker() override;
    void PickerAccepted(QDialog *picker) override;
    bool ReadText(const QString &text) override;
    QString ValueText() const override;

private:
    QDate clamp(QDate date) const;

    QDate FDate;
    QDate FMinDate;
    QDate FMaxDate;
};

/// A period entry (two dates) that opens the period dialog (TkavoPeriodDialog).
///
/// A period that ends before it starts is never taken. What is typed is read by
/// ReadPeriodText(): two dates split at a dash.
///
/// @code
/// auto *period = new TkavoPeriodEdit(dialog);
/// period->setPeriod(QDate(2026, 1, 1), QDate(2026, 3, 31));
/// @endcode
///
/// @qtdiff
/// Qt has no period edit: two QDateEdit widgets with a check that the first is not after the
/// second would stand in for it.
class KAVOPICKERS_EXPORT TkavoPeriodEdit : public TkavoCustomEdit
{
    Q_OBJECT

public:
    explicit TkavoPeriodEdit(QWidget *parent = nullptr);

    QDate DateFrom() const { return FFrom; }
    QDate DateTo() const { return FTo; }
    /// Refuses (returns false, changes nothing) a period that ends before it starts.
    bool setPeriod(QDate from, QDate to);

protected:
    QDialog *CreatePicker() override;
    void PickerAccepted(QDialog *picker) override;
    bool ReadText(const QString &text) override;
    QString ValueText() const override;

private:
    QDate FFrom;
    QDate FTo;
};
