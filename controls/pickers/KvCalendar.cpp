// SPDX-License-Identifier: MIT
#include "KvCalendar.h"

#include "Colors.h"
#include "KavoBtns.h"
#include "KvCalendarAccess.h"
#include "KvDialogButtons.h"

#include <QAccessible>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>

using namespace toolkit;

namespace {

// Six weeks cover every month however it falls; the first row names the days.
constexpr int kWeeks = 6;

} // namespace

TkavoMonthGrid::TkavoMonthGrid(QWidget *parent) : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(MonthGridAccessibleFactory), true);
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Календарь"));
    setDate(QDate::currentDate());
}

QDate TkavoMonthGrid::clamp(QDate date) const
{
    if (FMinDate.isValid() && date < FMinDate)
        return FMinDate;
    if (FMaxDate.isValid() && date > FMaxDate)
        return FMaxDate;
    return date;
}

bool TkavoMonthGrid::Selectable(QDate date) const
{
    return date.isValid() && clamp(date) == date;
}

void TkavoMonthGrid::setDate(QDate date)
{
    date = clamp(date);
    if (!date.isValid())
        return;
    const QDate month(date.year(), date.month(), 1);
    if (date == FDate && month == FMonth)
        return;
    const bool changed = date != FDate;
    FDate = date;
    FMonth = month;
    setAccessibleDescription(QLocale().toString(FDate, QLocale::LongFormat));
    update();
    if (changed && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, accessibleDescription());
        QAccessible::updateAccessibility(&event);
    }
    if (changed && OnChange)
        OnChange(FDate);
}

void TkavoMonthGrid::setRange(QDate minimum, QDate maximum)
{
    FMinDate = minimum;
    FMaxDate = maximum;
    setDate(FDate);
    update();
}

void TkavoMonthGrid::setToday(QDate today)
{
    if (today == FToday)
        return;
    FToday = today;
    update();
}

int TkavoMonthGrid::cellWidth() const
{
    return std::max(1, width() / 7);
}

int TkavoMonthGrid::cellHeight() const
{
    return std::max(1, height() / (kWeeks + 1));
}

QDate TkavoMonthGrid::firstShown() const
{
    // The Monday on or before the first of the month.
    return FMonth.addDays(1 - FMonth.dayOfWeek());
}

QRect TkavoMonthGrid::DayRect(QDate date) const
{
    const qint64 index = firstShown().daysTo(date);
    if (index < 0 || index >= 7 * kWeeks)
        return {};
    return {int(index % 7) * cellWidth(), int(index / 7 + 1) * cellHeight(), cellWidth(), cellHeight()};
}

QDate TkavoMonthGrid::DateAt(QPoint pos) const
{
    const int column = pos.x() / cellWidth();
    const int row = pos.y() / cellHeight() - 1;
    if (pos.x() < 0 || pos.y() < 0 || column >= 7 || row < 0 || row >= kWeeks)
        return {};
    return firstShown().addDays(row * 7 + column);
}

QSize TkavoMonthGrid::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {7 * (metrics.horizontalAdvance(QStringLiteral("88")) + 12), (kWeeks + 1) * (metrics.height() + 6)};
}

void TkavoMonthGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    painter.fillRect(rect(), clWindow.resolve(pal));
    const QLocale locale;
    const int cw = cellWidth();
    const int ch = cellHeight();

    // The day names over a button-face band, Monday first.
    painter.fillRect(0, 0, 7 * cw, ch, clBtnFace.resolve(pal));
    painter.setPen(clBtnText.resolve(pal));
    for (int column = 0; column < 7; ++column)
        painter.drawText(QRect(column * cw, 0, cw, ch), Qt::AlignCenter,
                         locale.dayName(column + 1, QLocale::ShortFormat));

    const QDate today = Today();
    QDate day = firstShown();
    for (int index = 0; index < 7 * kWeeks; ++index, day = day.addDays(1)) {
        const QRect cell = DayRect(day);
        const bool inMonth = day.month() == FMonth.month();
        const bool chosen = day == FDate;
        if (chosen)
            painter.fillRect(cell.adjusted(1, 1, -1, -1), (hasFocus() ? clHighlight : clBtnFace).resolve(pal));
        QColor ink = clWindowText.resolve(pal);
        if (chosen && hasFocus())
            ink = clHighlightText.resolve(pal);
        else if (!Selectable(day) || !inMonth)
            ink = clGrayText.resolve(pal);
        painter.setPen(ink);
        QFont font = this->font();
        font.setBold(day == today);
        painter.setFont(font);
        painter.drawText(cell, Qt::AlignCenter, QString::number(day.day()));
        if (day == today) {
            // Today wears a red outline, whatever is chosen.
            painter.setPen(QColor(200, 0, 0));
            painter.drawRect(cell.adjusted(2, 2, -3, -3));
        }
        if (chosen) {
            painter.setPen(clWindowText.resolve(pal));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

void TkavoMonthGrid::moveTo(QDate date)
{
    if (date.isValid())
        setDate(date);
}

void TkavoMonthGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        moveTo(FDate.addDays(layoutDirection() == Qt::RightToLeft ? 1 : -1));
        break;
    case Qt::Key_Right:
        moveTo(FDate.addDays(layoutDirection() == Qt::RightToLeft ? -1 : 1));
        break;
    case Qt::Key_Up:
        moveTo(FDate.addDays(-7));
        break;
    case Qt::Key_Down:
        moveTo(FDate.addDays(7));
        break;
    case Qt::Key_PageUp:
        moveTo(FDate.addMonths(-1));
        break;
    case Qt::Key_PageDown:
        moveTo(FDate.addMonths(1));
        break;
    case Qt::Key_Home:
        moveTo(QDate(FDate.year(), FDate.month(), 1));
        break;
    case Qt::Key_End:
        moveTo(QDate(FDate.year(), FDate.month(), FDate.daysInMonth()));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TkavoMonthGrid::mousePressEvent(QMouseEvent *event)
{
    const QDate date = DateAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && Selectable(date))
        setDate(date);
    else
        QWidget::mousePressEvent(event);
}

void TkavoMonthGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QDate date = DateAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && Selectable(date) && OnActivate) {
        setDate(date);
        OnActivate(date);
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

// The panel.

TkavoCalendarPanel::TkavoCalendarPanel(QWidget *parent) : QWidget(parent)
{
    FGrid = new TkavoMonthGrid(this);
    FTitle = new QLabel(this);
    FTitle->setAlignment(Qt::AlignCenter);
    QFont bold = FTitle->font();
    bold.setBold(true);
    FTitle->setFont(bold);
    auto arrow = [this](const QString &caption, const QString &name, int months) {
        auto *button = new TkavoBitBtn(this);
        button->setCaption(caption);
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(26, 22);
        button->setAccessibleName(name);
        connect(button, &QPushButton::clicked, this, [this, months] { FGrid->setDate(FGrid->Date().addMonths(months)); });
        return button;
    };
    auto *header = new QHBoxLayout;
    header->addWidget(arrow(QStringLiteral("<"), QStringLiteral("Предыдущий месяц"), -1));
    header->addWidget(FTitle, 1);
    header->addWidget(arrow(QStringLiteral(">"), QStringLiteral("Следующий месяц"), 1));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(header);
    layout->addWidget(FGrid, 1);
    FGrid->OnChange = [this](QDate) { refresh(); };
    refresh();
    setFocusProxy(FGrid);
}

QString TkavoCalendarPanel::Title() const
{
    const QDate month = FGrid->Month();
    QString name = QLocale().standaloneMonthName(month.month(), QLocale::LongFormat);
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name + u' ' + QString::number(month.year());
}

void TkavoCalendarPanel::refresh()
{
    FTitle->setText(Title());
    FTitle->setAccessibleName(Title());
}

// The dialog.

TkavoCalendar::TkavoCalendar(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Календарь"));
    FPanel = new TkavoCalendarPanel(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FPanel, 1);
    layout->addLayout(OkCancelRow(this));
    Grid()->OnActivate = [this](QDate) { accept(); };
    Grid()->setFocus();
}
