// SPDX-License-Identifier: MIT
#include "DrawGrid.h"
#include "Frame3D.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using toolkit::TDrawGrid;

class tst_DrawGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mouseToCell_data();
    void mouseToCell();
    void markedCellStaysOnTheGrid();
    void keysDoNothing();
    void markedReportedUnfocusedWhenAsked();
    void pointerSignals();
    void frame3D_data();
    void frame3D();
};

void tst_DrawGrid::mouseToCell_data()
{
    // Cells 10 x 5 with a 1-pixel line after each, inside a 2-pixel border; 3 x 3 cells.
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QPoint>("cell");
    QTest::newRow("first pixel of the first cell") << QPoint(2, 2) << QPoint(0, 0);
    QTest::newRow("on the border") << QPoint(1, 1) << QPoint(-1, -1);
    QTest::newRow("line after a cell belongs to it") << QPoint(12, 7) << QPoint(0, 0);
    QTest::newRow("next cell") << QPoint(13, 8) << QPoint(1, 1);
    QTest::newRow("last cell") << QPoint(34, 19) << QPoint(2, 2);
    QTest::newRow("beyond the last column") << QPoint(35, 3) << QPoint(-1, 0);
    QTest::newRow("below the last row") << QPoint(3, 20) << QPoint(0, -1);
    QTest::newRow("far outside") << QPoint(-50, 900) << QPoint(-1, -1);
}

void tst_DrawGrid::mouseToCell()
{
    QFETCH(QPoint, pos);
    QFETCH(QPoint, cell);
    TDrawGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setDefaultColWidth(10);
    grid.setDefaultRowHeight(5);
    QCOMPARE(grid.mouseToCell(pos), cell);
    if (cell.x() >= 0 && cell.y() >= 0)
        QVERIFY(grid.cellRect(cell.x(), cell.y()).adjusted(0, 0, 1, 1).contains(pos));
}

void tst_DrawGrid::markedCellStaysOnTheGrid()
{
    TDrawGrid grid;
    grid.setColCount(10);
    grid.setRowCount(10);
    grid.setMarkedCell(8, 9);
    QCOMPARE(grid.markedCell(), QPoint(8, 9));
    grid.setRowCount(4);
    grid.setColCount(4);
    QCOMPARE(grid.markedCell(), QPoint(3, 3));
    grid.setMarkedCell(-5, 7);
    QCOMPARE(grid.markedCell(), QPoint(0, 3));
}

void tst_DrawGrid::keysDoNothing()
{
    TDrawGrid grid;
    grid.setColCount(5);
    grid.setRowCount(5);
    grid.setMarkedCell(2, 2);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Tab})
        QTest::keyClick(&grid, key);
    QCOMPARE(grid.markedCell(), QPoint(2, 2));
}

void tst_DrawGrid::markedReportedUnfocusedWhenAsked()
{
    TDrawGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    QList<QPoint> reported;
    grid.setDrawCellHandler([&reported](QPainter &, int col, int row, const QRect &, bool marked) {
        if (marked)
            reported << QPoint(col, row);
    });
    QSignalSpy moved(&grid, &TDrawGrid::markedCellChanged);
    grid.setMarkedCell(1, 2);
    grid.setMarkedCell(1, 2);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toPoint(), QPoint(1, 2));

    QVERIFY(!grid.hasFocus());
    grid.grab();
    QVERIFY(reported.isEmpty());
    grid.setMarkedAlwaysReported(true);
    grid.grab();
    QCOMPARE(reported, QList<QPoint>{QPoint(1, 2)});

    // A smaller grid brings the marked cell back on, and says so.
    grid.setRowCount(2);
    QCOMPARE(moved.count(), 2);
    QCOMPARE(moved.at(1).at(0).toPoint(), QPoint(1, 1));
}

void tst_DrawGrid::pointerSignals()
{
    TDrawGrid grid;
    grid.resize(200, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy moved(&grid, &TDrawGrid::mouseMoved);
    QSignalSpy pressed(&grid, &TDrawGrid::mousePressed);
    QTest::mouseMove(&grid, QPoint(30, 40)); // no button held: tracking is on
    QTRY_COMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toPoint(), QPoint(30, 40));
    QTest::mousePress(&grid, Qt::MiddleButton, {}, QPoint(5, 6));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::MiddleButton);
    QCOMPARE(pressed.at(0).at(2).toPoint(), QPoint(5, 6));
    QVERIFY(grid.hasFocus());
}

void tst_DrawGrid::frame3D_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("one ring") << 1;
    QTest::newRow("two rings") << 2;
    QTest::newRow("none") << 0;
}

void tst_DrawGrid::frame3D()
{
    QFETCH(int, width);
    const QColor top(Qt::red), bottom(Qt::blue), back(Qt::white);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(back);
    QRect r(0, 0, 8, 6);
    {
        QPainter p(&image);
        toolkit::Frame3D(p, r, top, bottom, width);
    }
    QCOMPARE(r, QRect(width, width, 8 - 2 * width, 6 - 2 * width));
    for (int ring = 0; ring < 2; ++ring) {
        const QRect o(ring, ring, 8 - 2 * ring, 6 - 2 * ring);
        const bool drawn = ring < width;
        auto expect = [&](int x, int y, const QColor &c) {
            QCOMPARE(QColor(image.pixel(x, y)), drawn ? c : back);
        };
        expect(o.left(), o.top(), top);
        expect(o.right() - 1, o.top(), top);
        expect(o.left(), o.bottom() - 1, top);
        // The corners on the far ends of the top and left edges take the bottom-right colour.
        expect(o.right(), o.top(), bottom);
        expect(o.left(), o.bottom(), bottom);
        expect(o.right(), o.bottom(), bottom);
    }
    QCOMPARE(QColor(image.pixel(3, 2)), width < 3 ? back : top);
}

QTEST_MAIN(tst_DrawGrid)
#include "tst_DrawGrid.moc"
