// SPDX-License-Identifier: MIT
#include "KvIntList.h"

#include <QTest>

#include <stdexcept>

namespace {

TIntList listOf(std::initializer_list<std::int32_t> values)
{
    TIntList list;
    for (const std::int32_t value : values)
        list.Add(value);
    return list;
}

QList<int> items(const TIntList &list)
{
    QList<int> result;
    for (int i = 0; i < list.Count(); ++i)
        result << list[i];
    return result;
}

} // namespace

class tst_KvIntList : public QObject
{
    Q_OBJECT

private slots:
    void edits();
    void sortedInsert_data();
    void sortedInsert();
    void refusalsThrow_data();
    void refusalsThrow();
};

void tst_KvIntList::edits()
{
    TIntList list = listOf({5, -3, INT32_MAX});
    list.Insert(0, 7);
    list.Insert(list.Count(), INT32_MIN);
    QCOMPARE(items(list), QList<int>({7, 5, -3, INT32_MAX, INT32_MIN}));
    list.Delete(1);
    QCOMPARE(list.IndexOf(-3), 1);
    QCOMPARE(list.IndexOf(5), -1);
    list[0] = 4;
    list.Sort();
    QCOMPARE(items(list), QList<int>({INT32_MIN, -3, 4, INT32_MAX}));
    list.Clear();
    QCOMPARE(list.Count(), 0);
}

void tst_KvIntList::sortedInsert_data()
{
    QTest::addColumn<int>("duplicates");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("after");

    QTest::newRow("new value, front") << int(dupError) << 0 << 0 << QList<int>({0, 1, 3, 3, 9});
    QTest::newRow("new value, middle") << int(dupError) << 4 << 3 << QList<int>({1, 3, 3, 4, 9});
    QTest::newRow("new value, end") << int(dupIgnore) << 10 << 4 << QList<int>({1, 3, 3, 9, 10});
    QTest::newRow("ignore a duplicate") << int(dupIgnore) << 3 << 1 << QList<int>({1, 3, 3, 9});
    QTest::newRow("accept a duplicate after its equals") << int(dupAccept) << 3 << 3 << QList<int>({1, 3, 3, 3, 9});
}

void tst_KvIntList::sortedInsert()
{
    QFETCH(int, duplicates);
    QFETCH(int, value);
    QFETCH(int, index);
    QFETCH(QList<int>, after);
    TIntList list = listOf({1, 3, 3, 9});
    QCOMPARE(list.AddSorted(value, TDuplicates(duplicates)), index);
    QCOMPARE(items(list), after);
}

void tst_KvIntList::refusalsThrow_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("far") << INT32_MAX;
}

void tst_KvIntList::refusalsThrow()
{
    QFETCH(int, index);
    TIntList list = listOf({1, 2});
    const TIntList &constant = list;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.Delete(index));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)constant[index]);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list[index] = 0);
    // Inserting at Count() appends, so only the index past it is bad there.
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.Insert(index == 2 ? 3 : index, 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, list.AddSorted(2, dupError));
    QCOMPARE(items(list), QList<int>({1, 2}));
}

QTEST_GUILESS_MAIN(tst_KvIntList)
#include "tst_KvIntList.moc"
