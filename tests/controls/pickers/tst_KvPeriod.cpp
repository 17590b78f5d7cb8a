// SPDX-License-Identifier: MIT
#include "KvPeriod.h"

#include "KavoBtns.h"
#include "KvCalendar.h"
#include "PickerFixtures.h"
#include "RecordingDesktop.h"

#include <QTest>

class tst_KvPeriod : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void quickPeriods_data();
    void quickPeriods();
    void refusesBackwardPeriod();
};

void tst_KvPeriod::initTestCase()
{
    useRussianLocale();
}

void tst_KvPeriod::quickPeriods_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");

    const QDate wednesday(2026, 5, 20);
    QTest::newRow("today") << wednesday << int(pcToday) << wednesday << wednesday;
    QTest::newRow("week from Monday") << wednesday << int(pcThisWeek) << QDate(2026, 5, 18) << QDate(2026, 5, 24);
    QTest::newRow("week on a Sunday") << QDate(2026, 5, 24) << int(pcThisWeek) << QDate(2026, 5, 18) << QDate(2026, 5, 24);
    QTest::newRow("month") << wednesday << int(pcThisMonth) << QDate(2026, 5, 1) << QDate(2026, 5, 31);
    QTest::newRow("quarter") << wednesday << int(pcThisQuarter) << QDate(2026, 4, 1) << QDate(2026, 6, 30);
    QTest::newRow("last quarter") << QDate(2026, 12, 31) << int(pcThisQuarter) << QDate(2026, 10, 1) << QDate(2026, 12, 31);
    QTest::newRow("year") << wednesday << int(pcThisYear) << QDate(2026, 1, 1) << QDate(2026, 12, 31);
    QTest::newRow("last month") << wednesday << int(pcLastMonth) << QDate(2026, 4, 1) << QDate(2026, 4, 30);
    QTest::newRow("last month across a year") << QDate(2026, 1, 15) << int(pcLastMonth) << QDate(2025, 12, 1) << QDate(2025, 12, 31);
    QTest::newRow("leap February") << QDate(2024, 3, 31) << int(pcLastMonth) << QDate(2024, 2, 1) << QDate(2024, 2, 29);
}

void tst_KvPeriod::quickPeriods()
{
    QFETCH(QDate, today);
    QFETCH(int, choice);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    TkavoPeriodDialog dialog;
    dialog.setToday(today);
    QTest::mouseClick(dialog.ChoiceButton(TPeriodChoice(choice)), Qt::LeftButton);
    QCOMPARE(dialog.DateFrom(), from);
    QCOMPARE(dialog.DateTo(), to);
}

void tst_KvPeriod::refusesBackwardPeriod()
{
    RecordingDesktop boxes;
    TkavoPeriodDialog dialog;
    dialog.setPeriod(QDate(2026, 5, 10), QDate(2026, 5, 10));
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.ToPanel()->Grid(), Qt::Key_Left);
    QTest::keyClick(dialog.ToPanel()->Grid(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.messages,
             QStringList({"Конец периода (09.05.2026) раньше его начала (10.05.2026). Выберите другие даты."}));
    QTest::keyClick(dialog.ToPanel()->Grid(), Qt::Key_Right);
    QTest::keyClick(dialog.ToPanel()->Grid(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(boxes.messages.size(), 1);
}

QTEST_MAIN(tst_KvPeriod)
#include "tst_KvPeriod.moc"
