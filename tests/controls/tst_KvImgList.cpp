// SPDX-License-Identifier: MIT
#include "KvImgList.h"

#include <QTest>

#include <stdexcept>

class tst_KvImgList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bitPool();
    void bitPoolRejectsSlotsOutsideIt_data();
    void bitPoolRejectsSlotsOutsideIt();
};

void tst_KvImgList::bitPool()
{
    TBitPool pool;
    QCOMPARE(pool.FirstFree(), -1);
    pool.Resize(40);
    QCOMPARE(pool.FirstFree(), 0);
    for (int i = 0; i < 32; ++i)
        pool.SetSlot(i, true);
    QCOMPARE(pool.FirstFree(), 32);
    pool.SetSlot(33, true);
    QCOMPARE(pool.FirstFree(), 32);
    pool.SetSlot(32, true);
    QCOMPARE(pool.FirstFree(), 34);
    pool.SetSlot(5, false);
    QCOMPARE(pool.FirstFree(), 5);

    // Growing past a word boundary and shrinking back keep the bits below the new size.
    pool.Resize(100);
    QVERIFY(pool.SlotUsed(33));
    QVERIFY(!pool.SlotUsed(99));
    pool.Resize(34);
    QVERIFY(pool.SlotUsed(33));
    QVERIFY(!pool.SlotUsed(5));

    // A slot dropped by shrinking comes back clear.
    pool.Resize(33);
    pool.Resize(34);
    QVERIFY(!pool.SlotUsed(33));

    // Full pool: nothing free, whether the last word is partly or wholly used.
    pool.SetSlot(5, true);
    pool.SetSlot(33, true);
    QCOMPARE(pool.FirstFree(), -1);
    pool.Resize(32);
    QCOMPARE(pool.FirstFree(), -1);
    pool.Resize(0);
    QCOMPARE(pool.Size(), 0);
    QCOMPARE(pool.FirstFree(), -1);
}

void tst_KvImgList::bitPoolRejectsSlotsOutsideIt_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("slot");
    QTest::newRow("empty pool") << 0 << 0;
    QTest::newRow("negative") << 10 << -1;
    QTest::newRow("just past the size, same word") << 10 << 10;
    QTest::newRow("next word") << 32 << 32;
    QTest::newRow("beyond the largest pool") << 64 << TBitPool::MaxSlots;
}

void tst_KvImgList::bitPoolRejectsSlotsOutsideIt()
{
    QFETCH(int, size);
    QFETCH(int, slot);
    TBitPool pool;
    pool.Resize(size);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, pool.SetSlot(slot, true));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, pool.SlotUsed(slot));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, pool.Resize(TBitPool::MaxSlots + 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, pool.Resize(-1));
    QCOMPARE(pool.Size(), size);
}

QTEST_MAIN(tst_KvImgList)
#include "tst_KvImgList.moc"
