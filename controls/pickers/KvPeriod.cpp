// SPDX-License-Identifier: MIT
#include "KvPeriod.h"

#include "KavoBtns.h"
#include "KvCalendar.h"
#include "KvDialogButtons.h"
#include "Desktop.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace toolkit;

std::pair<QDate, QDate> PeriodOf(TPeriodChoice choice, QDate today)
{
    const QDate monthStart(today.year(), today.month(), 1);
    switch (choice) {
    case pcToday:
        return {today, today};
    case pcThisWeek: {
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        return {monday, monday.addDays(6)};
    }
    case pcThisMonth:
        return {monthStart, monthStart.addMonths(1).addDays(-1)};
    case pcThisQuarter: {
        const QDate start(today.year(), (today.month() - 1) / 3 * 3 + 1, 1);
        return {start, start.addMonths(3).addDays(-1)};
    }
    case pcThisYear:
        return {QDate(today.year(), 1, 1), QDate(today.year(), 12, 31)};
    case pcLastMonth:
        return {monthStart.addMonths(-1), monthStart.addDays(-1)};
    }
    return {today, today};
}

TkavoPeriodDialog::TkavoPeriodDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Период"));
    FFrom = new TkavoCalendarPanel(this);
    FTo = new TkavoCalendarPanel(this);
    FFrom->setAccessibleName(QStringLiteral("Начало периода"));
    FTo->setAccessibleName(QStringLiteral("Конец периода"));
    auto *fromCaption = new QLabel(QStringLiteral("&С:"), this);
    fromCaption->setBuddy(FFrom->Grid());
    auto *toCaption = new QLabel(QStringLiteral("&По:"), this);
    toCaption->setBuddy(FTo->Grid());

    const QString captions[6] = {QStringLiteral("Сегодня"),      QStringLiteral("Эта неделя"),
                                 QStringLiteral("Этот месяц"),   QStringLiteral("Этот квартал"),
                                 QStringLiteral("Этот год"),     QStringLiteral("Прошлый месяц")};
    auto *choices = new QVBoxLayout;
    for (int i = 0; i < 6; ++i) {
        auto *button = new TkavoBitBtn(this);
        button->setCaption(captions[i]);
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
        connect(button, &QPushButton::clicked, this, [this, i] { Choose(TPeriodChoice(i)); });
        choices->addWidget(button);
        FChoices[i] = button;
    }
    choices->addStretch(1);

    auto *calendars = new QGridLayout;
    calendars->addWidget(fromCaption, 0, 0);
    calendars->addWidget(toCaption, 0, 1);
    calendars->addWidget(FFrom, 1, 0);
    calendars->addWidget(FTo, 1, 1);
    calendars->addLayout(choices, 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(calendars, 1);
    layout->addLayout(OkCancelRow(this));
    FFrom->Grid()->setFocus();
}

QDate TkavoPeriodDialog::DateFrom() const
{
    return FFrom->Grid()->Date();
}

QDate TkavoPeriodDialog::DateTo() const
{
    return FTo->Grid()->Date();
}

void TkavoPeriodDialog::setPeriod(QDate from, QDate to)
{
    FFrom->Grid()->setDate(from);
    FTo->Grid()->setDate(to);
}

void TkavoPeriodDialog::setToday(QDate today)
{
    FToday = today;
    FFrom->Grid()->setToday(today);
    FTo->Grid()->setToday(today);
}

void TkavoPeriodDialog::Choose(TPeriodChoice choice)
{
    const auto [from, to] = PeriodOf(choice, FToday.isValid() ? FToday : QDate::currentDate());
    setPeriod(from, to);
}

void TkavoPeriodDialog::done(int result)
{
    if (result == Accepted && DateTo() < DateFrom()) {
        ShowMessage(QStringLiteral("Конец периода (%1) раньше его начала (%2). Выберите другие даты.")
                        .arg(QLocale().toString(DateTo(), QLocale::ShortFormat),
                             QLocale().toString(DateFrom(), QLocale::ShortFormat)));
        return;
    }
    QDialog::done(result);
}
