// SPDX-License-Identifier: MIT
#include "KvGlyphs.h"

#include "Canvas.h"
#include "PixelChecks.h"
#include "RatioPixels.h"

#include <QPainter>
#include <QTest>

using toolkit::TColor;

namespace {

constexpr QRgb kOlive = 0xFF808000u;
constexpr QRgb kFace = 0xFF102030u;

// A strip of `count` images of size x size on olive, image k marked by a pixel of colour
// 0x10 * (k + 1) red at (k + 1, 1), and a black pixel at (2, 2) of the first.
QImage markedStrip(int count, int size = 6)
{
    QImage strip(count * size, size, QImage::Format_RGB32);
    strip.fill(kOlive);
    for (int k = 0; k < count; ++k)
        strip.setPixel(k * size + k + 1, 1, qRgb(0x10 * (k + 1), 0, 0));
    strip.setPixel(2, 2, qRgb(0, 0, 0));
    return strip;
}

QPalette testPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(kFace));
    palette.setColor(QPalette::Dark, QColor(0x40, 0x40, 0x40));
    palette.setColor(QPalette::Light, Qt::white);
    return palette;
}

} // namespace

class tst_KvGlyphs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void glyphListReusesLowestFreeSlot();
    void glyphsOfOneSizeShareAList();
    void assignStripCountsImages_data();
    void assignStripCountsImages();
    void stateImagePixels_data();
    void stateImagePixels();
    void pressedSharesNormalBelowThreeImages();
    void embossedDisabledImage();
    void stateImagesAreBuiltOnceUntilReleased();
    void layout_data();
    void layout();
    void layoutMeasuresCaptionWithoutMnemonic();
    void paintGlyphAtLayoutPosition();
    void glyphStatesAtRatio_data();
    void glyphStatesAtRatio();
};

void tst_KvGlyphs::glyphListReusesLowestFreeSlot()
{
    TGlyphList list(4, 4);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(4, 4, QImage::Format_RGB32);
    blue.fill(Qt::blue);

    QCOMPARE(list.AddImage(red), 0);
    QCOMPARE(list.AddImage(red), 1);
    QCOMPARE(list.AddImage(red), 2);
    list.ReleaseSlot(2);
    list.ReleaseSlot(0);
    list.ReleaseSlot(0); // releasing a free slot changes nothing
    QCOMPARE(list.UsedCount(), 1);
    // A released slot keeps its pixels until it is handed out again.
    QCOMPARE(list.Image(0).pixel(1, 1), QColor(Qt::red).rgba());

    QCOMPARE(list.AddImageMasked(blue, Qt::red), 0);
    QCOMPARE(list.Image(0).pixel(1, 1), QColor(Qt::blue).rgba());
    QCOMPARE(list.AddImage(blue), 2);
    QCOMPARE(list.Count(), 3);
    QCOMPARE(list.AddImage(blue), 3);
    QCOMPARE(list.Count(), 4);
    QCOMPARE(list.UsedCount(), 4);
}

void tst_KvGlyphs::glyphsOfOneSizeShareAList()
{
    QVERIFY(!GlyphCache());
    {
        auto first = std::make_unique<TButtonGlyph>();
        auto second = std::make_unique<TButtonGlyph>();
        QVERIFY(GlyphCache());
        first->AssignStrip(markedStrip(2, 18));
        second->AssignStrip(markedStrip(1, 18));
        first->StateImage(gsUp);
        second->StateImage(gsUp);
        second->StateImage(gsDisabled);
        QVERIFY(first->List());
        QCOMPARE(first->List(), second->List());
        QCOMPARE(GlyphCache()->ListCount(), 1);
        QCOMPARE(first->List()->UsedCount(), 3);

        TButtonGlyph other;
        other.AssignStrip(markedStrip(1, 6));
        other.StateImage(gsUp);
        QCOMPARE(GlyphCache()->ListCount(), 2);
        QVERIFY(other.List() != first->List());

        // A glyph that gives up its images frees a list only when nobody else uses it.
        first.reset();
        QCOMPARE(GlyphCache()->ListCount(), 2);
        QCOMPARE(second->List()->UsedCount(), 2);
        second.reset();
        QCOMPARE(GlyphCache()->ListCount(), 1);
        QVERIFY(GlyphCache());
    }
    // The last glyph object takes the cache with it; the next one makes a new cache.
    QVERIFY(!GlyphCache());
    TButtonGlyph again;
    QVERIFY(GlyphCache());
}

void tst_KvGlyphs::assignStripCountsImages_data()
{
    QTest::addColumn<QSize>("first");
    QTest::addColumn<QSize>("second");
    QTest::addColumn<int>("numGlyphs");
    QTest::newRow("two images") << QSize(18, 18) << QSize(36, 18) << 2;
    QTest::newRow("four images") << QSize(18, 18) << QSize(72, 18) << 4;
    QTest::newRow("ratio 5 gives one") << QSize(54, 18) << QSize(90, 18) << 1;
    QTest::newRow("ratio not whole keeps the count") << QSize(54, 18) << QSize(40, 18) << 3;
    QTest::newRow("kind strip with a taller image keeps the count") << QSize(36, 18) << QSize(36, 19) << 2;
}

void tst_KvGlyphs::assignStripCountsImages()
{
    QFETCH(QSize, first);
    QFETCH(QSize, second);
    QFETCH(int, numGlyphs);
    TButtonGlyph glyph;
    int changes = 0;
    glyph.OnChange = [&changes] { ++changes; };
    QImage strip(first, QImage::Format_RGB32);
    strip.fill(Qt::white);
    glyph.AssignStrip(strip);
    QImage next(second, QImage::Format_RGB32);
    next.fill(Qt::white);
    next.setPixel(0, next.height() - 1, qRgb(1, 2, 3));
    glyph.AssignStrip(next);
    QCOMPARE(glyph.NumGlyphs(), numGlyphs);
    QCOMPARE(glyph.Glyph().size(), second);
    QCOMPARE(changes, 2);
    QCOMPARE(glyph.TransparentColor, TColor::fromRgb(0x010203));
}

void tst_KvGlyphs::stateImagePixels_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("state");
    QTest::addColumn<QPoint>("marked");        // the state's marker pixel in the image
    QTest::addColumn<QRgb>("markedColour");
    QTest::addColumn<QRgb>("background");      // what an image's background pixel holds
    QTest::newRow("normal: masked face") << 2 << int(gsUp) << QPoint(1, 1) << qRgb(0x10, 0, 0) << 0u;
    QTest::newRow("disabled from the strip: opaque face") << 2 << int(gsDisabled) << QPoint(2, 1)
                                                          << qRgb(0x20, 0, 0) << kFace;
    QTest::newRow("pressed from the third image") << 3 << int(gsDown) << QPoint(3, 1) << qRgb(0x30, 0, 0) << 0u;
    QTest::newRow("exclusive from the fourth image") << 4 << int(gsExclusive) << QPoint(4, 1)
                                                     << qRgb(0x40, 0, 0) << 0u;
    QTest::newRow("exclusive without its image uses the first") << 2 << int(gsExclusive) << QPoint(1, 1)
                                                                << qRgb(0x10, 0, 0) << 0u;
}

void tst_KvGlyphs::stateImagePixels()
{
    QFETCH(int, count);
    QFETCH(int, state);
    QFETCH(QPoint, marked);
    QFETCH(QRgb, markedColour);
    QFETCH(QRgb, background);
    TButtonGlyph glyph;
    glyph.setPalette(testPalette());
    glyph.FaceColor = toolkit::clBtnFace;
    glyph.AssignStrip(markedStrip(count));
    QCOMPARE(glyph.TransparentColor, TColor::fromRgb(0x808000));
    const int slot = glyph.StateImage(TGlyphState(state));
    QVERIFY(slot >= 0);
    const QImage image = glyph.List()->Image(slot);
    QCOMPARE(image.size(), QSize(6, 6));
    QCOMPARE(image.pixel(marked), 0xFF000000u | markedColour);
    QCOMPARE(image.pixel(5, 5), background);
    QCOMPARE(image.pixel(0, 4), background);
}

void tst_KvGlyphs::pressedSharesNormalBelowThreeImages()
{
    TButtonGlyph glyph;
    glyph.AssignStrip(markedStrip(2));
    const int up = glyph.StateImage(gsUp);
    QCOMPARE(glyph.StateImage(gsDown), up);
    QCOMPARE(glyph.Index(gsDown), -1);
    QCOMPARE(glyph.List()->UsedCount(), 1);

    glyph.AssignStrip(markedStrip(3));
    QVERIFY(glyph.StateImage(gsDown) != glyph.StateImage(gsUp));
}

void tst_KvGlyphs::embossedDisabledImage()
{
    // One image, 6 x 6 on olive: black at (2, 2) and (3, 2), a red pixel at (1, 1).
    TButtonGlyph glyph;
    glyph.setPalette(testPalette());
    QImage strip = markedStrip(1);
    strip.setPixel(3, 2, qRgb(0, 0, 0));
    glyph.AssignStrip(strip);
    QCOMPARE(glyph.NumGlyphs(), 1);
    const int slot = glyph.StateImage(gsDisabled);
    const QImage disabled = glyph.List()->Image(slot);

    const QRgb shadow = 0xFF404040u;
    const QRgb white = 0xFFFFFFFFu;
    // Colours other than black vanish into the face; so does the rest.
    QCOMPARE(pixelMismatches(disabled,
                             {{{2, 2}, shadow},
                              {{3, 2}, shadow},
                              {{3, 3}, white},
                              {{4, 3}, white},
                              {{1, 1}, kFace},
                              {{2, 3}, kFace},
                              {{0, 0}, kFace},
                              {{5, 5}, kFace}}),
             QString());
}

void tst_KvGlyphs::stateImagesAreBuiltOnceUntilReleased()
{
    TButtonGlyph glyph;
    glyph.setPalette(testPalette());
    glyph.AssignStrip(markedStrip(2));
    const int up = glyph.StateImage(gsUp);
    const int disabled = glyph.StateImage(gsDisabled);
    QCOMPARE(glyph.List()->UsedCount(), 2);
    QCOMPARE(glyph.StateImage(gsUp), up);

    // A face colour set later stays out of images already built.
    glyph.FaceColor = TColor::fromRgb(0x00FF00);
    QCOMPARE(glyph.List()->Image(glyph.StateImage(gsDisabled)).pixel(5, 5), kFace);

    // A new bitmap drops the images; rebuilding them reuses their slots.
    TGlyphList *list = glyph.List();
    TButtonGlyph keeper; // holds the list while the first glyph lets go of it
    keeper.AssignStrip(markedStrip(1));
    keeper.StateImage(gsUp);
    QCOMPARE(keeper.List(), list);
    const int grown = list->Count();
    glyph.AssignStrip(markedStrip(2));
    QCOMPARE(glyph.Index(gsUp), -1);
    QVERIFY(!glyph.List());
    QCOMPARE(glyph.StateImage(gsUp), qMin(up, disabled));
    QCOMPARE(glyph.StateImage(gsDisabled), qMax(up, disabled));
    QCOMPARE(list->Count(), grown);
    QCOMPARE(glyph.List()->Image(glyph.Index(gsDisabled)).pixel(5, 5), 0xFF00FF00u);
}

void tst_KvGlyphs::layout_data()
{
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<QSize>("text");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QPoint>("glyphPos");
    QTest::addColumn<QRect>("textRect");

    const QRect button(0, 0, 75, 24);
    const QSize glyph(18, 18);
    const QSize text(20, 13);
    QTest::newRow("centred, spacing 4") << button << glyph << text << int(blGlyphLeft) << -1 << 4 << QPoint(16, 3)
                                        << QRect(38, 6, 20, 13);
    QTest::newRow("three equal parts, remainder last")
        << button << glyph << text << int(blGlyphLeft) << -1 << -1 << QPoint(12, 3) << QRect(42, 6, 20, 13);
    QTest::newRow("glyph right, three parts")
        << button << glyph << text << int(blGlyphRight) << -1 << -1 << QPoint(45, 3) << QRect(13, 6, 20, 13);
    QTest::newRow("margin given, spacing centres the caption in the rest")
        << button << glyph << text << int(blGlyphLeft) << 2 << -1 << QPoint(2, 3) << QRect(20 + 17, 6, 20, 13);
    QTest::newRow("empty caption forces spacing 0")
        << button << glyph << QSize(0, 0) << int(blGlyphLeft) << -1 << 4 << QPoint(28, 3) << QRect(46, 12, 0, 0);
    QTest::newRow("no glyph centres the caption")
        << button << QSize(0, 0) << text << int(blGlyphLeft) << -1 << 4 << QPoint(27, 12) << QRect(27, 6, 20, 13);
    QTest::newRow("glyph on top") << QRect(0, 0, 60, 60) << glyph << text << int(blGlyphTop) << -1 << 4
                                  << QPoint(21, 13) << QRect(20, 35, 20, 13);
    QTest::newRow("glyph at the bottom, margin 3") << QRect(0, 0, 60, 60) << glyph << text << int(blGlyphBottom) << 3
                                                   << 4 << QPoint(21, 39) << QRect(20, 22, 20, 13);
    QTest::newRow("offset client rectangle") << QRect(10, 20, 75, 24) << glyph << text << int(blGlyphLeft) << -1 << 4
                                             << QPoint(26, 23) << QRect(48, 26, 20, 13);
    QTest::newRow("too small: centring truncates toward zero")
        << QRect(0, 0, 20, 10) << glyph << text << int(blGlyphLeft) << -1 << 4 << QPoint(-11, -4)
        << QRect(11, -1, 20, 13);
}

void tst_KvGlyphs::layout()
{
    QFETCH(QRect, client);
    QFETCH(QSize, glyph);
    QFETCH(QSize, text);
    QFETCH(int, layout);
    QFETCH(int, margin);
    QFETCH(int, spacing);
    QFETCH(QPoint, glyphPos);
    QFETCH(QRect, textRect);
    const TGlyphLayout placed = TButtonGlyph::LayoutFor(client, glyph, text, TButtonLayout(layout), margin, spacing);
    QCOMPARE(placed.GlyphPos, glyphPos);
    QCOMPARE(placed.TextBounds, textRect);
}

void tst_KvGlyphs::layoutMeasuresCaptionWithoutMnemonic()
{
    QImage canvas(100, 40, QImage::Format_RGB32);
    QPainter painter(&canvas);
    TButtonGlyph glyph;
    glyph.AssignStrip(markedStrip(2, 18));
    const QRect client(0, 0, 100, 40);
    const TGlyphLayout plain = glyph.ComputeLayout(painter, client, QStringLiteral("Help"), blGlyphLeft, -1, 4);
    const TGlyphLayout marked = glyph.ComputeLayout(painter, client, QStringLiteral("&Help"), blGlyphLeft, -1, 4);
    QVERIFY(plain.TextBounds.width() > 0);
    QCOMPARE(marked.TextBounds, plain.TextBounds);
    QCOMPARE(marked.GlyphPos, plain.GlyphPos);
    // The caption sits right of the glyph, both centred as a pair.
    QCOMPARE(plain.TextBounds.left(), plain.GlyphPos.x() + 18 + 4);
    QCOMPARE(plain.GlyphPos.x(), 50 - (18 + 4 + plain.TextBounds.width()) / 2);

    // Line breaks count: two lines are taller than one.
    const TGlyphLayout twoLines = glyph.ComputeLayout(painter, client, QStringLiteral("Help\nHelp"), blGlyphLeft, -1, 4);
    QVERIFY(twoLines.TextBounds.height() > plain.TextBounds.height());
    QCOMPARE(twoLines.TextBounds.width(), plain.TextBounds.width());

    // A caption beyond the limit is measured by its first 255 characters.
    const QString longCaption(300, QLatin1Char('W'));
    const TGlyphLayout cut = glyph.ComputeLayout(painter, client, longCaption, blGlyphLeft, 0, 0);
    const TGlyphLayout limit = glyph.ComputeLayout(painter, client, longCaption.left(255), blGlyphLeft, 0, 0);
    QCOMPARE(cut.TextBounds, limit.TextBounds);
}

void tst_KvGlyphs::paintGlyphAtLayoutPosition()
{
    TButtonGlyph glyph;
    glyph.setPalette(testPalette());
    QImage strip = markedStrip(1);
    strip.fill(qRgb(0xC0, 0xC0, 0xC0));
    strip.setPixel(0, 0, qRgb(0, 0, 0xFF));
    glyph.AssignStrip(strip);

    QImage canvas(40, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        glyph.Paint(painter, canvas.rect(), QString(), blGlyphLeft, 5, 4, gsUp);
    }
    // Glyph 6 x 6 at x 5, centred vertically at y 7; its silver background stays transparent.
    QCOMPARE(canvas.pixel(5, 7), 0xFF0000FFu);
    QCOMPARE(canvas.pixel(6, 8), 0xFFFFFFFFu);
    QCOMPARE(canvas.pixel(4, 7), 0xFFFFFFFFu);

    // Without a bitmap nothing is drawn and nothing is cached.
    TButtonGlyph empty;
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        empty.PaintGlyph(painter, 0, 0, gsUp);
    }
    QCOMPARE(canvas.pixel(0, 0), 0xFFFFFFFFu);
    QVERIFY(!empty.List());
}

void tst_KvGlyphs::glyphStatesAtRatio_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.5, 2.0}) {
        QTest::addRow("up at %g", ratio) << int(gsUp) << ratio;
        QTest::addRow("disabled at %g", ratio) << int(gsDisabled) << ratio;
    }
}

void tst_KvGlyphs::glyphStatesAtRatio()
{
    QFETCH(int, state);
    QFETCH(qreal, ratio);
    // A black diagonal stroke, two pixels thick, from (1, 5) up to (5, 0) on olive.
    QImage strip(7, 7, QImage::Format_RGB32);
    strip.fill(kOlive);
    for (int i = 1; i <= 5; ++i) {
        strip.setPixel(i, 6 - i, qRgb(0, 0, 0));
        strip.setPixel(i, 5 - i, qRgb(0, 0, 0));
    }
    TButtonGlyph glyph;
    glyph.setPalette(testPalette());
    glyph.AssignStrip(strip);
    // The picture at ratio 1 gives the colours that may appear at any ratio.
    auto painted = [&](qreal at) {
        QImage canvas(qRound(12 * at), qRound(12 * at), QImage::Format_RGB32);
        canvas.setDevicePixelRatio(at);
        canvas.fill(Qt::green);
        QPainter painter(&canvas);
        glyph.PaintGlyph(painter, 2, 2, TGlyphState(state));
        return canvas;
    };
    const QImage flat = painted(1.0);
    const QImage fine = painted(ratio);
    QVERIFY(RatioPixels::colours(flat, flat.rect()).contains(RatioPixels::colours(fine, fine.rect())));
    if (ratio == 2.0) {
        QVERIFY(RatioPixels::hasFineDetail(fine, QRect(4, 4, 14, 14)));
        // The stroke's step at (2, 5) takes a black corner; the light copy of the disabled
        // picture lies one logical pixel, two device pixels, down and right.
        QCOMPARE(fine.pixel(8, 14), state == gsUp ? qRgb(0, 0, 0) : 0xFF404040u);
        if (state == gsDisabled)
            QCOMPARE(fine.pixel(8, 16), qRgb(255, 255, 255));
    }
}

QTEST_MAIN(tst_KvGlyphs)
#include "tst_KvGlyphs.moc"
