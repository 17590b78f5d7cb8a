// SPDX-License-Identifier: MIT
#include "Cursors.h"

#include <QPixmap>
#include <QTest>
#include <QWidget>

using namespace toolkit;

class tst_Cursors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standardSlots_data();
    void standardSlots();
    void filledSlotLoadsOnce();
    void applyCursor();
};

void tst_Cursors::standardSlots_data()
{
    QTest::addColumn<TCursor>("slot");
    QTest::addColumn<Qt::CursorShape>("shape");

    QTest::newRow("hand point, unfilled") << crHandPoint << Qt::PointingHandCursor;
    QTest::newRow("unknown slot") << TCursor(-300) << Qt::ArrowCursor;
}

void tst_Cursors::standardSlots()
{
    QFETCH(TCursor, slot);
    QFETCH(Qt::CursorShape, shape);
    QCOMPARE(screenCursor(slot).shape(), shape);
}

void tst_Cursors::filledSlotLoadsOnce()
{
    int loads = 0;
    setScreenCursor(crHandPoint, [&] {
        ++loads;
        QPixmap picture(32, 32);
        picture.fill(Qt::black);
        return QCursor(picture, 6, 16);
    });
    QCOMPARE(loads, 0); // nothing is built before it is needed
    QCOMPARE(screenCursor(crHandPoint).hotSpot(), QPoint(6, 16));
    QCOMPARE(screenCursor(crHandPoint).shape(), Qt::BitmapCursor);
    QCOMPARE(loads, 1);
    resetScreenCursor(crHandPoint);
    QCOMPARE(screenCursor(crHandPoint).shape(), Qt::PointingHandCursor);
}

void tst_Cursors::applyCursor()
{
    QWidget parent;
    QWidget widget(&parent);
    toolkit::applyCursor(&widget, crCross);
    QCOMPARE(widget.cursor().shape(), Qt::CrossCursor);
    QVERIFY(widget.testAttribute(Qt::WA_SetCursor));
    toolkit::applyCursor(&widget, crDefault);
    QVERIFY(!widget.testAttribute(Qt::WA_SetCursor));
}

QTEST_MAIN(tst_Cursors)
#include "tst_Cursors.moc"
