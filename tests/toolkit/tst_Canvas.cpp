// SPDX-License-Identifier: MIT
#include "Canvas.h"

#include <QApplication>
#include <QTest>

using namespace toolkit;

namespace {

QFont crispFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

class tst_Canvas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void measuring_data();
    void measuring();
    void drawingKeepsTheRectangle();
    void focusRectangle();
};

void tst_Canvas::measuring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<unsigned>("format");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("lines");

    QTest::newRow("single line") << "Board size" << DT_LEFT << "Board size" << 1;
    QTest::newRow("the prefix takes no room") << "&Board size" << DT_CENTER << "Board size" << 1;
    QTest::newRow("no prefix") << "&Board" << (DT_RIGHT | DT_NOPREFIX) << "&Board" << 1;
    QTest::newRow("a doubled prefix is one ampersand") << "A&&B" << DT_LEFT << "A&B" << 1;
    QTest::newRow("line breaks") << "one\none" << DT_LEFT << "one" << 2;
    QTest::newRow("empty") << "" << DT_LEFT << "" << 0;
}

void tst_Canvas::measuring()
{
    QFETCH(QString, text);
    QFETCH(unsigned, format);
    QFETCH(QString, shown);
    QFETCH(int, lines);

    TScreenCanvas canvas(crispFont());
    const QFontMetricsF metrics(crispFont());
    QRect rect(10, 20, 300, 5);
    DrawText(canvas.painter(), text, rect, format | DT_CALCRECT);
    QCOMPARE(rect.topLeft(), QPoint(10, 20));
    QCOMPARE(rect.width(), qCeil(metrics.horizontalAdvance(shown)));
    if (lines == 0)
        QCOMPARE(rect.height(), 0);
    else
        QVERIFY(rect.height() >= lines * qFloor(metrics.height()) && rect.height() < (lines + 1) * metrics.height());
}

void tst_Canvas::drawingKeepsTheRectangle()
{
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(crispFont());
    QRect rect(5, 5, 20, 10);
    DrawText(painter, QStringLiteral("wrapped words here"), rect, DT_WORDBREAK);
    QCOMPARE(rect, QRect(5, 5, 20, 10));
    QRect wrapped(0, 0, 40, 5);
    DrawText(painter, QStringLiteral("wrapped words here"), wrapped, DT_WORDBREAK | DT_CALCRECT);
    QVERIFY(wrapped.height() >= 2 * QFontMetrics(crispFont()).height());
}

void tst_Canvas::focusRectangle()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    const QImage before = image;
    const QRect rect(2, 1, 9, 6);
    {
        QPainter painter(&image);
        DrawFocusRect(painter, rect);
    }
    // Every other pixel of the outline, starting at the corner, inverted; nothing else.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool outline = rect.contains(x, y) && !rect.adjusted(1, 1, -1, -1).contains(x, y);
            const bool dot = outline && ((x - rect.left()) + (y - rect.top())) % 2 == 0;
            QCOMPARE(image.pixel(x, y), dot ? qRgb(245, 55, 225) : before.pixel(x, y));
        }
    }
    {
        QPainter painter(&image);
        DrawFocusRect(painter, rect);
    }
    QCOMPARE(image, before);
}

QTEST_MAIN(tst_Canvas)
#include "tst_Canvas.moc"
