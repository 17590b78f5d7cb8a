// SPDX-License-Identifier: MIT
#include "KavoBitmap.h"

#include "Colors.h"
#include "PixelChecks.h"

#include <QAccessible>
#include <QPainter>
#include <QTest>

namespace {

const QRgb kKey = qRgb(255, 0, 255);
const QRgb kInk = qRgb(0, 0, 128);
const QRgb kFill = qRgb(255, 255, 255);
const QRgb kBackground = qRgb(10, 200, 10);

// A 3x2 picture: ink, fill, key / key, ink, key. The bottom-left pixel is the key.
QImage picture()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, kInk);
    image.setPixel(1, 0, kFill);
    image.setPixel(2, 0, kKey);
    image.setPixel(0, 1, kKey);
    image.setPixel(1, 1, kInk);
    image.setPixel(2, 1, kKey);
    return image;
}

QImage canvas(QSize size, qreal ratio = 1)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.fill(kBackground);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

class tst_KavoBitmap : public QObject
{
    Q_OBJECT

private slots:
    void drawsWithTransparentColor();
    void drawsDisabledEmbossed();
    void drawsScaledWithoutBlur();
    void staysCrispAtRatioTwo_data();
    void staysCrispAtRatioTwo();
    void viewShowsPicture_data();
    void viewShowsPicture();
    void viewTakesDoubleSizedPicture();
    void viewIsAPicture_data();
    void viewIsAPicture();
};

void tst_KavoBitmap::drawsWithTransparentColor()
{
    const TkavoBitmap bitmap(picture());
    QCOMPARE(bitmap.TransparentColor(), QColor::fromRgb(kKey));
    QImage target = canvas({5, 4});
    {
        QPainter painter(&target);
        bitmap.Draw(painter, {1, 1});
    }
    QCOMPARE(pixelMismatches(target,
                             {{{1, 1}, kInk},
                              {{2, 1}, kFill},
                              {{3, 1}, kBackground},
                              {{1, 2}, kBackground},
                              {{2, 2}, kInk},
                              {{0, 0}, kBackground}}),
             QString());

    TkavoBitmap opaque(picture());
    opaque.setTransparentColor(QColor());
    QImage second = canvas({3, 2});
    {
        QPainter painter(&second);
        opaque.Draw(painter, {0, 0});
    }
    QCOMPARE(second.pixel(2, 1), kKey);
}

void tst_KavoBitmap::drawsDisabledEmbossed()
{
    const TkavoBitmap bitmap(picture());
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(250, 250, 250));
    palette.setColor(QPalette::Dark, QColor(100, 100, 100));
    const QRgb highlight = toolkit::clBtnHighlight.resolve(palette).rgb();
    const QRgb shadow = toolkit::clBtnShadow.resolve(palette).rgb();
    QImage target = canvas({5, 4});
    {
        QPainter painter(&target);
        bitmap.DrawDisabled(painter, {0, 0}, palette);
    }
    // The ink's shape in shadow, its copy one pixel down and right in highlight where the
    // shadow does not cover it; the light fill and the key leave no mark.
    QCOMPARE(pixelMismatches(target,
                             {{{0, 0}, shadow},
                              {{1, 1}, shadow},
                              {{2, 2}, highlight},
                              {{1, 0}, kBackground},
                              {{2, 1}, kBackground}}),
             QString());
}

void tst_KavoBitmap::drawsScaledWithoutBlur()
{
    const TkavoBitmap bitmap(picture());
    QImage target = canvas({6, 4});
    {
        QPainter painter(&target);
        bitmap.DrawScaled(painter, QRect(0, 0, 6, 4));
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const QRgb source = picture().pixel(x / 2, y / 2);
            QCOMPARE(target.pixel(x, y), source == kKey ? kBackground : source);
        }
}

void tst_KavoBitmap::staysCrispAtRatioTwo_data()
{
    QTest::addColumn<bool>("withLargePicture");
    QTest::newRow("pixel multiplication") << false;
    QTest::newRow("2x picture") << true;
}

void tst_KavoBitmap::staysCrispAtRatioTwo()
{
    QFETCH(bool, withLargePicture);
    TkavoBitmap bitmap(picture());
    QImage large = picture().scaled(6, 4);
    // The large picture has a detail the small one cannot show.
    large.setPixel(1, 0, kFill);
    if (withLargePicture)
        bitmap.setImage2x(large);
    QImage target = canvas({3, 2}, 2);
    {
        QPainter painter(&target);
        bitmap.Draw(painter, {0, 0});
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const QRgb source = withLargePicture ? large.pixel(x, y) : picture().pixel(x / 2, y / 2);
            QCOMPARE(target.pixel(x, y), source == kKey ? kBackground : source);
        }
}

void tst_KavoBitmap::viewShowsPicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("center");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("shows");
    QTest::newRow("at the top left") << QSize(6, 4) << false << false << true << true << QPoint(0, 0) << "ink";
    QTest::newRow("key transparent") << QSize(6, 4) << false << false << true << true << QPoint(2, 0) << "background";
    QTest::newRow("key opaque") << QSize(6, 4) << false << false << true << false << QPoint(2, 0) << "key";
    QTest::newRow("centred") << QSize(5, 4) << true << false << true << true << QPoint(1, 1) << "ink";
    QTest::newRow("centred, corner free") << QSize(5, 4) << true << false << true << true << QPoint(0, 0) << "background";
    QTest::newRow("disabled") << QSize(6, 4) << false << false << false << true << QPoint(0, 0) << "shadow";
    QTest::newRow("disabled, embossed") << QSize(6, 4) << false << false << false << true << QPoint(2, 2) << "highlight";
    QTest::newRow("stretched") << QSize(6, 4) << false << true << true << true << QPoint(3, 1) << "fill";
    QTest::newRow("stretched, key") << QSize(6, 4) << false << true << true << true << QPoint(4, 0) << "background";
    // The embossed look is one pixel larger than the picture: 4 x 3 doubled.
    QTest::newRow("stretched disabled") << QSize(8, 6) << false << true << false << true << QPoint(1, 1) << "shadow";
    QTest::newRow("stretched embossed") << QSize(8, 6) << false << true << false << true << QPoint(5, 5) << "highlight";
}

void tst_KavoBitmap::viewShowsPicture()
{
    QFETCH(QSize, size);
    QFETCH(bool, center);
    QFETCH(bool, stretch);
    QFETCH(bool, enabled);
    QFETCH(bool, transparent);
    QFETCH(QPoint, at);
    QFETCH(QString, shows);
    TkavoBitmapView view;
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, kBackground);
    view.setPalette(palette);
    view.setAutoFillBackground(true);
    view.setPicture(QPixmap::fromImage(picture()));
    view.resize(size);
    view.setCenter(center);
    view.setStretch(stretch);
    view.setEnabled(enabled);
    view.setTransparent(transparent);
    const QHash<QString, QRgb> colours{{"ink", kInk},
                                       {"fill", kFill},
                                       {"key", kKey},
                                       {"background", kBackground},
                                       {"shadow", toolkit::clBtnShadow.resolve(palette).rgb()},
                                       {"highlight", toolkit::clBtnHighlight.resolve(palette).rgb()}};
    QCOMPARE(view.grab().toImage().pixel(at), colours.value(shows));
}

// Run at the screen's ratio and again at ratio 2 (registered with QT_SCALE_FACTOR=2).
void tst_KavoBitmap::viewTakesDoubleSizedPicture()
{
    QImage large = picture().scaled(6, 4);
    // A detail of the large picture: pixel multiplication of the small one would show ink.
    large.setPixel(1, 0, kFill);
    QPixmap picture2x = QPixmap::fromImage(large);
    picture2x.setDevicePixelRatio(2);
    TkavoBitmapView view;
    view.setPicture(picture2x);
    QCOMPARE(view.sizeHint(), QSize(3, 2));
    view.resize(view.sizeHint());
    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.size(), QSize(3, 2) * shown.devicePixelRatio());
    QCOMPARE(shown.pixel(0, 0), kInk);
    QCOMPARE(shown.pixel(1, 0), kFill);
}

void tst_KavoBitmap::viewIsAPicture_data()
{
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("name");
    QTest::newRow("named") << "Logo" << "The maker's logo" << "Logo";
    QTest::newRow("by its tool tip") << QString() << "The maker's logo" << "The maker's logo";
}

void tst_KavoBitmap::viewIsAPicture()
{
    QFETCH(QString, accessibleName);
    QFETCH(QString, toolTip);
    QFETCH(QString, name);
    TkavoBitmapView view;
    view.setAccessibleName(accessibleName);
    view.setToolTip(toolTip);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

QTEST_MAIN(tst_KavoBitmap)
#include "tst_KavoBitmap.moc"
