// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <functional>

class QPainter;

// The flat edit frame the spin edit wears: a sunken outer ring, a ring whose top and left turn
// black while the control is hot, and an inner ring in the window colour (button face when
// disabled). Drawn over the edit's own painting in rect.
void PaintFlatEditFrame(QPainter &painter, QRect rect, const QPalette &palette, bool hot, bool enabled);

// Where a picker of size popup opens for an edit at edit (screen coordinates): below the edit,
// above it when the screen has no room below, and moved sideways to stay on the screen.
QPoint PickerPosition(const QRect &edit, const QSize &popup, const QRect &screen);

// The button at the edit's trailing edge that opens its picker.
class TkavoDropButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TkavoDropButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A single-line edit in the flat frame with a side button that opens a picker dialog below
// it. Descendants say which picker, how to read their value from the text and how to write it
// back. Alt+Down and F4 open the picker; the picker's Enter accepts, its Esc leaves the value as
// it was. The text is checked when the edit loses the focus or takes Enter: an unreadable text
// beeps and gives way to the last good value.
class TkavoCustomEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TkavoCustomEdit(QWidget *parent = nullptr);
    ~TkavoCustomEdit() override;

    TkavoDropButton *Button() const { return FButton; }
    // The open picker, nullptr while none is open.
    QDialog *Picker() const { return FPicker; }
    bool MouseInside() const { return FMouseInside; }

    // Opens the picker, unless it is open already or the edit is read-only.
    void DropDown();
    // Reads the text; an unreadable one beeps and is replaced by the last good value's text.
    void CheckText();

    // Called after every change of the value.
    std::function<void(QObject *Sender)> OnChange;

    QSize sizeHint() const override;

protected:
    // A new picker showing the current value.
    virtual QDialog *CreatePicker() = 0;
    // Takes the value from an accepted picker.
    virtual void PickerAccepted(QDialog *picker) = 0;
    // Whether text is readable; a readable text becomes the value.
    virtual bool ReadText(const QString &text) = 0;
    // The text of the current value.
    virtual QString ValueText() const = 0;
    // Shows the current value and notifies.
    void ValueChanged();

    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void layoutButton();

    TkavoDropButton *FButton = nullptr;
    QPointer<QDialog> FPicker;
    bool FMouseInside = false;
};

// A number entry that opens the calculator; the text may be an expression, worked out when the
// edit is left.
class TkavoCalcEdit : public TkavoCustomEdit
{
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE setValue)

public:
    explicit TkavoCalcEdit(QWidget *parent = nullptr);

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

// A date entry that opens the calendar; dates outside MinDate..MaxDate are refused (a null
// limit is no limit).
class TkavoDateEdit : public TkavoCustomEdit
{
    Q_OBJECT
    Q_PROPERTY(QDate Date READ Date WRITE setDate)

public:
    explicit TkavoDateEdit(QWidget *parent = nullptr);

    QDate Date() const { return FDate; }
    // A date outside the limits is clamped into them.
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

// A period entry (two dates) that opens the period dialog. A period that ends before it starts
// is never taken.
class TkavoPeriodEdit : public TkavoCustomEdit
{
    Q_OBJECT

public:
    explicit TkavoPeriodEdit(QWidget *parent = nullptr);

    QDate DateFrom() const { return FFrom; }
    QDate DateTo() const { return FTo; }
    // Refuses (returns false, changes nothing) a period that ends before it starts.
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

// The date format of the user's locale with a four-digit year, which edits show and read.
QString PickerDateFormat();
