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

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QStyle>

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

QString PickerDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

namespace {

// The date and period edits show and read their dates alike.
QString dateText(QDate date)
{
    return QLocale().toString(date, PickerDateFormat());
}

QDate readDate(const QString &text)
{
    return QLocale().toDate(text.trimmed(), PickerDateFormat());
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
    connect(FButton, &QPushButton::clicked, this, [this] {
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
    picker->setParent(this, picker->windowFlags() | Qt::Dialog);
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
    FPicker = picker;
    picker->open();
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
    return QString::fromStdU16String(kvcalc::FormatNumber(FValue, QLocale().decimalPoint().at(0).unicode()));
}

bool TkavoCalcEdit::ReadText(const QString &text)
{
    const kvcalc::TCalcResult result = kvcalc::Evaluate(text.toStdU16String());
    if (!result.ok())
        return false;
    FValue = result.value;
    return true;
}

QDialog *TkavoCalcEdit::CreatePicker()
{
    auto *calculator = new TkavoCalculator;
    calculator->setExpression(ValueText());
    return calculator;
}

void TkavoCalcEdit::PickerAccepted(QDialog *picker)
{
    FValue = static_cast<TkavoCalculator *>(picker)->Result();
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
    const QDate date = readDate(text);
    if (!date.isValid() || clamp(date) != date)
        return false;
    FDate = date;
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

// Between the two dates; also what a typed period is split at.
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
    // The dash may come typed as a plain hyphen, unless the dates themselves hold hyphens.
    QStringList parts = text.split(QChar(u'–'));
    if (parts.size() == 1)
        parts = text.split(QLatin1Char('-'));
    if (parts.size() != 2)
        return false;
    const QDate from = readDate(parts[0]);
    const QDate to = readDate(parts[1]);
    if (!from.isValid() || !to.isValid() || to < from)
        return false;
    FFrom = from;
    FTo = to;
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
