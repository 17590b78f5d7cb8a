// SPDX-License-Identifier: MIT
#include "KavoDrop.h"

#include "Desktop.h"
#include "Colors.h"
#include "Frame3D.h"
#include "KvCalc.h"
#include "KvCalcDlg.h"
#include "KvCalendar.h"
#include "KvPeriod.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QStyle>

using namespace toolkit;

void PaintFlatEditFrame(QPainter &painter, QRect r, const QPalette &pal, bool hot, bool enabled)
{
    const QColor accent = hot ? QColor(Qt::black) : clBtnFace.resolve(pal);
    const QColor inner = (enabled ? clWindow : clBtnFace).resolve(pal);
    // The sunken outer ring; r shrinks by one.
    Frame3D(painter, r, clBtnShadow.resolve(pal), clBtnHighlight.resolve(pal), 1);
    // The accent along the top and left of the second ring, stopping short of its far corners.
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, accent);
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, accent);
    const QColor light = cl3DLight.resolve(pal);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, light);
    painter.fillRect(r.right(), r.top(), 1, r.height(), light);
    r.adjust(1, 1, -1, -1);
    if (r.width() > 0 && r.height() > 0) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, inner);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, inner);
        painter.fillRect(r.left(), r.top(), 1, r.height(), inner);
        painter.fillRect(r.right(), r.top(), 1, r.height(), inner);
    }
}

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

TkavoCustomEdit::TkavoCustomEdit(QWidget *parent) : QLineEdit(parent), FButton(new TkavoDropButton(this))
{
    setFrame(false);
    setAttribute(Qt::WA_Hover);
    connect(FButton, &QPushButton::clicked, this, [this] {
        setFocus(Qt::OtherFocusReason);
        DropDown();
    });
    connect(this, &QLineEdit::returnPressed, this, &TkavoCustomEdit::CheckText);
    layoutButton();
}

TkavoCustomEdit::~TkavoCustomEdit()
{
    // A picker still open must not call back into the half-destroyed edit.
    if (FPicker) {
        FPicker->disconnect(this);
        delete FPicker;
    }
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
    return {base.width() + FButton->width(), std::max(base.height(), fontMetrics().height() + 6)};
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

void TkavoCustomEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    layoutButton();
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
    // Placed as the spin edit places its arrows: inside the two outer rings at the trailing edge.
    const int buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    FButton->setGeometry(rtl ? 3 : width() - buttonWidth - 3, 2, buttonWidth, std::max(0, height() - 4));
    if (rtl)
        setTextMargins(buttonWidth + 3, 2, 3, 1);
    else
        setTextMargins(3, 2, buttonWidth + 3, 1);
}

// The calculator edit.

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
    return QLocale().toString(FDate, PickerDateFormat());
}

bool TkavoDateEdit::ReadText(const QString &text)
{
    const QDate date = QLocale().toDate(text.trimmed(), PickerDateFormat());
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
    const QLocale locale;
    return locale.toString(FFrom, PickerDateFormat()) + kPeriodDash + locale.toString(FTo, PickerDateFormat());
}

bool TkavoPeriodEdit::ReadText(const QString &text)
{
    // The dash may come typed as a plain hyphen, unless the dates themselves hold hyphens.
    QStringList parts = text.split(QChar(u'–'));
    if (parts.size() == 1)
        parts = text.split(QLatin1Char('-'));
    if (parts.size() != 2)
        return false;
    const QLocale locale;
    const QDate from = locale.toDate(parts[0].trimmed(), PickerDateFormat());
    const QDate to = locale.toDate(parts[1].trimmed(), PickerDateFormat());
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
