// SPDX-License-Identifier: MIT
#include "KvGraph.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using namespace toolkit;

namespace {

constexpr QRgb kPaper = 0xFFFFFFFF;
constexpr QRgb kInk = 0xFF000000;

QFont crispFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Draws with one of the helpers on white paper and returns the box of the black pixels.
template<class Draw>
QRect inkOf(Draw draw)
{
    QImage image(200, 80, QImage::Format_RGB32);
    image.fill(kPaper);
    {
        QPainter painter(&image);
        painter.setFont(crispFont());
        painter.setPen(Qt::black);
        draw(painter);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kInk)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

Q_DECLARE_METATYPE(TAlignment)

class tst_KvGraph : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centering_data();
    void centering();
    void alignedText_data();
    void alignedText();
    void textIsClippedToTheRectangle();
    void wrappedTextWraps();
    void emptyAndLongTexts();
};

void tst_KvGraph::centering_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("start");

    QTest::newRow("11 in 0..14") << 0 << 14 << 11 << 1;
    QTest::newRow("12 in 0..14") << 0 << 14 << 12 << 1;
    QTest::newRow("13 in 0..14") << 0 << 14 << 13 << 0;
    QTest::newRow("13 in 0..10 starts above, toward the edge") << 0 << 10 << 13 << -1;
    QTest::newRow("4 in 10..20") << 10 << 20 << 4 << 13;
    QTest::newRow("odd room rounds down") << 5 << 10 << 2 << 6;
    QTest::newRow("far too large") << 5 << 10 << 20 << -2;
}

void tst_KvGraph::centering()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, size);
    QFETCH(int, start);

    // The rectangle spans from..to with "to" as its far edge.
    QCOMPARE(CenterTop(QRect(7, from, 3, to - from), size), start);
    QCOMPARE(CenterLeft(QRect(from, 7, to - from, 3), size), start);
}

void tst_KvGraph::alignedText_data()
{
    QTest::addColumn<TAlignment>("alignment");
    QTest::newRow("left") << taLeftJustify;
    QTest::newRow("right") << taRightJustify;
    QTest::newRow("centre") << taCenter;
}

void tst_KvGraph::alignedText()
{
    QFETCH(TAlignment, alignment);

    const QRect rect(20, 10, 160, 30);
    const QRect ink = inkOf([&](QPainter &p) { DrawAlignedText(p, QStringLiteral("Wide"), rect, alignment); });
    QVERIFY(!ink.isEmpty());
    QVERIFY(rect.contains(ink));
    const int leftRoom = ink.left() - rect.left();
    const int rightRoom = rect.right() - ink.right();
    switch (alignment) {
    case taLeftJustify:
        QVERIFY(leftRoom < 4);
        break;
    case taRightJustify:
        QVERIFY(rightRoom < 4);
        break;
    case taCenter:
        QVERIFY(qAbs(leftRoom - rightRoom) < 4);
        break;
    }
    // Top alignment: the ink starts near the rectangle's top.
    QVERIFY(ink.top() - rect.top() < 8);
}

void tst_KvGraph::textIsClippedToTheRectangle()
{
    const QRect rect(20, 10, 30, 20);
    const QRect ink = inkOf([&](QPainter &p) {
        DrawAlignedText(p, QStringLiteral("A caption much wider than its box"), rect, taLeftJustify);
    });
    QVERIFY(!ink.isEmpty());
    QVERIFY(rect.contains(ink));
}

void tst_KvGraph::wrappedTextWraps()
{
    const QString text = QStringLiteral("one two three four five");
    const QRect rect(10, 5, 70, 70);
    const QRect single = inkOf([&](QPainter &p) { DrawAlignedText(p, text, rect, taLeftJustify); });
    const QRect wrapped = inkOf([&](QPainter &p) { DrawWrappedText(p, text, rect, taLeftJustify); });
    const int line = QFontMetrics(crispFont()).height();
    QVERIFY(single.height() < line);
    QVERIFY(wrapped.height() > line);
    QVERIFY(rect.contains(wrapped));
}

void tst_KvGraph::emptyAndLongTexts()
{
    const QRect rect(0, 0, 200, 80);
    QVERIFY(inkOf([&](QPainter &p) { DrawAlignedText(p, QString(), rect, taCenter); }).isEmpty());
    QVERIFY(inkOf([&](QPainter &p) { DrawWrappedText(p, QString(), rect, taCenter); }).isEmpty());

    // Only the first 255 characters are drawn: a mark after them never shows, even where the
    // alignment would put it in view.
    const QString longText = QString(255, QLatin1Char(' ')) + QStringLiteral("MARK");
    QVERIFY(inkOf([&](QPainter &p) { DrawAlignedText(p, longText, rect, taRightJustify); }).isEmpty());
    QVERIFY(!inkOf([&](QPainter &p) { DrawAlignedText(p, longText.mid(10), rect, taRightJustify); }).isEmpty());
}

QTEST_MAIN(tst_KvGraph)
#include "tst_KvGraph.moc"
