// SPDX-License-Identifier: MIT
#include "KavoBtns.h"

#include "Canvas.h"
#include "Form.h"
#include "KvCtrls.h"
#include "RatioPixels.h"

#include <QEnterEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <stdexcept>

using toolkit::TColor;

class tst_KavoBtns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction();
    void kindPresets_data();
    void kindPresets();
    void kindWhileLoading_data();
    void kindWhileLoading();
    void kindFallsBackToCustom_data();
    void kindFallsBackToCustom();
    void storedProperties();
    void numGlyphsAndMarginLimits();
    void facePixels_data();
    void facePixels();
    void focusedFace();
    void dropDownMark_data();
    void dropDownMark();
    void imageListImage_data();
    void imageListImage();
    void dropDownMarkSharpAtScreenRatio_data();
    void dropDownMarkSharpAtScreenRatio();
    void ellipseHitTest_data();
    void ellipseHitTest();
    void ellipseLook();
    void doubleClickGivesTwoClicks();
    void menuPoint_data();
    void menuPoint();
    void dropDownMenuOpensAndIsNotReopened();
    void dropDownMenuWithoutAutoPopup();
    void modalResultClosesTheForm_data();
    void modalResultClosesTheForm();
    void dialogKeysPressTheKindButtons_data();
    void dialogKeysPressTheKindButtons();
    void helpAndCloseKinds();
    void clickPlaysTheSound();
    void colorsFollowTheParent();
};

namespace {

// A palette whose system colours are told apart by their pixels.
QPalette buttonPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0x10, 0x20, 0x30));       // button face
    palette.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
    palette.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));        // button highlight
    palette.setColor(QPalette::Dark, QColor(0x40, 0x40, 0x40));         // button shadow
    palette.setColor(QPalette::Text, QColor(0x01, 0x02, 0x03));         // window text
    palette.setColor(QPalette::Shadow, QColor(0x05, 0x05, 0x05));       // window frame
    palette.setColor(QPalette::ButtonText, QColor(0x00, 0x00, 0xC0));   // button text
    return palette;
}

constexpr QRgb kButtonFace = 0xFF102030u;
constexpr QRgb kHighlight = 0xFFFFFFFFu;
constexpr QRgb kShadow = 0xFF404040u;
constexpr QRgb kWindowText = 0xFF010203u;
constexpr QRgb kButtonText = 0xFF0000C0u;

// A shown window holding one bitmap button at (10, 10), and a push button elsewhere that has
// the focus.
struct ButtonWindow
{
    ButtonWindow()
    {
        window.setPalette(buttonPalette());
        window.resize(200, 120);
        button = new TkavoBitBtn(&window);
        button->move(10, 10);
        other = new QPushButton(&window);
        other->move(100, 80);
        other->setFocus();
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    QImage grab() { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget window;
    TkavoBitBtn *button = nullptr;
    QPushButton *other = nullptr;
};

// A button with a one-entry drop-down menu, its mark shown.
struct DropDownButtonWindow : ButtonWindow
{
    DropDownButtonWindow()
    {
        menu.addAction(QStringLiteral("one"));
        button->setDropDownMenu(&menu);
    }

    TPopupMenu menu;
};

// Colours from blending may be a unit off, depending on how the blend rounds.
bool nearly(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 2 && qAbs(qGreen(a) - qGreen(b)) <= 2 && qAbs(qBlue(a) - qBlue(b)) <= 2;
}

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A click-sound source that records what it is asked to play.
class RecordingSoundSource final : public TkavoSoundSource
{
public:
    using TkavoSoundSource::TkavoSoundSource;
    bool PlayFile(const QString &name) override
    {
        played << name;
        return true;
    }
    bool PlayResource(const QString &name) override
    {
        played << u'#' + name;
        return true;
    }
    QStringList played;
};

} // namespace

void tst_KavoBtns::construction()
{
    RegisterPointCursor();
    QWidget form;
    auto *first = new RecordingSoundSource(&form);
    new RecordingSoundSource(&form);
    auto *button = new TkavoBitBtn(&form);
    QCOMPARE(button->size(), QSize(75, 24));
    QCOMPARE(button->Style(), bsAutoDetect);
    QCOMPARE(button->Kind(), bkCustom);
    QCOMPARE(button->Cursor(), toolkit::crHandPoint);
    QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(button->cursor().hotSpot(), QPoint(6, 16));
    QCOMPARE(button->Sound(), first);
    QCOMPARE(button->Spacing(), 4);
    QCOMPARE(button->Margin(), -1);
    QCOMPARE(button->NumGlyphs(), 1);
    QVERIFY(button->MarkDropDown());
    QVERIFY(button->DrawFocus());
    // A new button stands at its stream defaults: a form keeps none of them.
    QVERIFY(!button->isStyleStored());
    QVERIFY(!button->isCursorStored());

    // A sound that goes away is forgotten; a button without a form has none.
    delete first;
    QVERIFY(button->Sound() != first);
    TkavoBitBtn alone;
    QVERIFY(!alone.Sound());
}

void tst_KavoBtns::kindPresets_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("modalResult");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QSize>("glyph");
    QTest::newRow("OK") << int(bkOK) << "OK" << 1 << true << false << QSize(36, 18);
    QTest::newRow("Cancel") << int(bkCancel) << "Отмена" << 2 << false << true << QSize(36, 18);
    QTest::newRow("Help") << int(bkHelp) << "&Помощь" << 0 << false << false << QSize(36, 18);
    QTest::newRow("Yes") << int(bkYes) << "&Да" << 6 << true << false << QSize(36, 18);
    QTest::newRow("No") << int(bkNo) << "&Нет" << 7 << false << true << QSize(36, 18);
    QTest::newRow("Close") << int(bkClose) << "&Закрыть" << 0 << false << false << QSize(36, 18);
    QTest::newRow("Abort") << int(bkAbort) << "П&рервать" << 3 << false << false << QSize(36, 18);
    QTest::newRow("Retry") << int(bkRetry) << "&Повторить" << 4 << false << false << QSize(36, 18);
    QTest::newRow("Ignore") << int(bkIgnore) << "&Игнорировать" << 5 << false << false << QSize(36, 18);
    QTest::newRow("All, a taller strip") << int(bkAll) << "&Все" << 8 << false << false << QSize(36, 19);
}

void tst_KavoBtns::kindPresets()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(int, modalResult);
    QFETCH(bool, isDefault);
    QFETCH(bool, cancel);
    QFETCH(QSize, glyph);
    TkavoBitBtn button;
    // A kind overrides roles set before it.
    button.setDefault(!isDefault);
    button.setCancel(!cancel);
    button.setKind(TBitBtnKind(kind));
    QCOMPARE(button.Kind(), TBitBtnKind(kind));
    QCOMPARE(button.Caption(), caption);
    QCOMPARE(button.ModalResult(), modalResult);
    QCOMPARE(button.Default(), isDefault);
    QCOMPARE(button.Cancel(), cancel);
    QCOMPARE(button.NumGlyphs(), 2);
    QCOMPARE(button.Glyph().size(), glyph);
    // The strip is our 16-colour picture on silver: the normal image left, the disabled right.
    QCOMPARE(button.Glyph().pixel(0, glyph.height() - 1) & 0xFFFFFFu, 0xC0C0C0u);
    QVERIFY(button.Glyph() == KindGlyph(TBitBtnKind(kind)));

    // Back to bkCustom: caption, glyph and roles stay.
    button.setKind(bkCustom);
    QCOMPARE(button.Kind(), bkCustom);
    QCOMPARE(button.Caption(), caption);
    QCOMPARE(button.ModalResult(), modalResult);
    QCOMPARE(button.Glyph().size(), glyph);
}

void tst_KavoBtns::kindWhileLoading_data()
{
    QTest::addColumn<bool>("loading");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("loading, empty caption") << true << "" << int(bkOK) << "OK";
    QTest::newRow("loading, stored caption kept") << true << "&Help" << int(bkHelp) << "&Help";
    QTest::newRow("not loading, caption replaced") << false << "&Help" << int(bkHelp) << "&Помощь";
}

void tst_KavoBtns::kindWhileLoading()
{
    QFETCH(bool, loading);
    QFETCH(QString, caption);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    TkavoBitBtn button;
    if (loading)
        button.beginLoading();
    button.setCaption(caption);
    button.setKind(TBitBtnKind(kind));
    button.endLoading();
    QCOMPARE(button.Caption(), expected);
    QCOMPARE(button.ModalResult(), KindModalResult(TBitBtnKind(kind)));
    QCOMPARE(button.NumGlyphs(), 2);
    QCOMPARE(button.Kind(), TBitBtnKind(kind));
    // A caption other than the kind's own is written to the form.
    QCOMPARE(button.isCaptionStored(), expected != KindCaption(TBitBtnKind(kind)));
}

void tst_KavoBtns::kindFallsBackToCustom_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("change");
    QTest::newRow("OK loses Default") << int(bkOK) << "default";
    QTest::newRow("Yes loses Default") << int(bkYes) << "default";
    QTest::newRow("Cancel loses Cancel") << int(bkCancel) << "cancel";
    QTest::newRow("No loses Cancel") << int(bkNo) << "cancel";
    QTest::newRow("modal result changed") << int(bkRetry) << "modal";
    QTest::newRow("glyph assigned") << int(bkOK) << "glyph";
}

void tst_KavoBtns::kindFallsBackToCustom()
{
    QFETCH(int, kind);
    QFETCH(QString, change);
    TkavoBitBtn button;
    button.setKind(TBitBtnKind(kind));
    QVERIFY(!button.isModalResultStored());
    if (change == QLatin1String("default"))
        button.setDefault(false);
    else if (change == QLatin1String("cancel"))
        button.setCancel(false);
    else if (change == QLatin1String("modal"))
        button.setModalResult(toolkit::mrYes);
    else
        button.setGlyph(solid(QSize(16, 16), Qt::red));
    QCOMPARE(button.Kind(), bkCustom);
    // The fallback is for good: undoing the change does not bring the kind back.
    button.setDefault(kind == bkOK || kind == bkYes);
    button.setCancel(kind == bkCancel || kind == bkNo);
    button.setModalResult(KindModalResult(TBitBtnKind(kind)));
    QCOMPARE(button.Kind(), bkCustom);
    // The same when the change is undone before anybody asks for the kind.
    TkavoBitBtn undone;
    undone.setKind(TBitBtnKind(kind));
    if (change == QLatin1String("default")) {
        undone.setDefault(false);
        undone.setDefault(true);
    } else if (change == QLatin1String("cancel")) {
        undone.setCancel(false);
        undone.setCancel(true);
    } else if (change == QLatin1String("modal")) {
        undone.setModalResult(toolkit::mrYes);
        undone.setModalResult(KindModalResult(TBitBtnKind(kind)));
    } else {
        undone.setGlyph(KindGlyph(TBitBtnKind(kind)));
    }
    QCOMPARE(undone.Kind(), bkCustom);
    // A custom button stores its roles and modal result itself.
    QVERIFY(button.isModalResultStored() || button.ModalResult() == 0);
    // The kind's two-image strip gives the count of two that the button keeps.
    QVERIFY(!button.isNumGlyphsStored());
}

void tst_KavoBtns::storedProperties()
{
    TkavoBitBtn button;
    button.setKind(bkOK);
    QVERIFY(!button.isDefaultStored());
    QVERIFY(!button.isCancelStored());
    QVERIFY(!button.isModalResultStored());
    QVERIFY(!button.isNumGlyphsStored());
    QVERIFY(!button.isGlyphStored());
    QVERIFY(!button.isCaptionStored());
    QVERIFY(button.isKindStored());
    // Caption comparison is case-sensitive.
    button.setCaption(QStringLiteral("Ok"));
    QVERIFY(button.isCaptionStored());

    TkavoBitBtn custom;
    QVERIFY(!custom.isCaptionStored());
    custom.setCaption(QStringLiteral("Go"));
    custom.setDefault(true);
    custom.setCancel(true);
    QVERIFY(custom.isCaptionStored());
    QVERIFY(custom.isDefaultStored());
    QVERIFY(custom.isCancelStored());
    QVERIFY(!custom.isKindStored());

    // Setting BackColor ends following the parent, except while loading; Color never does.
    custom.setColor(toolkit::clRed);
    QVERIFY(custom.ParentColor());
    custom.beginLoading();
    custom.setBackColor(toolkit::clBlue);
    custom.endLoading();
    QVERIFY(custom.ParentColor());
    custom.setBackColor(toolkit::clLime);
    QVERIFY(!custom.ParentColor());
    QVERIFY(custom.isBackColorStored());
    QVERIFY(custom.isParentColorStored());
}

void tst_KavoBtns::numGlyphsAndMarginLimits()
{
    TkavoBitBtn button;
    button.setGlyph(solid(QSize(72, 18), Qt::red));
    QCOMPARE(button.NumGlyphs(), 4);
    button.setNumGlyphs(2);
    QCOMPARE(button.NumGlyphs(), 2);
    button.setNumGlyphs(7);
    QCOMPARE(button.NumGlyphs(), 4);
    button.setNumGlyphs(0);
    QCOMPARE(button.NumGlyphs(), 4);

    button.setMargin(3);
    button.setMargin(-5);
    QCOMPARE(button.Margin(), 3);
    button.setMargin(-1);
    QCOMPARE(button.Margin(), -1);
}

void tst_KavoBtns::facePixels_data()
{
    // The button has neither glyph nor caption: only the face is drawn. Points are in the
    // 75 x 24 button; 0 means "the back colour".
    QTest::addColumn<bool>("flat");
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QRgb>>("colours");
    const QList<QPoint> points{{0, 0}, {0, 22}, {73, 0}, {74, 0}, {0, 23}, {74, 23}, {1, 1}, {73, 1}, {73, 22}, {1, 22},
                               {37, 12}};
    QTest::newRow("raised") << false << false << false << points
                            << QList<QRgb>{kHighlight, kHighlight, kHighlight, kShadow, kShadow, kShadow, kButtonFace,
                                           kButtonFace, kButtonFace, kButtonFace, kButtonFace};
    QTest::newRow("hovered: dark bottom-right edge") << false << true << false << points
                                                    << QList<QRgb>{kHighlight, kHighlight, kHighlight, kWindowText,
                                                                   kWindowText, kWindowText, kButtonFace, kShadow,
                                                                   kShadow, kShadow, kButtonFace};
    QTest::newRow("held down") << false << false << true << points
                               << QList<QRgb>{kShadow, kShadow, kShadow, kHighlight, kHighlight, kHighlight,
                                              kButtonFace, kButtonFace, kButtonFace, kButtonFace, kButtonFace};
    QTest::newRow("flat, away from the pointer: back colour only")
        << true << false << false << points << QList<QRgb>(points.size(), 0u);
    QTest::newRow("flat, under the pointer: the full face") << true << true << false << points
                                                           << QList<QRgb>{kHighlight, kHighlight, kHighlight,
                                                                          kWindowText, kWindowText, kWindowText,
                                                                          kButtonFace, kShadow, kShadow, kShadow,
                                                                          kButtonFace};
}

void tst_KavoBtns::facePixels()
{
    QFETCH(bool, flat);
    QFETCH(bool, hover);
    QFETCH(bool, down);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QRgb>, colours);
    ButtonWindow w;
    w.button->setFlat(flat);
    w.button->setBackColor(toolkit::TColor::fromRgb(0x00FF00));
    w.button->setDownLook(down);
    QVERIFY(w.show());
    if (hover) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
        QApplication::sendEvent(w.button, &enter);
        QVERIFY(w.button->Hover());
    }
    const QImage image = w.grab();
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QRgb expected = colours[i] ? colours[i] : 0xFF00FF00u;
        if (image.pixel(points[i]) != expected)
            qWarning() << "at" << points[i];
        QCOMPARE(image.pixel(points[i]), expected);
    }
    // Leaving takes the hover look away again.
    if (hover) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w.button, &leave);
        QVERIFY(!w.button->Hover());
        QCOMPARE(w.grab().pixel(74, 23), flat ? 0xFF00FF00u : kShadow);
    }
}

void tst_KavoBtns::focusedFace()
{
    ButtonWindow w;
    QVERIFY(w.show());
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.button->setFocus();
    QTRY_VERIFY(w.button->hasFocus());
    QImage image = w.grab();
    // A frame in window text, the raised face inside it, and the dotted focus rectangle three
    // pixels further in, inverting every other pixel.
    QCOMPARE(image.pixel(0, 0), kWindowText);
    QCOMPARE(image.pixel(74, 23), kWindowText);
    QCOMPARE(image.pixel(1, 1), kHighlight);
    QCOMPARE(image.pixel(73, 22), kShadow);
    QCOMPARE(image.pixel(4, 4), 0xFFEFDFCFu);
    QCOMPARE(image.pixel(5, 4), kButtonFace);
    QCOMPARE(image.pixel(6, 4), 0xFFEFDFCFu);

    // Without DrawFocus neither frame nor dots.
    w.button->setDrawFocus(false);
    image = w.grab();
    QCOMPARE(image.pixel(0, 0), kWindowText); // the frame of the focused button stays
    QCOMPARE(image.pixel(4, 4), kButtonFace);

    w.other->setFocus();
    QTRY_VERIFY(!w.button->hasFocus());
    image = w.grab();
    QCOMPARE(image.pixel(0, 0), kHighlight);
}

void tst_KavoBtns::dropDownMark_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("mark");
    QTest::newRow("enabled") << true << true;
    QTest::newRow("disabled") << false << true;
    QTest::newRow("mark turned off") << true << false;
}

void tst_KavoBtns::dropDownMark()
{
    QFETCH(bool, enabled);
    QFETCH(bool, mark);
    DropDownButtonWindow w;
    w.button->setMarkDropDown(mark);
    w.button->setEnabled(enabled);
    QVERIFY(w.show());
    const QImage image = w.grab();
    // Without caption and glyph the caption's empty rectangle sits at the centre of the
    // contents, (37, 12): the mark's top row is row 11 from column 39 on. A disabled mark lies
    // on a highlight copy of itself one pixel down and right.
    const QList<QPoint> triangle{{39, 11}, {45, 11}, {40, 12}, {44, 12}, {41, 13}, {43, 13}, {42, 14}};
    const QList<QPoint> copyOnly{{46, 12}, {45, 13}, {44, 14}, {43, 15}};
    const QList<QPoint> around{{38, 11}, {46, 11}, {39, 12}, {42, 15}, {38, 10}, {47, 12}};
    const QRgb ink = !mark ? kButtonFace : enabled ? kButtonText : kShadow;
    for (const QPoint &p : triangle)
        QCOMPARE(image.pixel(p), ink);
    for (const QPoint &p : copyOnly)
        QCOMPARE(image.pixel(p), mark && !enabled ? kHighlight : kButtonFace);
    for (const QPoint &p : around)
        QCOMPARE(image.pixel(p), kButtonFace);
}

void tst_KavoBtns::imageListImage_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("numGlyphs");
    QTest::addColumn<QRgb>("centre");
    QTest::newRow("enabled: the image itself") << true << 1 << 0xFFFF0000u;
    QTest::newRow("disabled with two glyphs: the next image") << false << 2 << 0xFF00FF00u;
    // A quarter of the face shows through the red image.
    QTest::newRow("disabled with one glyph: blended") << false << 1 << qRgb(0xC3, 0x08, 0x0C);
}

void tst_KavoBtns::imageListImage()
{
    QFETCH(bool, enabled);
    QFETCH(int, numGlyphs);
    QFETCH(QRgb, centre);
    ButtonWindow w;
    TCustomImageList images(8, 8);
    QImage strip(24, 8, QImage::Format_RGB32);
    strip.fill(Qt::blue);
    strip.fill(Qt::red);
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 24; ++x)
            strip.setPixel(x, y, x < 16 ? 0xFF00FF00u : 0xFF0000FFu);
    strip.setPixel(0, 0, qRgb(0xFF, 0, 0xFF)); // a masked corner
    QCOMPARE(images.AddMasked(strip, QColor(0xFF, 0, 0xFF)), 0);
    QCOMPARE(images.Count(), 3);
    w.button->setImages(&images);
    w.button->setImageIndex(0);
    w.button->setNumGlyphs(numGlyphs);
    w.button->setEnabled(enabled);
    QVERIFY(w.show());
    // Painting keeps the process's glyph cache, which the button's glyph stands on.
    TGlyphCache *cache = GlyphCache();
    QVERIFY(cache);
    const QImage image = w.grab();
    QCOMPARE(GlyphCache(), cache);
    // An 8 x 8 image without caption sits at the centre of the contents: (33, 8).
    QVERIFY2(nearly(image.pixel(36, 11), centre), qPrintable(QString::number(image.pixel(36, 11), 16)));
    QCOMPARE(image.pixel(32, 11), kButtonFace);
    QCOMPARE(image.pixel(41, 11), kButtonFace);
    QCOMPARE(image.pixel(33, 8), enabled ? kButtonFace : image.pixel(33, 8));

    // The list going away leaves the button without images.
    TkavoBitBtn other;
    {
        TCustomImageList gone(8, 8);
        other.setImages(&gone);
    }
    QVERIFY(!other.Images());
}

void tst_KavoBtns::dropDownMarkSharpAtScreenRatio_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

// Run by the registrations that set a screen ratio; at ratio 1 dropDownMark holds.
void tst_KavoBtns::dropDownMarkSharpAtScreenRatio()
{
    QFETCH(bool, enabled);
    DropDownButtonWindow w;
    w.button->setEnabled(enabled);
    QVERIFY(w.show());
    const qreal ratio = w.button->devicePixelRatio();
    if (ratio <= 1.0)
        QSKIP("the screen's device pixel ratio is 1");

    // Without caption and glyph the mark takes columns 39 to 45 from row 11 down, a disabled
    // one's light twin a pixel more each way.
    const QRect place = RatioPixels::deviceRect(QRect(39, 11, 8, 5), ratio);
    const QImage image = w.grab();
    const QRgb ink = enabled ? kButtonText : kShadow;
    QSet<QRgb> own{kButtonFace, ink};
    if (!enabled)
        own.insert(kHighlight);
    QCOMPARE(RatioPixels::colours(image, place), own);
    // Row by row the triangle narrows by a device pixel each side, down to a tip of one.
    QList<int> widths;
    for (int y = place.top(); y <= place.bottom(); ++y) {
        int width = 0;
        for (int x = place.left(); x <= place.right(); ++x)
            width += image.pixel(x, y) == ink;
        if (width > 0)
            widths << width;
    }
    QVERIFY(!widths.isEmpty());
    QCOMPARE(widths.last(), 1);
    for (qsizetype i = 1; i < widths.size(); ++i)
        QCOMPARE(widths[i - 1] - widths[i], 2);
    // Its widest row fills the seven logical pixels it spans but for at most one device pixel.
    QVERIFY2(qAbs(widths.first() - 7 * ratio) <= 1.0, qPrintable(QString::number(widths.first())));
    if (ratio == 2.0)
        QVERIFY(RatioPixels::hasFineDetail(image, place));
}

void tst_KavoBtns::ellipseHitTest_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("ellipse");
    QTest::addColumn<bool>("clicks");
    QTest::newRow("centre") << QSize(80, 40) << QPoint(40, 20) << true << true;
    QTest::newRow("corner outside the ellipse") << QSize(80, 40) << QPoint(3, 3) << true << false;
    QTest::newRow("end of the long axis") << QSize(80, 40) << QPoint(1, 20) << true << true;
    QTest::newRow("just off the short axis' end") << QSize(80, 40) << QPoint(40, 0) << true << true;
    QTest::newRow("near the edge, outside") << QSize(80, 40) << QPoint(70, 35) << true << false;
    QTest::newRow("rectangle corner") << QSize(80, 40) << QPoint(3, 3) << false << true;
    QTest::newRow("one pixel wide") << QSize(1, 40) << QPoint(0, 5) << true << true;
}

void tst_KavoBtns::ellipseHitTest()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, pos);
    QFETCH(bool, ellipse);
    QFETCH(bool, clicks);
    ButtonWindow w;
    w.button->setBtnType(ellipse ? btEllipse : btRectangle);
    w.button->resize(size);
    int clicked = 0;
    int pressed = 0;
    w.button->OnClick = [&](QObject *) { ++clicked; };
    w.button->OnMouseDown = [&](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++pressed; };
    QVERIFY(w.show());
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.other->setFocus();
    QTest::mouseClick(w.button, Qt::LeftButton, {}, pos);
    QCOMPARE(w.button->HitTest(pos), clicks);
    QCOMPARE(clicked, clicks ? 1 : 0);
    QCOMPARE(pressed, clicks ? 1 : 0);
    // A swallowed press takes no focus either.
    QCOMPARE(w.button->hasFocus(), clicks);
}

void tst_KavoBtns::ellipseLook()
{
    ButtonWindow w;
    w.button->setBtnType(btEllipse);
    w.button->resize(80, 40);
    w.button->setBackColor(toolkit::TColor::fromRgb(0x00FF00));
    QVERIFY(w.show());
    QImage image = w.grab();
    // Back colour around the ellipse, the face inside; the outline lit at the top left and in
    // shadow at the bottom right.
    QCOMPARE(image.pixel(0, 0), 0xFF00FF00u);
    QCOMPARE(image.pixel(79, 39), 0xFF00FF00u);
    QCOMPARE(image.pixel(20, 12), kButtonFace);
    auto firstNotFace = [&image](int x, int y, int dx, int dy) {
        while (image.pixel(x, y) == kButtonFace)
            x += dx, y += dy;
        return image.pixel(x, y);
    };
    QCOMPARE(firstNotFace(40, 20, 0, -1), kHighlight);
    QCOMPARE(firstNotFace(40, 20, -1, 0), kHighlight);
    QCOMPARE(firstNotFace(40, 20, 0, 1), kShadow);
    QCOMPARE(firstNotFace(40, 20, 1, 0), kShadow);

    w.button->setDownLook(true);
    image = w.grab();
    QCOMPARE(image.pixel(0, 0), 0xFF00FF00u);
    QCOMPARE(image.pixel(40, 20), kButtonFace);
    // Pressed, the inner outline is the window frame colour all round.
    QCOMPARE(firstNotFace(40, 20, 0, -1), 0xFF050505u);
    QCOMPARE(firstNotFace(40, 20, -1, 0), 0xFF050505u);
}

void tst_KavoBtns::doubleClickGivesTwoClicks()
{
    ButtonWindow w;
    int clicked = 0;
    w.button->OnClick = [&](QObject *) { ++clicked; };
    QVERIFY(w.show());
    QTest::mouseDClick(w.window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 20));
    QCOMPARE(clicked, 2);
    QVERIFY(!w.button->PressTracking());
}

void tst_KavoBtns::menuPoint_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QPoint>("point");
    QTest::newRow("bottom, left") << int(dmpBottom) << int(paLeft) << QPoint(-1, 24);
    QTest::newRow("bottom, right") << int(dmpBottom) << int(paRight) << QPoint(76, 24);
    QTest::newRow("bottom, centre") << int(dmpBottom) << int(paCenter) << QPoint(37, 24);
    QTest::newRow("right, left") << int(dmpRight) << int(paLeft) << QPoint(75, -1);
    QTest::newRow("right, right") << int(dmpRight) << int(paRight) << QPoint(-1, -1);
    QTest::newRow("right, centre") << int(dmpRight) << int(paCenter) << QPoint(37, 24);
}

void tst_KavoBtns::menuPoint()
{
    QFETCH(int, position);
    QFETCH(int, alignment);
    QFETCH(QPoint, point);
    TkavoBitBtn button;
    QCOMPARE(button.MenuPoint(), QPoint(0, 0));
    TPopupMenu menu;
    menu.setAlignment(TPopupAlignment(alignment));
    button.setDropDownMenu(&menu);
    button.setMenuPosition(TkavoDropDownMenuPos(position));
    QCOMPARE(button.MenuPoint(), point);

    // The menu's top-left, right or centre goes to the point.
    menu.addAction(QStringLiteral("a fairly long menu entry"));
    const int width = menu.sizeHint().width();
    const QPoint origin = menu.PopupOrigin(QPoint(500, 300));
    QCOMPARE(origin.y(), 300);
    QCOMPARE(origin.x(), alignment == paLeft ? 500 : alignment == paRight ? 500 - width : 500 - width / 2);
}

void tst_KavoBtns::dropDownMenuOpensAndIsNotReopened()
{
    ButtonWindow w;
    w.window.move(100, 100);
    TPopupMenu menu;
    menu.addAction(QStringLiteral("first"));
    menu.addAction(QStringLiteral("second"));
    w.button->setDropDownMenu(&menu);
    int clicked = 0;
    w.button->OnClick = [&](QObject *) { ++clicked; };
    QSignalSpy shown(&menu, &QMenu::aboutToShow);
    QVERIFY(w.show());

    QPoint menuAt;
    bool downWhileOpen = false;
    bool menuOpenWhileOpen = false;
    QObject *popupComponent = nullptr;
    connect(&menu, &QMenu::aboutToShow, this, [&] {
        QTimer::singleShot(0, this, [&] {
            menuAt = menu.geometry().topLeft();
            downWhileOpen = w.button->Down();
            menuOpenWhileOpen = w.button->MenuOpen();
            popupComponent = menu.PopupComponent();
            // The user clicks on the button again to close the menu; Qt hands that press on to
            // the button once the menu has closed, as a posted event.
            QWindow *window = w.window.windowHandle();
            const QPoint global = w.button->mapToGlobal(QPoint(30, 12));
            const QPoint onButton = window->mapFromGlobal(global);
            QTest::mousePress(window, Qt::LeftButton, {}, onButton);
            QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, onButton, global,
                                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        });
    });

    QTest::mousePress(w.window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 20));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(menuAt, w.button->mapToGlobal(QPoint(-1, 24)));
    QVERIFY(downWhileOpen);
    QVERIFY(menuOpenWhileOpen);
    QCOMPARE(popupComponent, w.button);
    QTest::qWait(50);
    // The press that closed the menu did not open it again, and nothing was clicked.
    QCOMPARE(shown.size(), 1);
    QVERIFY(!menu.isVisible());
    QCOMPARE(clicked, 0);
    QVERIFY(!w.button->Down());
    QVERIFY(!w.button->MenuOpen());
    QVERIFY(!w.button->PressTracking());
    QVERIFY(!w.button->isDown());

    // A later press opens it again.
    menu.disconnect(this);
    QTimer::singleShot(0, &menu, &QMenu::close);
    QTest::mousePress(w.window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 20));
    QCOMPARE(shown.size(), 2);
}

void tst_KavoBtns::dropDownMenuWithoutAutoPopup()
{
    ButtonWindow w;
    TPopupMenu menu;
    menu.addAction(QStringLiteral("first"));
    menu.setAutoPopup(false);
    w.button->setDropDownMenu(&menu);
    int clicked = 0;
    w.button->OnClick = [&](QObject *) { ++clicked; };
    QSignalSpy shown(&menu, &QMenu::aboutToShow);
    QVERIFY(w.show());
    // The menu stays shut and the press is an ordinary click, which toggles Down.
    QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(shown.size(), 0);
    QCOMPARE(clicked, 1);
    QVERIFY(w.button->Down());
    QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(clicked, 2);
    QVERIFY(w.button->Down());
    // Released off the button: no click, and the face comes up.
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(30, 12));
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(30, 40));
    QCOMPARE(clicked, 2);
    QVERIFY(!w.button->Down());
    // A right press opens nothing either.
    QTest::mouseClick(w.button, Qt::RightButton, {}, QPoint(30, 12));
    QCOMPARE(shown.size(), 0);
}

void tst_KavoBtns::modalResultClosesTheForm_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("modalResult");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << int(bkOK) << 0 << int(toolkit::mrOk);
    QTest::newRow("Cancel") << int(bkCancel) << 0 << int(toolkit::mrCancel);
    QTest::newRow("All") << int(bkAll) << 0 << int(toolkit::mrAll);
    QTest::newRow("custom result") << int(bkCustom) << 42 << 42;
    QTest::newRow("no result keeps the form open") << int(bkCustom) << 0 << -1;
}

void tst_KavoBtns::modalResultClosesTheForm()
{
    QFETCH(int, kind);
    QFETCH(int, modalResult);
    QFETCH(int, result);
    toolkit::TForm form;
    form.resize(200, 100);
    auto *button = new TkavoBitBtn(&form);
    button->setKind(TBitBtnKind(kind));
    if (kind == bkCustom)
        button->setModalResult(modalResult);
    int formResultAtClick = -1;
    bool stillOpen = false;
    button->OnClick = [&](QObject *) { formResultAtClick = form.ModalResult(); };
    QTimer::singleShot(0, &form, [&] {
        button->click();
        stillOpen = form.isVisible();
        if (stillOpen)
            form.setModalResult(-1);
    });
    QCOMPARE(form.ShowModal(), result);
    QCOMPARE(stillOpen, result == -1);
    // The form takes the button's result before OnClick runs, also when it is 0.
    QCOMPARE(formResultAtClick, result == -1 ? 0 : result);
}

void tst_KavoBtns::dialogKeysPressTheKindButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter: OK") << int(Qt::Key_Return) << int(toolkit::mrOk);
    QTest::newRow("Escape: Cancel") << int(Qt::Key_Escape) << int(toolkit::mrCancel);
}

void tst_KavoBtns::dialogKeysPressTheKindButtons()
{
    QFETCH(int, key);
    QFETCH(int, result);
    // As in the options dialog: OK, Cancel and a hidden Help, the focus in another control.
    toolkit::TForm form;
    auto *field = new QLineEdit(&form);
    auto *ok = new TkavoBitBtn(&form);
    ok->setKind(bkOK);
    auto *cancel = new TkavoBitBtn(&form);
    cancel->setKind(bkCancel);
    auto *help = new TkavoBitBtn(&form);
    help->setKind(bkHelp);
    help->hide();
    field->setFocus();
    QTimer::singleShot(0, &form, [&] {
        if (form.isVisible())
            QTest::keyClick(field, Qt::Key(key));
    });
    QCOMPARE(form.ShowModal(), result);
}

void tst_KavoBtns::helpAndCloseKinds()
{
    QList<int> helped;
    setHelpContextHandler([&helped](int context) { helped << context; });
    toolkit::TForm form;
    auto *panel = new QWidget(&form);
    auto *help = new TkavoBitBtn(panel);
    help->setKind(bkHelp);
    int helpClicks = 0;
    help->OnClick = [&](QObject *) { ++helpClicks; };

    // No help context anywhere up the chain: a plain click.
    help->click();
    QCOMPARE(helpClicks, 1);
    QVERIFY(helped.isEmpty());
    // The nearest help context is shown instead of the click.
    form.setProperty("HelpContext", 7);
    help->click();
    panel->setProperty("HelpContext", 12);
    help->click();
    QCOMPARE(helped, (QList<int>{7, 12}));
    QCOMPARE(helpClicks, 1);
    setHelpContextHandler(nullptr);

    // Close shuts its form without clicking; without a form it is a plain button.
    auto *close = new TkavoBitBtn(&form);
    close->setKind(bkClose);
    int closeClicks = 0;
    close->OnClick = [&](QObject *) { ++closeClicks; };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    close->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(closeClicks, 0);
    TkavoBitBtn alone;
    alone.setKind(bkClose);
    int aloneClicks = 0;
    alone.OnClick = [&](QObject *) { ++aloneClicks; };
    alone.click();
    QCOMPARE(aloneClicks, 1);
}

void tst_KavoBtns::clickPlaysTheSound()
{
    QWidget form;
    auto *sound = new RecordingSoundSource(&form);
    auto *button = new TkavoBitBtn(&form);
    QCOMPARE(button->Sound(), sound);
    int clicked = 0;
    button->OnClick = [&](QObject *) { ++clicked; };

    // A leading "#" names a raw-data resource, anything else a file.
    button->setClickSound(QStringLiteral("#click"));
    button->click();
    button->setClickSound(QStringLiteral("no such sound"));
    button->click();
    QCOMPARE(sound->played, (QStringList{"#click", "no such sound"}));
    // Without a sound source nothing plays, and the click still happens each time.
    button->setSound(nullptr);
    button->click();
    QCOMPARE(sound->played.size(), 2);
    QCOMPARE(clicked, 3);
}

void tst_KavoBtns::colorsFollowTheParent()
{
    QWidget parent;
    parent.setProperty("Color", QVariant::fromValue(toolkit::clRed));
    TkavoBitBtn button;
    QCOMPARE(button.Color(), toolkit::clBtnFace);
    button.setParent(&parent);
    QCOMPARE(button.Color(), toolkit::clRed);
    QCOMPARE(button.BackColor(), toolkit::clRed);

    // Color set directly still follows the parent; BackColor set directly no longer does.
    button.setColor(toolkit::clBlue);
    QVERIFY(button.ParentColor());
    parent.setProperty("Color", QVariant::fromValue(toolkit::clLime));
    QEvent change(QEvent::PaletteChange);
    QApplication::sendEvent(&button, &change);
    QCOMPARE(button.Color(), toolkit::clLime);
    button.setBackColor(toolkit::clNavy);
    QVERIFY(!button.ParentColor());
    parent.setProperty("Color", QVariant::fromValue(toolkit::clGray));
    QApplication::sendEvent(&button, &change);
    QCOMPARE(button.Color(), toolkit::clLime);
    QCOMPARE(button.BackColor(), toolkit::clNavy);
}

QTEST_MAIN(tst_KavoBtns)
#include "tst_KavoBtns.moc"
