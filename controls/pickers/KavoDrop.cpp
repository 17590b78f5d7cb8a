// SPDX-License-Identifier: MIT
#include "KavoDrop.h"

#include "Desktop.h"
#include "Colors.h"
#include "Frame3D.h"
#include "KvCalc.h"
#include "KvCalcDlg.h"
#include "KvCalendar.h"
#include "KvGraph.h"
#include "KvPeriod.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <utility>

using namespace toolkit;

QPoint PickerPosition(const QRect &edit, const QSize &popup, const QRect &screen)
{
    int y = edit.bottom() + 1;
    if (y + popup.height() > screen.bottom() + 1 && edit.top() - popup.height() >= screen.top())
        y = edit.top() - popup.height();
    int x = edit.left();
    if (x + popup.width() > screen.right() + 1)
        x = screen.right() + 1 - popup.width();
    x = std::max(x, screen.left());
    return {x, y};
}

namespace {

// The date and period edits show their dates alike.
QString dateText(QDate date)
{
    return QLocale().toString(date, PickerDateFormat());
}

} // namespace

TkavoDropButton::TkavoDropButton(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Открыть"));
    setCursor(Qt::ArrowCursor);
}

void TkavoDropButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    QRect r = rect();
    painter.fillRect(r, clBtnFace.resolve(pal));
    if (isDown()) {
        Frame3D(painter, r, clBtnShadow.resolve(pal), clBtnHighlight.resolve(pal), 1);
    } else {
        Frame3D(painter, r, clBtnHighlight.resolve(pal), clBtnShadow.resolve(pal), 1);
    }
    // A downward triangle of whole pixels, so it stays sharp at any ratio.
    const QColor ink = (isEnabled() ? clBtnText : clBtnShadow).resolve(pal);
    const int rows = std::clamp(std::min(r.height() / 2, r.width() / 2), 1, 4);
    const int left = r.left() + (r.width() - (2 * rows - 1)) / 2 + (isDown() ? 1 : 0);
    const int top = r.top() + (r.height() - rows) / 2 + (isDown() ? 1 : 0);
    for (int row = 0; row < rows; ++row)
        painter.fillRect(left + row, top + row, 2 * (rows - row) - 1, 1, ink);
}

void TkavoDropButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    emit hoverChanged(true);
}

void TkavoDropButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    emit hoverChanged(false);
}

TkavoCustomEdit::TkavoCustomEdit(QWidget *parent)
    : QLineEdit(parent), FButton(new TkavoDropButton(parent)),
      FButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this))
{
    setFrame(false);
    setAttribute(Qt::WA_Hover);
    setTextMargins(3, 2, 3, 1);
    // The frame stays hot while the pointer moves on from the edit to its button.
    connect(FButton, &TkavoDropButton::hoverChanged, this, [this](bool inside) {
        FMouseInside = inside;
        update();
    });
    // A press on the button while the picker is open closes it, by turning away from it, and
    // does no more. A window manager may hand the focus over before the press arrives, so a
    // picker closed that way a moment ago counts as open.
    connect(FButton, &QPushButton::pressed, this, [this] {
        FPressClosesPicker = FPicker
            || (FPickerLeft.isValid() && FPickerLeft.elapsed() < QApplication::doubleClickInterval());
    });
    connect(FButton, &QPushButton::clicked, this, [this] {
        if (std::exchange(FPressClosesPicker, false))
            return;
        setFocus(Qt::OtherFocusReason);
        DropDown();
    });
    connect(this, &QLineEdit::returnPressed, this, &TkavoCustomEdit::CheckText);
    // The toolkit's edit width, and the spin edit's height in the library's forms.
    resize(121, 21);
    layoutButton();
    showButton();
}

TkavoCustomEdit::~TkavoCustomEdit()
{
    // A picker still open must not call back into the half-destroyed edit.
    disconnect(FFocusWatch);
    if (FPicker) {
        FPicker->disconnect(this);
        delete FPicker;
    }
    delete FButton;
}

void TkavoCustomEdit::setButtonVisible(bool visible)
{
    if (visible == FButtonVisible)
        return;
    FButtonVisible = visible;
    showButton();
}

void TkavoCustomEdit::setButtonWidth(int width)
{
    if (width < 1 || width == FButtonWidth)
        return;
    FButtonWidth = width;
    layoutButton();
}

void TkavoCustomEdit::DropDown()
{
    if (FPicker || isReadOnly() || !isEnabled())
        return;
    // Whatever was typed counts before the picker starts from it.
    CheckText();
    QDialog *picker = CreatePicker();
    // It drops down from the edit rather than standing as a window of its own: no minimise or
    // maximise buttons, and no modality; turning to any other window closes it.
    picker->setParent(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->adjustSize();
    const QRect global(mapToGlobal(QPoint(0, 0)), size());
    const QScreen *where = screen();
    const QRect available = where ? where->availableGeometry() : QRect(global.topLeft(), picker->size());
    picker->move(PickerPosition(global, picker->frameGeometry().size(), available));
    connect(picker, &QDialog::accepted, this, [this, picker] {
        const QString before = ValueText();
        PickerAccepted(picker);
        if (ValueText() != before)
            ValueChanged();
    });
    connect(picker, &QDialog::finished, this, [this] { pickerClosed(); });
    FFocusWatch = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *now) { focusMoved(now); });
    FPicker = picker;
    FPickerHadFocus = false;
    FPickerChildFocused = false;
    FPickerLeftByFocus = false;
    picker->show();
    picker->raise();
    picker->activateWindow();
}

void TkavoCustomEdit::focusMoved(QWindow *now)
{
    if (!FPicker || !FPicker->isVisible())
        return;
    QWindow *own = FPicker->windowHandle();
    if (now && own && (now == own || own->isAncestorOf(now))) {
        // The picker, or a message it shows itself.
        FPickerHadFocus = true;
        FPickerChildFocused = now != own;
        if (FPickerChildFocused) {
            // When the message goes, the keyboard goes back to the picker: a window manager
            // would hand it back, but without one (or as Qt forgets a destroyed window's focus
            // without a word) it would be left nowhere.
            connect(now, &QWindow::visibleChanged, FPicker, [this](bool visible) {
                if (!visible)
                    QTimer::singleShot(0, FPicker, [this] { keyboardToPicker(); });
            });
        }
        return;
    }
    if (!now) {
        // On its way to the picker as it opens.
        if (!FPickerHadFocus)
            return;
        // No window holds the focus for a moment while it passes between two of ours; what
        // stands once the window system has settled decides.
        QTimer::singleShot(0, FPicker, [this] {
            if (QGuiApplication::focusWindow())
                return; // seen again through focusMoved
            if (FPickerChildFocused)
                keyboardToPicker();
            else
                leavePicker(); // the desktop turned to another program
        });
        return;
    }
    // The user turned to another window.
    leavePicker();
}

void TkavoCustomEdit::keyboardToPicker()
{
    const QWindow *focus = QGuiApplication::focusWindow();
    if (FPicker && FPicker->isVisible() && (!focus || !focus->isVisible()))
        FPicker->activateWindow();
}

void TkavoCustomEdit::leavePicker()
{
    // Taken as cancel.
    FPickerLeftByFocus = true;
    FPicker->reject();
}

void TkavoCustomEdit::pickerClosed()
{
    disconnect(FFocusWatch);
    FPicker = nullptr;
    if (FPickerLeftByFocus) {
        FPickerLeft.start();
        return;
    }
    // Closed from within: the keyboard comes back to the edit, also with no window manager to
    // hand it over.
    FPickerLeft.invalidate();
    if (QWidget *top = window(); top && top->isVisible())
        top->activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void TkavoCustomEdit::CheckText()
{
    if (text() == ValueText())
        return;
    const QString before = ValueText();
    if (ReadText(text())) {
        // "2+2" over a 4 is the same value: shown again, not announced.
        if (ValueText() != before)
            ValueChanged();
        else
            setText(before);
        return;
    }
    MessageBeep(0);
    setText(ValueText());
}

void TkavoCustomEdit::ValueChanged()
{
    setText(ValueText());
    if (OnChange)
        OnChange(this);
}

QSize TkavoCustomEdit::sizeHint() const
{
    const QSize base = QLineEdit::sizeHint();
    return {base.width(), std::max(base.height(), fontMetrics().height() + 6)};
}

void TkavoCustomEdit::setVisible(bool visible)
{
    QLineEdit::setVisible(visible);
    showButton();
}

void TkavoCustomEdit::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        DropDown();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TkavoCustomEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void TkavoCustomEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Opening the picker takes the focus away; the text was checked before it opened.
    if (!FPicker)
        CheckText();
    update();
}

void TkavoCustomEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    PaintFlatEditFrame(painter, rect(), palette(), hasFocus() || FMouseInside, isEnabled());
}

void TkavoCustomEdit::moveEvent(QMoveEvent *event)
{
    QLineEdit::moveEvent(event);
    layoutButton();
}

void TkavoCustomEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    layoutButton();
}

void TkavoCustomEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (!FButton)
        return;
    switch (event->type()) {
    case QEvent::EnabledChange:
        FButton->setEnabled(isEnabled());
        break;
    case QEvent::ParentChange:
        // A new parent hides what it takes in; the button comes back as the edit stands.
        FButton->setParent(parentWidget());
        layoutButton();
        showButton();
        break;
    default:
        break;
    }
}

void TkavoCustomEdit::enterEvent(QEnterEvent *event)
{
    QLineEdit::enterEvent(event);
    FMouseInside = true;
    update();
}

void TkavoCustomEdit::leaveEvent(QEvent *event)
{
    QLineEdit::leaveEvent(event);
    FMouseInside = false;
    update();
}

void TkavoCustomEdit::layoutButton()
{
    // Move and resize events reach a hidden edit only when it is shown, which is before the
    // button can be seen.
    if (FButton)
        FButton->setGeometry(x() + width() + 2, y(), FButtonWidth, height());
}

void TkavoCustomEdit::showButton()
{
    // A parentless button would be a window of its own.
    if (FButton)
        FButton->setVisible(FButtonVisible && !isHidden() && parentWidget());
}

// The calculator edit.

bool TkavoCustomEdit::isButtonWidthStored() const
{
    return FButtonWidth != style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void TkavoCustomEdit::resetButtonWidth()
{
    setButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

TkavoCalcEdit::TkavoCalcEdit(QWidget *parent) : TkavoCustomEdit(parent)
{
    setText(ValueText());
}

void TkavoCalcEdit::setValue(double value)
{
    if (!std::isfinite(value) || value == FValue)
        return;
    FValue = value;
    ValueChanged();
}

QString TkavoCalcEdit::ValueText() const
{
    return QString::fromStdU16String(
        kvcalc::FormatNumber(kvcalc::TDecimal::fromDouble(FValue).value_or(kvcalc::TDecimal()),
                             QLocale().decimalPoint().at(0).unicode()));
}

bool TkavoCalcEdit::ReadText(const QString &text)
{
    const std::optional<double> value = ReadNumberText(text);
    if (!value)
        return false;
    FValue = *value;
    return true;
}

QDialog *TkavoCalcEdit::CreatePicker()
{
    auto *calculator = new TkavoCalculator;
    // A digit typed first starts a new number; an operator goes on from the value.
    calculator->setResult(kvcalc::TDecimal::fromDouble(FValue).value_or(kvcalc::TDecimal()));
    return calculator;
}

void TkavoCalcEdit::PickerAccepted(QDialog *picker)
{
    // The calculator counts far past what a double holds; such a result is refused, as typed.
    const double value = static_cast<TkavoCalculator *>(picker)->Result().toDouble();
    if (std::isfinite(value))
        FValue = value;
    else
        MessageBeep(0);
}

// The date edit.

TkavoDateEdit::TkavoDateEdit(QWidget *parent) : TkavoCustomEdit(parent), FDate(QDate::currentDate())
{
    setText(ValueText());
}

QDate TkavoDateEdit::clamp(QDate date) const
{
    if (FMinDate.isValid() && date < FMinDate)
        return FMinDate;
    if (FMaxDate.isValid() && date > FMaxDate)
        return FMaxDate;
    return date;
}

void TkavoDateEdit::setDate(QDate date)
{
    date = clamp(date);
    if (!date.isValid() || date == FDate)
        return;
    FDate = date;
    ValueChanged();
}

void TkavoDateEdit::setMinDate(QDate date)
{
    FMinDate = date;
    setDate(FDate);
}

void TkavoDateEdit::setMaxDate(QDate date)
{
    FMaxDate = date;
    setDate(FDate);
}

QString TkavoDateEdit::ValueText() const
{
    return dateText(FDate);
}

bool TkavoDateEdit::ReadText(const QString &text)
{
    const std::optional<QDate> date = ReadDateText(text, QDate::currentDate());
    if (!date || clamp(*date) != *date)
        return false;
    FDate = *date;
    return true;
}

QDialog *TkavoDateEdit::CreatePicker()
{
    auto *calendar = new TkavoCalendar;
    calendar->Grid()->setRange(FMinDate, FMaxDate);
    calendar->Grid()->setDate(FDate);
    return calendar;
}

void TkavoDateEdit::PickerAccepted(QDialog *picker)
{
    FDate = clamp(static_cast<TkavoCalendar *>(picker)->Date());
}

// The period edit.

namespace {

// Between the two dates.
const QString kPeriodDash = QStringLiteral(" – ");

} // namespace

TkavoPeriodEdit::TkavoPeriodEdit(QWidget *parent)
    : TkavoCustomEdit(parent), FFrom(QDate::currentDate()), FTo(QDate::currentDate())
{
    // Room for two dates.
    resize(201, 21);
    setText(ValueText());
}

bool TkavoPeriodEdit::setPeriod(QDate from, QDate to)
{
    if (!from.isValid() || !to.isValid() || to < from)
        return false;
    if (from != FFrom || to != FTo) {
        FFrom = from;
        FTo = to;
        ValueChanged();
    }
    return true;
}

QString TkavoPeriodEdit::ValueText() const
{
    return dateText(FFrom) + kPeriodDash + dateText(FTo);
}

bool TkavoPeriodEdit::ReadText(const QString &text)
{
    const auto period = ReadPeriodText(text, QDate::currentDate());
    if (!period)
        return false;
    std::tie(FFrom, FTo) = *period;
    return true;
}

QDialog *TkavoPeriodEdit::CreatePicker()
{
    auto *dialog = new TkavoPeriodDialog;
    dialog->setPeriod(FFrom, FTo);
    return dialog;
}

void TkavoPeriodEdit::PickerAccepted(QDialog *picker)
{
    const auto *dialog = static_cast<TkavoPeriodDialog *>(picker);
    FFrom = dialog->DateFrom();
    FTo = dialog->DateTo();
}
