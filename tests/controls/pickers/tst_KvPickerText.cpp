// SPDX-License-Identifier: MIT
#include "KvPickerText.h"

#include "PickerFixtures.h"

#include <QTest>

class tst_KvPickerText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useRussianLocale(); }
    void cleanup();
    void readsDates_data();
    void readsDates();
};

void tst_KvPickerText::cleanup()
{
    useRussianLocale();
}

void tst_KvPickerText::readsDates_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    const QString ru = QStringLiteral("ru_RU");
    QTest::newRow("full") << ru << "05.03.2026" << QDate(2026, 3, 5);
    QTest::newRow("one-digit day and month") << ru << "1.2.2026" << QDate(2026, 2, 1);
    QTest::newRow("one-digit month") << ru << "01.2.2026" << QDate(2026, 2, 1);
    QTest::newRow("two-digit year") << ru << "5.3.26" << QDate(2026, 3, 5);
    QTest::newRow("two-digit year, full day") << ru << "01.02.26" << QDate(2026, 2, 1);
    QTest::newRow("no year") << ru << "05.03" << QDate(2031, 3, 5);
    QTest::newRow("blanks around") << ru << " 5.3.26 " << QDate(2026, 3, 5);
    QTest::newRow("leap day") << ru << "29.2.2028" << QDate(2028, 2, 29);
    QTest::newRow("no leap day") << ru << "29.02.2025" << QDate();
    QTest::newRow("no 31st") << ru << "31.04.2026" << QDate();
    QTest::newRow("no 13th month") << ru << "1.13" << QDate();
    QTest::newRow("three-digit year") << ru << "5.3.026" << QDate();
    QTest::newRow("three-digit day") << ru << "005.3.2026" << QDate();
    QTest::newRow("day alone") << ru << "5" << QDate();
    QTest::newRow("trailing separator") << ru << "5.3." << QDate();
    QTest::newRow("four fields") << ru << "5.3.2026.1" << QDate();
    QTest::newRow("foreign separator") << ru << "5/3/2026" << QDate();
    QTest::newRow("letters") << ru << "5.март" << QDate();
    QTest::newRow("empty") << ru << "" << QDate();
    // The fields come in the desktop's order.
    QTest::newRow("month first in English") << "en_US" << "3/5/26" << QDate(2026, 3, 5);
    QTest::newRow("no year in English") << "en_US" << "12/31" << QDate(2031, 12, 31);
}

void tst_KvPickerText::readsDates()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(ReadDateText(text, QDate(2031, 7, 15)).value_or(QDate()), date);
}

QTEST_GUILESS_MAIN(tst_KvPickerText)
#include "tst_KvPickerText.moc"
