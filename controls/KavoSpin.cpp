// SPDX-License-Identifier: MIT
#include "KavoSpin.h"

#include "Accelerator.h"
#include "Colors.h"
#include "Desktop.h"
#include "Form.h"
#include "Frame3D.h"
#include "KvGraph.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTimerEvent>
#include <QtMath>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>

using namespace toolkit;

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString decimalSeparator()
{
    return QLocale().decimalPoint();
}

// A plain signed whole number in the 32-bit range; nothing else (no blanks, no other bases).
std::optional<long double> readInteger(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                        : std::int64_t(std::numeric_limits<std::int32_t>::max());
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!isAsciiDigit(text[i]))
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<long double>(negative ? -magnitude : magnitude);
}

// A decimal number with the locale's separator and an optional exponent: [sign] digits
// [separator digits] [E [sign] digits], at least one digit before the exponent. Numbers beyond
// the extended range are unreadable.
std::optional<long double> readFloat(const QString &text, const QString &separator)
{
    std::string plain;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    auto takeDigits = [&](int &count) {
        while (i < n && isAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            ++i;
            ++count;
        }
    };
    takeDigits(mantissaDigits);
    if (!separator.isEmpty() && QStringView(text).mid(i).startsWith(separator)) {
        plain += '.';
        i += separator.size();
        takeDigits(mantissaDigits);
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            plain += char(text[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        takeDigits(exponentDigits);
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    long double value = 0;
    const char *end = plain.data() + plain.size();
    const auto [last, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc() || last != end)
        return std::nullopt;
    return value;
}

// Fixed-point text with the given digits after the separator, from the number's 15 leading
// significant digits; numbers with more than 15 whole digits are written with an exponent.
QString formatFloat(long double x, int decimals, const QString &separator)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    constexpr int precision = 15;
    decimals = std::min(decimals, 18);

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", precision - 1, x);
    const bool negative = buffer[0] == '-';
    const char *p = buffer + (negative ? 1 : 0);
    std::string digits(1, *p);
    for (p += 2; *p != 'e'; ++p)
        digits += *p;
    // The value is 0.<digits> times ten to the power of wholeDigits.
    int wholeDigits = std::atoi(p + 1) + 1;

    QString result;
    if (wholeDigits > precision) {
        const auto last = digits.find_last_not_of('0');
        result = QString(QChar(digits[0]));
        if (last != std::string::npos && last > 0)
            result += separator + QString::fromLatin1(digits.data() + 1, qsizetype(last));
        result += QLatin1Char('E') + QString::number(wholeDigits - 1);
        return negative ? QLatin1Char('-') + result : result;
    }

    const int keep = wholeDigits + decimals;
    if (keep < precision) {
        // Half away from zero on the decimal digits.
        const bool up = keep >= 0 && digits[std::size_t(keep)] >= '5';
        digits.resize(std::size_t(std::max(keep, 0)));
        if (up) {
            int j = int(digits.size()) - 1;
            while (j >= 0 && digits[std::size_t(j)] == '9')
                digits[std::size_t(j--)] = '0';
            if (j < 0) {
                digits.insert(digits.begin(), '1');
                ++wholeDigits;
            } else {
                ++digits[std::size_t(j)];
            }
        }
    }
    auto digitAt = [&](int index) {
        return index >= 0 && index < int(digits.size()) ? digits[std::size_t(index)] : '0';
    };
    bool nonZero = false;
    std::string whole;
    for (int k = 0; k < wholeDigits; ++k)
        whole += digitAt(k);
    if (whole.empty())
        whole.push_back('0');
    std::string fraction;
    for (int k = 0; k < decimals; ++k)
        fraction += digitAt(wholeDigits + k);
    nonZero = whole.find_first_not_of('0') != std::string::npos || fraction.find_first_not_of('0') != std::string::npos;

    result = QString::fromLatin1(whole.data(), qsizetype(whole.size()));
    if (decimals > 0)
        result += separator + QString::fromLatin1(fraction.data(), qsizetype(fraction.size()));
    return negative && nonZero ? QLatin1Char('-') + result : result;
}

// The nearest whole number, ties to even, as 64-bit decimal digits. Numbers beyond the 64-bit
// range give its nearest end; a NaN has no text.
std::optional<QString> formatInteger(long double x)
{
    if (std::isnan(x))
        return std::nullopt;
    // Both ends are exact in the extended format: 2^63 and -2^63.
    constexpr long double upper = 9223372036854775808.0L;
    const long double rounded = std::nearbyint(x);
    std::int64_t whole;
    if (rounded >= upper)
        whole = std::numeric_limits<std::int64_t>::max();
    else if (rounded < -upper)
        whole = std::numeric_limits<std::int64_t>::min();
    else
        whole = static_cast<std::int64_t>(rounded);
    return QString::number(qint64(whole));
}

// The character a key event types, as the desktop would deliver it: Ctrl with a letter types
// its control character, Backspace, Enter, Escape and Tab type theirs, Delete and Alt
// combinations type nothing.
std::optional<QChar> typedCharacter(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const int key = event->key();
    switch (key) {
    case Qt::Key_Backspace:
        return alt ? std::nullopt : std::optional<QChar>(QChar(ctrl ? 127 : 8));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Tab:
        return QChar(9);
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (alt && !ctrl)
        return std::nullopt;
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(key - Qt::Key_A + 1);
    const QString text = event->text();
    if (text.isEmpty() || text[0].unicode() == 127)
        return std::nullopt;
    return text[0];
}

bool isRealFocusChange(Qt::FocusReason reason)
{
    // Switching windows or opening a menu leaves the control current in its form.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TkavoUpDown::TkavoUpDown(TkavoSpinEdit *AOwner)
    : QWidget(AOwner)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TkavoUpDown::sizeHint() const
{
    return {style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), 2 * 9};
}

void TkavoUpDown::ScrollNotification(int position)
{
    if (FNotifying)
        return;
    const QScopedValueRollback guard(FNotifying, true); // cleared on every way out
    if (OnClick) {
        if (position > 0)
            OnClick(this, btNext);
        else if (position < 0)
            OnClick(this, btPrev);
    }
    FPosition = 0;
}

TkavoUpDown::Half TkavoUpDown::halfAt(QPoint pos) const
{
    if (!rect().contains(pos))
        return Half::None;
    return pos.y() < height() / 2 ? Half::Up : Half::Down;
}

QRect TkavoUpDown::halfRect(Half half) const
{
    const int upper = height() / 2;
    switch (half) {
    case Half::Up:
        return {0, 0, width(), upper};
    case Half::Down:
        return {0, upper, width(), height() - upper};
    case Half::None:
        break;
    }
    return {};
}

void TkavoUpDown::step(Half half)
{
    FPosition = std::clamp(FPosition + (half == Half::Up ? 1 : -1), Min, Max);
    ScrollNotification(FPosition);
}

void TkavoUpDown::stopRepeat()
{
    FRepeat.stop();
    if (FPressed != Half::None) {
        FPressed = Half::None;
        update();
    }
}

void TkavoUpDown::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const Half half = halfAt(event->position().toPoint());
    if (half == Half::None)
        return;
    FPressed = half;
    FPressedInside = true;
    update();
    FRepeat.start(RepeatDelay, this);
    QPointer<TkavoUpDown> alive(this);
    step(half);
    if (alive && !isEnabled())
        stopRepeat();
}

void TkavoUpDown::mouseMoveEvent(QMouseEvent *event)
{
    if (FPressed == Half::None) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const bool inside = halfRect(FPressed).contains(event->position().toPoint());
    if (inside != FPressedInside) {
        FPressedInside = inside;
        update(halfRect(FPressed));
    }
}

void TkavoUpDown::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stopRepeat();
    else
        QWidget::mouseReleaseEvent(event);
}

void TkavoUpDown::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != FRepeat.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    FRepeat.start(RepeatInterval, this);
    // Held off the arrow, the pair waits; back on it, it goes on.
    if (FPressedInside && FPressed != Half::None)
        step(FPressed);
}

void TkavoUpDown::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            stopRepeat();
        update();
    }
}

void TkavoUpDown::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    const QColor face = clBtnFace.resolve(pal);
    const QColor highlight = clBtnHighlight.resolve(pal);
    const QColor shadow = clBtnShadow.resolve(pal);
    const QColor light = cl3DLight.resolve(pal);
    const QColor darkShadow = cl3DDkShadow.resolve(pal);
    const QColor text = clBtnText.resolve(pal);

    for (const Half half : {Half::Up, Half::Down}) {
        QRect r = halfRect(half);
        painter.fillRect(r, face);
        const bool down = FPressed == half && FPressedInside;
        if (down) {
            Frame3D(painter, r, shadow, shadow, 1);
            r.adjust(1, 1, 1, 1);
        } else {
            Frame3D(painter, r, light, darkShadow, 1);
            Frame3D(painter, r, highlight, shadow, 1);
        }
        // A small triangle, tip towards its arrow's direction.
        const int rows = std::clamp(std::min(r.height(), r.width() / 2), 1, 3);
        const int left = r.left() + r.width() / 2 - (rows - 1);
        const int top = r.top() + (r.height() - rows) / 2;
        const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
        auto triangle = [&](int dx, int dy, const QColor &color) {
            if (ratio <= 1.0) {
                for (int i = 0; i < rows; ++i) {
                    const int widthAt = half == Half::Up ? 2 * i + 1 : 2 * (rows - 1 - i) + 1;
                    const int inset = (2 * rows - 1 - widthAt) / 2;
                    painter.fillRect(left + inset + dx, top + i + dy, widthAt, 1, color);
                }
                return;
            }
            // On a finer screen the same triangle is laid in device pixels: a tip of one device
            // pixel and sides one device pixel steep, so it stays sharp at any ratio. The tip's
            // column is the device pixel left of the logical triangle's middle.
            const int deviceRows = qMax(1, qRound(rows * ratio));
            const int middle = qCeil((left + dx + rows - 0.5) * ratio) - 1;
            const int deviceTop = qRound((top + dy) * ratio);
            painter.save();
            painter.scale(1.0 / ratio, 1.0 / ratio);
            for (int i = 0; i < deviceRows; ++i) {
                const int halfWidth = half == Half::Up ? i : deviceRows - 1 - i;
                painter.fillRect(QRect(middle - halfWidth, deviceTop + i, 2 * halfWidth + 1, 1), color);
            }
            painter.restore();
        };
        if (isEnabled()) {
            triangle(0, 0, text);
        } else {
            triangle(1, 1, highlight);
            triangle(0, 0, shadow);
        }
    }
}

// ---------------------------------------------------------------------------------------------

TkavoSpinEdit::TkavoSpinEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // The flat frame is ours; the edit draws only its text.
    setFrame(false);
    setAcceptDrops(false);
    QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resize(121, 25);
    setText(QStringLiteral("0"));
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
    setMinimumHeight(MinimumHeight());
    RebuildArrows();
    LayoutArrows();
    ApplyTextRect();
}

TkavoSpinEdit::~TkavoSpinEdit()
{
    // No handler may reach the pair while the edit's own destruction runs.
    FArrows = nullptr;
}

void TkavoSpinEdit::setAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    // A logical alignment: Qt mirrors it for a right-to-left reading order, as the table of
    // the desktop's edit styles does.
    QLineEdit::setAlignment(horizontalAlignment(alignment) | Qt::AlignTop);
}

void TkavoSpinEdit::setDecimal(quint8 decimal)
{
    if (decimal == FDecimal)
        return;
    FDecimal = decimal;
    setValue(Value());
}

void TkavoSpinEdit::setValueType(TValueType type)
{
    if (type == FValueType)
        return;
    FValueType = type;
    setValue(Value());
    if (type == vtInteger) {
        FIncrement = std::nearbyint(FIncrement);
        if (FIncrement == 0)
            FIncrement = 1;
    }
}

std::optional<long double> SpinTextToValue(const QString &text, TValueType type, const QString &separator)
{
    return type == vtFloat ? readFloat(text, separator) : readInteger(text);
}

std::optional<QString> SpinValueToText(long double value, TValueType type, int decimals, const QString &separator)
{
    return type == vtFloat ? formatFloat(value, decimals, separator) : formatInteger(value);
}

long double TkavoSpinEdit::Value() const
{
    if (const auto value = SpinTextToValue(text(), FValueType, decimalSeparator()))
        return *value;
    return FValueType == vtFloat ? FMinValue : std::trunc(FMinValue);
}

void TkavoSpinEdit::setValue(long double value)
{
    const auto newText = SpinValueToText(ClampValue(value), FValueType, FDecimal, decimalSeparator());
    if (newText && *newText != text())
        setText(*newText);
}

long double TkavoSpinEdit::ClampValue(long double x) const
{
    if (FMaxValue == FMinValue)
        return x;
    if (x < FMinValue)
        return FMinValue;
    if (x > FMaxValue)
        return FMaxValue;
    return x;
}

bool TkavoSpinEdit::AcceptsChar(QChar Key) const
{
    const char16_t code = Key.unicode();
    if (!FEditorEnabled)
        return code < 32 && code != 8;
    if (code < 32)
        return true;
    if (Key == u'+' || Key == u'-' || isAsciiDigit(Key))
        return true;
    if (FValueType == vtFloat) {
        const QString separator = decimalSeparator();
        return separator.size() == 1 && Key == separator[0];
    }
    return false;
}

void TkavoSpinEdit::StepUp(QObject *Sender)
{
    step(Sender, true);
}

void TkavoSpinEdit::StepDown(QObject *Sender)
{
    step(Sender, false);
}

void TkavoSpinEdit::step(QObject *, bool up)
{
    if (isReadOnly()) {
        MessageBeep(0);
        return;
    }
    const QString before = text();
    {
        const QScopedValueRollback guard(FStepping, true); // cleared on every way out
        const long double current = Value();
        setValue(up ? current + FIncrement : current - FIncrement);
    }
    if (text().compare(before, Qt::CaseInsensitive) != 0) {
        setModified(true);
        Change();
    }
}

void TkavoSpinEdit::Change()
{
    if (!FStepping && OnChange)
        OnChange(this);
}

void TkavoSpinEdit::RebuildArrows()
{
    delete FArrows.data();
    FArrows = nullptr;
    auto *arrows = new TkavoUpDown(this);
    arrows->setGeometry(0, 10, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this),
                        std::max(0, height() - 20));
    arrows->setEnabled(isEnabled());
    arrows->OnClick = [this](QObject *sender, TUDBtnType button) { ArrowsClick(sender, button); };
    arrows->show();
    FArrows = arrows;
}

void TkavoSpinEdit::LayoutArrows()
{
    if (!FArrows)
        return;
    const int arrowWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The rule is given in client coordinates, which start 1 pixel inside the frame's outer ring.
    const int left = layoutDirection() == Qt::RightToLeft ? 3 : width() - arrowWidth - 3;
    FArrows->setGeometry(left, 2, arrowWidth, std::max(0, height() - 4));
    update();
}

int TkavoSpinEdit::ArrowsWidth() const
{
    return FArrows ? FArrows->width() : 0;
}

void TkavoSpinEdit::ApplyTextRect()
{
    // The text rectangle in client coordinates (right and bottom exclusive).
    const int clientWidth = width() - 2;
    const int clientHeight = height() - 2;
    int left, top, right, bottom;
    if (layoutDirection() == Qt::RightToLeft) {
        left = ArrowsWidth() + 1;
        top = 0;
        right = clientWidth - 1;
        bottom = clientHeight + 1;
    } else {
        left = 3;
        top = 2;
        right = clientWidth - ArrowsWidth() - 2;
        bottom = clientHeight - 1;
    }
    // QLineEdit keeps 2 pixels beside and 1 above its text inside the margins.
    constexpr int editHorizontal = 2;
    constexpr int editVertical = 1;
    setTextMargins(std::max(0, left + 1 - editHorizontal), std::max(0, top + 1 - editVertical),
                   std::max(0, width() - (right + 1) - editHorizontal),
                   std::max(0, height() - (bottom + 1) - editVertical));
}

int TkavoSpinEdit::MinimumHeight() const
{
    constexpr int borderHeight = 1;
    return fontMetrics().height() + 4 * borderHeight + 1;
}

void TkavoSpinEdit::ArrowsClick(QObject *Sender, TUDBtnType Button)
{
    if ((focusPolicy() & Qt::TabFocus) && canFocus(this))
        setFocus(Qt::MouseFocusReason);
    if (Button == btNext)
        StepUp(Sender);
    else
        StepDown(Sender);
}

void TkavoSpinEdit::insertLimited(const QString &newText)
{
    QString inserted = newText;
    if (FMaxLength > 0) {
        const qsizetype room = FMaxLength - (text().size() - selectedText().size());
        if (room <= 0)
            return;
        inserted.truncate(room);
    }
    insert(inserted);
}

void TkavoSpinEdit::pasteFromClipboard()
{
    if (!clipboardAllowed())
        return;
    insertLimited(QGuiApplication::clipboard()->text());
}

void TkavoSpinEdit::cutToClipboard()
{
    if (!clipboardAllowed())
        return;
    cut();
}

void TkavoSpinEdit::passDialogKey(int key)
{
    if (auto *form = qobject_cast<TForm *>(window()))
        form->DialogKey(key);
}

void TkavoSpinEdit::keyPressEvent(QKeyEvent *event)
{
    // Key down.
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
        if (key == 0) {
            event->accept();
            return;
        }
    }
    if (FArrowKeys && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (key == Qt::Key_Up)
            StepUp(this);
        else
            StepDown(this);
        event->accept();
        return;
    }
    if (key == Qt::Key_Backspace && (event->modifiers() & Qt::AltModifier)) {
        undo();
        event->accept();
        return;
    }

    // Key press: the typed character, if any.
    const std::optional<QChar> typed = typedCharacter(event);
    if (!typed) {
        const bool altText = (event->modifiers() & Qt::AltModifier) && !event->text().isEmpty()
                             && event->text()[0].isPrint();
        if (altText) {
            // An Alt combination is a menu key, never text.
            event->ignore();
            return;
        }
    }
    QChar ch;
    if (typed) {
        ch = *typed;
        if (!AcceptsChar(ch)) {
            MessageBeep(0);
            event->accept();
            return;
        }
        if (OnKeyPress) {
            OnKeyPress(this, ch);
            if (ch.isNull()) {
                event->accept();
                return;
            }
        }
        if (ch.unicode() == 13 || ch.unicode() == 27) {
            passDialogKey(ch.unicode() == 13 ? Qt::Key_Return : Qt::Key_Escape);
            if (ch.unicode() == 13) {
                event->accept();
                return;
            }
        }
        if (ch.unicode() >= 32 && FMaxLength > 0 && text().size() - selectedText().size() >= FMaxLength) {
            event->accept();
            return;
        }
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cutToClipboard();
        event->accept();
        return;
    }
    if (typed && ch != *typed) {
        // The handler typed another character instead.
        QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QLineEdit::keyPressEvent(&replaced);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    if (typed && typed->unicode() == 27)
        event->accept(); // the form has had it already
}

void TkavoSpinEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    const bool refused = std::any_of(commit.cbegin(), commit.cend(), [this](QChar c) { return !AcceptsChar(c); });
    if (refused) {
        MessageBeep(0);
        event->accept();
        return;
    }
    if (FMaxLength > 0 && text().size() - selectedText().size() + commit.size() > FMaxLength) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TkavoSpinEdit::focusInEvent(QFocusEvent *event)
{
    // QLineEdit selects the whole text itself when the keyboard brings the focus; without
    // AutoSelect the caret stays where it was, so that typing goes into the number.
    const int caret = cursorPosition();
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!FAutoSelect && !hadSelection && hasSelectedText())
        setCursorPosition(caret);
    if (isRealFocusChange(event->reason())) {
        if (FAutoSelect && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            selectAll();
        if (OnEnter)
            OnEnter(this);
    }
    update();
}

void TkavoSpinEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    update();
    if (!isRealFocusChange(event->reason()))
        return;
    if (OnExit)
        OnExit(this);
    const long double value = Value();
    if (ClampValue(value) != value)
        setValue(value);
}

void TkavoSpinEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    if (height() < MinimumHeight()) {
        resize(width(), MinimumHeight());
        return;
    }
    LayoutArrows();
    ApplyTextRect();
}

void TkavoSpinEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    PaintFrame(painter);
}

void TkavoSpinEdit::PaintFrame(QPainter &painter) const
{
    PaintFlatEditFrame(painter, rect(), palette(), hasFocus() || FMouseInside, isEnabled());
}

void TkavoSpinEdit::enterEvent(QEnterEvent *event)
{
    QLineEdit::enterEvent(event);
    FMouseInside = true;
    update();
}

void TkavoSpinEdit::leaveEvent(QEvent *event)
{
    QLineEdit::leaveEvent(event);
    FMouseInside = false;
    update();
}

void TkavoSpinEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (FArrows)
            FArrows->setEnabled(isEnabled());
        update();
        break;
    case QEvent::FontChange:
        setMinimumHeight(MinimumHeight());
        break;
    case QEvent::LayoutDirectionChange:
    case QEvent::StyleChange:
        LayoutArrows();
        ApplyTextRect();
        break;
    default:
        break;
    }
}

void TkavoSpinEdit::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The menu's paste and cut go through the same rules as the keys.
    auto reroute = [&](const char *name, void (TkavoSpinEdit::*operation)()) {
        if (auto *action = menu->findChild<QAction *>(QLatin1String(name))) {
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, operation);
            if (!clipboardAllowed())
                action->setEnabled(false);
        }
    };
    reroute("edit-paste", &TkavoSpinEdit::pasteFromClipboard);
    reroute("edit-cut", &TkavoSpinEdit::cutToClipboard);
    menu->exec(event->globalPos());
    event->accept();
}

void TkavoSpinEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        // The desktop's selection paste is a paste like any other.
        const QClipboard *clipboard = QGuiApplication::clipboard();
        if (clipboard->supportsSelection() && clipboardAllowed())
            insertLimited(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

QSize TkavoSpinEdit::sizeHint() const
{
    return {121, std::max(25, MinimumHeight())};
}

QSize TkavoSpinEdit::minimumSizeHint() const
{
    return {ArrowsWidth() + 8, MinimumHeight()};
}
