// SPDX-License-Identifier: MIT
#include "KvCalendar.h"

#include "PickerFixtures.h"

#include <QAccessible>
#include <QTest>

class tst_KvCalendar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keyboard_data();
    void keyboard();
    void limits_data();
    void limits();
    void mouseChoosesOnlySelectableDays();
    void russianMonthFromMonday();
    void todayMarked();
    void accessibleTable();
};

void tst_KvCalendar::initTestCase()
{
    useRussianLocale();
}

void tst_KvCalendar::keyboard_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("expected");

    const QDate d(2024, 3, 31);
    QTest::newRow("left across a month") << QDate(2024, 3, 1) << int(Qt::Key_Left) << QDate(2024, 2, 29);
    QTest::newRow("right across a year") << QDate(2024, 12, 31) << int(Qt::Key_Right) << QDate(2025, 1, 1);
    QTest::newRow("up a week") << d << int(Qt::Key_Up) << QDate(2024, 3, 24);
    QTest::newRow("down a week") << d << int(Qt::Key_Down) << QDate(2024, 4, 7);
    QTest::newRow("page up to a short month") << d << int(Qt::Key_PageUp) << QDate(2024, 2, 29);
    QTest::newRow("page down") << d << int(Qt::Key_PageDown) << QDate(2024, 4, 30);
    QTest::newRow("home") << QDate(2024, 3, 17) << int(Qt::Key_Home) << QDate(2024, 3, 1);
    QTest::newRow("end") << QDate(2024, 2, 3) << int(Qt::Key_End) << QDate(2024, 2, 29);
}

void tst_KvCalendar::keyboard()
{
    QFETCH(QDate, start);
    QFETCH(int, key);
    QFETCH(QDate, expected);
    TkavoMonthGrid grid;
    grid.setDate(start);
    QList<QDate> changes;
    grid.OnChange = [&changes](QDate date) { changes << date; };
    QTest::keyClick(&grid, Qt::Key(key));
    QCOMPARE(grid.Date(), expected);
    QCOMPARE(grid.Month(), QDate(expected.year(), expected.month(), 1));
    QCOMPARE(changes, QList<QDate>({expected}));
}

void tst_KvCalendar::limits_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("expected");
    // Within 10..20 May 2026, starting on the 12th.
    QTest::newRow("week back stops at the first") << int(Qt::Key_Up) << QDate(2026, 5, 10);
    QTest::newRow("month on stops at the last") << int(Qt::Key_PageDown) << QDate(2026, 5, 20);
    QTest::newRow("home stops at the first") << int(Qt::Key_Home) << QDate(2026, 5, 10);
    QTest::newRow("end stops at the last") << int(Qt::Key_End) << QDate(2026, 5, 20);
    QTest::newRow("a day inside moves") << int(Qt::Key_Right) << QDate(2026, 5, 13);
}

void tst_KvCalendar::limits()
{
    QFETCH(int, key);
    QFETCH(QDate, expected);
    TkavoMonthGrid grid;
    grid.setDate(QDate(2026, 5, 1));
    grid.setRange(QDate(2026, 5, 10), QDate(2026, 5, 20));
    QCOMPARE(grid.Date(), QDate(2026, 5, 10));
    grid.setDate(QDate(2026, 5, 12));
    QTest::keyClick(&grid, Qt::Key(key));
    QCOMPARE(grid.Date(), expected);
}

void tst_KvCalendar::mouseChoosesOnlySelectableDays()
{
    TkavoMonthGrid grid;
    grid.resize(grid.sizeHint());
    grid.setDate(QDate(2026, 5, 12));
    grid.setRange(QDate(2026, 5, 10), QDate(2026, 5, 20));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.DayRect(QDate(2026, 5, 25)).center());
    QCOMPARE(grid.Date(), QDate(2026, 5, 12));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.DayRect(QDate(2026, 5, 15)).center());
    QCOMPARE(grid.Date(), QDate(2026, 5, 15));
    QCOMPARE(grid.DateAt(grid.DayRect(QDate(2026, 5, 15)).center()), QDate(2026, 5, 15));
}

void tst_KvCalendar::russianMonthFromMonday()
{
    TkavoCalendarPanel panel;
    panel.Grid()->setDate(QDate(2026, 2, 11));
    QCOMPARE(panel.Title(), QStringLiteral("Февраль 2026"));
    panel.Grid()->resize(210, 140);
    // 1 February 2026 is a Sunday: the last column of the first week; the 2nd, a Monday,
    // starts the second.
    QCOMPARE(panel.Grid()->DayRect(QDate(2026, 2, 1)).topLeft(), QPoint(180, 20));
    QCOMPARE(panel.Grid()->DayRect(QDate(2026, 2, 2)).topLeft(), QPoint(0, 40));
}

void tst_KvCalendar::todayMarked()
{
    TkavoMonthGrid grid;
    grid.resize(210, 140);
    grid.setToday(QDate(2026, 5, 14));
    grid.setDate(QDate(2026, 5, 20));
    const QImage image = grid.grab().toImage();
    const QRect today = grid.DayRect(QDate(2026, 5, 14));
    const QRect other = grid.DayRect(QDate(2026, 5, 13));
    const QPoint mark(2, 2);
    QCOMPARE(QColor(image.pixel(today.topLeft() + mark)), QColor(200, 0, 0));
    QVERIFY(QColor(image.pixel(other.topLeft() + mark)) != QColor(200, 0, 0));
}

void tst_KvCalendar::accessibleTable()
{
    TkavoMonthGrid grid;
    grid.resize(210, 140);
    grid.setRange(QDate(2026, 5, 1), QDate(2026, 5, 31));
    grid.setDate(QDate(2026, 5, 12));
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&grid);
    QVERIFY(face);
    QCOMPARE(face->role(), QAccessible::Table);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Календарь"));
    QAccessibleTableInterface *table = face->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->columnCount(), 7);
    QCOMPARE(table->columnDescription(0), QStringLiteral("понедельник"));
    const QString longDate = QLocale().toString(QDate(2026, 5, 12), QLocale::LongFormat);
    QCOMPARE(face->text(QAccessible::Value), longDate);

    // May 2026 begins on a Friday: the first row starts with Monday 27 April, out of range.
    QAccessibleInterface *first = table->cellAt(0, 0);
    QCOMPARE(first->text(QAccessible::Name), QLocale().toString(QDate(2026, 4, 27), QLocale::LongFormat));
    QVERIFY(first->state().disabled);
    QCOMPARE(table->selectedCells().size(), 1);
    QAccessibleInterface *chosen = table->selectedCells().at(0);
    QCOMPARE(chosen->text(QAccessible::Name), longDate);
    QVERIFY(chosen->state().selected);
    QCOMPARE(chosen->tableCellInterface()->rowIndex(), 2);
    QCOMPARE(chosen->tableCellInterface()->columnIndex(), 1);
    QCOMPARE(face->indexOfChild(chosen), 15);
    // A cell follows the month shown.
    grid.setDate(QDate(2026, 5, 31));
    QVERIFY(!chosen->state().selected);
}

QTEST_MAIN(tst_KvCalendar)
#include "tst_KvCalendar.moc"
