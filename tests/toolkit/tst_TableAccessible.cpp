// SPDX-License-Identifier: MIT
#include "TableAccessible.h"

#include <QTest>
#include <QWidget>

namespace {

class TestCell : public toolkit::TTableCellAccessible<toolkit::TTableAccessible>
{
public:
    using TTableCellAccessible::TTableCellAccessible;

    QString text(QAccessible::Text) const override { return QStringLiteral("%1,%2").arg(FRow).arg(FColumn); }
    QRect rect() const override { return {}; }
    QAccessible::State state() const override { return {}; }
};

// Two rows of three columns.
class TestTable : public toolkit::TTableAccessible
{
public:
    using TTableAccessible::TTableAccessible;

    int columnCount() const override { return 3; }
    int rowCount() const override { return 2; }

protected:
    QAccessibleInterface *makeCell(int row, int column) override { return new TestCell(this, row, column); }
};

} // namespace

class tst_TableAccessible : public QObject
{
    Q_OBJECT

private slots:
    void childrenAreTheCellsInRowOrder()
    {
        QWidget widget;
        TestTable table(&widget);
        QCOMPARE(table.childCount(), 6);
        for (int i = 0; i < 6; ++i) {
            QAccessibleInterface *cell = table.child(i);
            QVERIFY(cell);
            QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("%1,%2").arg(i / 3).arg(i % 3));
            QCOMPARE(table.indexOfChild(cell), i);
            QCOMPARE(cell->parent(), &table);
            // A screen reader keeps the id it was given: asking again gives the same cell.
            QCOMPARE(table.cellAt(i / 3, i % 3), cell);
        }
    }

    void placesOutsideHaveNoCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row before") << -1 << 0;
        QTest::newRow("column before") << 0 << -1;
        QTest::newRow("row after") << 2 << 0;
        QTest::newRow("column after") << 0 << 3;
    }
    void placesOutsideHaveNoCell()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QWidget widget;
        TestTable table(&widget);
        QVERIFY(!table.cellAt(row, column));
    }

    void childrenOutsideHaveNoIndex()
    {
        QWidget widget;
        TestTable table(&widget);
        QVERIFY(!table.child(-1));
        QVERIFY(!table.child(6));
        QCOMPARE(table.indexOfChild(nullptr), -1);
        // The same place in another table is no child of this one.
        QWidget other;
        TestTable otherTable(&other);
        QCOMPARE(table.indexOfChild(otherTable.cellAt(1, 1)), -1);
    }
};

QTEST_MAIN(tst_TableAccessible)
#include "tst_TableAccessible.moc"
