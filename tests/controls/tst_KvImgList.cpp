// SPDX-License-Identifier: MIT
#include "KvImgList.h"

#include "RatioPixels.h"

#include <QPainter>
#include <QTest>

#include <stdexcept>

class tst_KvImgList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bitPool();
    void bitPoolRejectsSlotsOutsideIt_data();
    void bitPoolRejectsSlotsOutsideIt();
    void drawsSharpAtRatio_data();
    void drawsSharpAtRatio();
    void replacedImageDrawsAnewAtRatio();
};

namespace {

constexpr QRgb kMasked = 0xFFFF00FFu;
constexpr QRgb kCanvas = 0xFF102030u;

// An 8 x 8 picture: a red stroke two pixels thick from the bottom-left to the top-right on
// green, with a masked top-left corner.
QImage strokePicture()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (int i = 0; i < 8; ++i) {
        picture.setPixel(i, 7 - i, qRgb(255, 0, 0));
        if (i < 7)
            picture.setPixel(i + 1, 7 - i, qRgb(255, 0, 0));
    }
    picture.setPixel(0, 0, kMasked);
    picture.setPixel(1, 0, kMasked);
    picture.setPixel(0, 1, kMasked);
    return picture;
}

// Image index of the list drawn at (2, 2) of a 12 x 12 canvas of ratio.
QImage drawnAt(const TCustomImageList &images, int index, TImageDrawStyle style, qreal ratio)
{
    QImage canvas(qRound(12 * ratio), qRound(12 * ratio), QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(kCanvas);
    QPainter painter(&canvas);
    images.Draw(painter, 2, 2, index, style);
    return canvas;
}

} // namespace

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

void tst_KvImgList::drawsSharpAtRatio_data()
{
    QTest::addColumn<TImageDrawStyle>("style");
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.25, 1.5, 2.0}) {
        QTest::addRow("transparent at %g", ratio) << idsTransparent << ratio;
        QTest::addRow("blended at %g", ratio) << idsBlend25 << ratio;
    }
}

void tst_KvImgList::drawsSharpAtRatio()
{
    QFETCH(TImageDrawStyle, style);
    QFETCH(qreal, ratio);
    TCustomImageList images(8, 8);
    QCOMPARE(images.AddMasked(strokePicture(), QColor::fromRgb(kMasked)), 0);
    // The picture at ratio 1 gives every colour that may appear at a finer one: no smoothing
    // makes up colours between the stroke, its ground and the canvas.
    const QImage flat = drawnAt(images, 0, style, 1.0);
    const QImage fine = drawnAt(images, 0, style, ratio);
    QCOMPARE(fine.size(), QSize(qRound(12 * ratio), qRound(12 * ratio)));
    QVERIFY(RatioPixels::colours(flat, flat.rect()).contains(RatioPixels::colours(fine, fine.rect())));
    // The masked corner keeps the canvas, the stroke's middle its own colour.
    QCOMPARE(fine.pixel(qRound(2 * ratio), qRound(2 * ratio)), kCanvas);
    QCOMPARE(fine.pixel(qRound(6 * ratio), qRound(6 * ratio)), flat.pixel(6, 6));
    if (ratio == 2.0) {
        // The stroke's steps are cut in device pixels, not its logical pixels doubled.
        QVERIFY(RatioPixels::hasFineDetail(fine, QRect(4, 4, 16, 16)));
    }
}

void tst_KvImgList::replacedImageDrawsAnewAtRatio()
{
    TCustomImageList images(8, 8);
    QCOMPARE(images.AddMasked(strokePicture(), QColor::fromRgb(kMasked)), 0);
    QCOMPARE(drawnAt(images, 0, idsTransparent, 2.0).pixel(12, 12), 0xFFFF0000u);
    QImage yellow(8, 8, QImage::Format_RGB32);
    yellow.fill(Qt::yellow);
    images.Replace(0, yellow);
    const QImage image = drawnAt(images, 0, idsTransparent, 2.0);
    QCOMPARE(image.pixel(12, 12), 0xFFFFFF00u);
    QCOMPARE(image.pixel(4, 4), 0xFFFFFF00u);
}

QTEST_MAIN(tst_KvImgList)
#include "tst_KvImgList.moc"
