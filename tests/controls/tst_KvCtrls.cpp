// SPDX-License-Identifier: MIT
#include "KvCtrls.h"

#include "Canvas.h"
#include "Component.h"
#include "Cursors.h"
#include "KavoSpin.h"

#include <QApplication>
#include <QLineEdit>
#include <QtMath>
#include <QShortcut>
#include <QTest>

using namespace toolkit;

namespace {

// A font without antialiasing, so every drawn pixel has exactly its pen's colour.
QFont crispFont(int pixels)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRect pixelsOf(const QImage &image, QRgb color)
{
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                found |= QRect(x, y, 1, 1);
    return found;
}

} // namespace

Q_DECLARE_METATYPE(TkavoLabelPosition)
Q_DECLARE_METATYPE(TLightPos)

class tst_KvCtrls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placeFocusControl_data();
    void placeFocusControl();
    void placementTriggers();
    void sideButtonNarrowsControl_data();
    void sideButtonNarrowsControl();
    void height3DRefusesNegative();
    void hoverRepaints_data();
    void hoverRepaints();
    void hoverLookWithoutAlive();
    void click_data();
    void click();
    void paintHooks();
    void bevelFrame();
    void drawText3DOffsets_data();
    void drawText3DOffsets();
    void drawText3DMeasures();
    void autoSizeShowsTheWholeCaption();
    void accelerator();
    void acceleratorLeavesTheKeyWhenItCannotFocus();
    void followingTheParent();
    void loadingKeepsFollowing();
    void pointingHandNeedsRegistration();
    void pointingHand();
    void storedRules();
};

void tst_KvCtrls::placeFocusControl_data()
{
    QTest::addColumn<TkavoLabelPosition>("position");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QRect>("control");

    // The label stands at (32, 40), 105 x 21; the control starts at (0, 0), 62 x 30.
    QTest::newRow("left of the control") << wlpLeft << 2 << QRect(139, 40, 62, 21);
    QTest::newRow("right of the control") << wlpRight << 2 << QRect(-32, 40, 62, 21);
    QTest::newRow("above the control") << wlpTop << 3 << QRect(32, 64, 105, 30);
    QTest::newRow("below the control") << wlpBottom << 4 << QRect(32, 6, 105, 30);
    QTest::newRow("unlinked") << wlpUnLinked << 2 << QRect(0, 0, 62, 30);
}

namespace {

// A label as the options dialog places its captions: at (32, 40), 105 x 21.
TkavoLabel *placedLabel(QWidget &parent)
{
    auto *label = new TkavoLabel(&parent);
    label->SetBounds(32, 40, 105, 21);
    return label;
}

} // namespace

void tst_KvCtrls::placeFocusControl()
{
    QFETCH(TkavoLabelPosition, position);
    QFETCH(int, offset);
    QFETCH(QRect, control);

    QWidget parent;
    auto *edit = new QLineEdit(&parent);
    edit->setGeometry(0, 0, 62, 30);
    TkavoLabel *label = placedLabel(parent);
    label->setPosition(position);
    label->setFocusOffset(offset);
    label->setFocusControl(edit);
    QCOMPARE(edit->geometry(), control);

    // A control on another parent is left where it is.
    QWidget elsewhere;
    auto *foreign = new QLineEdit(&elsewhere);
    foreign->setGeometry(5, 5, 62, 30);
    label->setFocusControl(foreign);
    QCOMPARE(foreign->geometry(), QRect(5, 5, 62, 30));
}

void tst_KvCtrls::placementTriggers()
{
    QWidget parent;
    auto *edit = new TkavoSpinEdit(&parent);
    edit->setGeometry(0, 0, 62, 21);
    TkavoLabel *label = placedLabel(parent);
    label->setFocusControl(edit);
    QCOMPARE(edit->pos(), QPoint(139, 40));

    // Moving the control never moves the label; the same bounds again do not move the control.
    edit->move(300, 300);
    QCOMPARE(label->pos(), QPoint(32, 40));
    label->SetBounds(32, 40, 105, 21);
    QCOMPARE(edit->pos(), QPoint(300, 300));

    // Real changes of the bounds do, from any source.
    label->SetBounds(10, 40, 105, 21);
    QCOMPARE(edit->pos(), QPoint(117, 40));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    label->move(20, 50);
    QCOMPARE(edit->pos(), QPoint(127, 50));
    label->setFocusOffset(10);
    QCOMPARE(edit->pos(), QPoint(135, 50));

    // A deleted control is simply gone.
    delete edit;
    QCOMPARE(label->FocusControl(), nullptr);
    label->SetBounds(0, 0, 50, 21);
}

namespace {

// A control with a side button of the given width (0: hidden), as the drop-down edits have.
class SideButtonEdit : public QLineEdit, public TkavoSideButtonOwner
{
public:
    using QLineEdit::QLineEdit;
    int SideButtonWidth() const override { return buttonWidth; }
    int buttonWidth = 0;
};

} // namespace

void tst_KvCtrls::sideButtonNarrowsControl_data()
{
    QTest::addColumn<TkavoLabelPosition>("position");
    QTest::addColumn<int>("button");
    QTest::addColumn<QRect>("control");

    // The label stands at (32, 40), 105 x 21, 2 pixels from the control, which starts at
    // (0, 0), 62 x 30.
    QTest::newRow("above, button shown") << wlpTop << 16 << QRect(32, 63, 105 - 16 - 2, 30);
    QTest::newRow("below, button shown") << wlpBottom << 16 << QRect(32, 8, 105 - 16 - 2, 30);
    QTest::newRow("above, button hidden") << wlpTop << 0 << QRect(32, 63, 105, 30);
    QTest::newRow("beside keeps its width") << wlpLeft << 16 << QRect(139, 40, 62, 21);
}

void tst_KvCtrls::sideButtonNarrowsControl()
{
    QFETCH(TkavoLabelPosition, position);
    QFETCH(int, button);
    QFETCH(QRect, control);

    QWidget parent;
    auto *edit = new SideButtonEdit(&parent);
    edit->buttonWidth = button;
    edit->setGeometry(0, 0, 62, 30);
    TkavoLabel *label = placedLabel(parent);
    label->setPosition(position);
    label->setFocusControl(edit);
    QCOMPARE(edit->geometry(), control);
}

void tst_KvCtrls::height3DRefusesNegative()
{
    TkavoLabel label;
    label.setHeight3D(3);
    label.setHeight3D(-1);
    QCOMPARE(label.Height3D(), 3);
    label.setHeight3D(0);
    QCOMPARE(label.Height3D(), 0);
}

void tst_KvCtrls::hoverRepaints_data()
{
    QTest::addColumn<bool>("alive");
    QTest::newRow("alive") << true;
    QTest::newRow("not alive") << false;
}

void tst_KvCtrls::hoverRepaints()
{
    QFETCH(bool, alive);

    QWidget window;
    auto *label = new TkavoLabel(&window);
    label->SetBounds(40, 40, 100, 21);
    label->setAlive(alive);
    int paints = 0;
    QStringList events;
    label->OnAfterPaint = [&](QObject *, QPainter &, QRect) { ++paints; };
    label->OnMouseEnter = [&](QObject *sender) {
        QCOMPARE(sender, label);
        events << QStringLiteral("enter");
    };
    label->OnMouseLeave = [&](QObject *) { events << QStringLiteral("leave"); };
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(paints > 0);
    QTest::qWait(50);
    paints = 0;

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(label, &enter);
    QVERIFY(label->MouseInside());
    if (alive)
        QTRY_COMPARE(paints, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    QVERIFY(!label->MouseInside());
    if (alive)
        QTRY_COMPARE(paints, 2);
    QTest::qWait(50);
    QCOMPARE(paints, alive ? 2 : 0);
    QCOMPARE(events, (QStringList{QStringLiteral("enter"), QStringLiteral("leave")}));
}

void tst_KvCtrls::hoverLookWithoutAlive()
{
    TkavoLabel label;
    label.resize(60, 20);
    label.setTransparent(false);
    label.setBevel(false);
    label.setColor(clGreen);
    label.setColorActive(clRed);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&label, &enter);
    // A repaint for any other reason still shows the hover look.
    QCOMPARE(label.grab().toImage().pixel(1, 1), qRgb(255, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    QCOMPARE(label.grab().toImage().pixel(1, 1), qRgb(0, 128, 0));
}

void tst_KvCtrls::click_data()
{
    QTest::addColumn<bool>("alive");
    QTest::addColumn<bool>("handler");
    QTest::addColumn<bool>("controlEnabled");
    QTest::addColumn<bool>("controlVisible");
    QTest::addColumn<bool>("focused");

    QTest::newRow("alive label focuses its control") << true << false << true << true << true;
    QTest::newRow("not alive") << false << false << true << true << false;
    QTest::newRow("a click handler wins") << true << true << true << true << false;
    QTest::newRow("disabled control") << true << false << false << true << false;
    QTest::newRow("hidden control") << true << false << true << false << false;
}

void tst_KvCtrls::click()
{
    QFETCH(bool, alive);
    QFETCH(bool, handler);
    QFETCH(bool, controlEnabled);
    QFETCH(bool, controlVisible);
    QFETCH(bool, focused);

    QWidget window;
    auto *other = new QLineEdit(&window);
    other->move(0, 100);
    auto *edit = new QLineEdit(&window);
    auto *label = new TkavoLabel(&window);
    label->SetBounds(32, 40, 105, 21);
    label->setAlive(alive);
    label->setFocusControl(edit);
    int clicks = 0;
    if (handler)
        label->OnClick = [&](QObject *) { ++clicks; };
    edit->setEnabled(controlEnabled);
    edit->setVisible(controlVisible);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(edit->hasFocus(), focused);
    QCOMPARE(clicks, handler ? 1 : 0);
}

void tst_KvCtrls::paintHooks()
{
    TkavoLabel label;
    label.resize(100, 30);
    label.setHeight3D(2);
    label.setBorderWidth(1);
    QList<QRect> before;
    QList<QRect> after;
    label.OnAfterPaint = [&](QObject *, QPainter &, QRect rect) { after << rect; };
    label.grab();
    // Frames 1 + 1 + 1, then the 3-D margins of depth + 2 across and depth + 1 down.
    QCOMPARE(after, QList<QRect>{QRect(QPoint(3 + 4, 3 + 3), QPoint(99 - 3 - 4, 29 - 3 - 3))});

    after.clear();
    label.OnBeforePaint = [&](QObject *sender, QPainter &canvas, QRect rect) {
        QCOMPARE(sender, &label);
        before << rect;
        canvas.fillRect(rect, Qt::blue);
    };
    const QImage image = label.grab().toImage();
    QCOMPARE(before, QList<QRect>{QRect(0, 0, 100, 30)});
    QCOMPARE(after, QList<QRect>{QRect(0, 0, 100, 30)});
    // The handler painted instead of the label: no frame.
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(99, 29), qRgb(0, 0, 255));
}

void tst_KvCtrls::bevelFrame()
{
    TkavoLabel label;
    label.resize(40, 20);
    label.setBevelWidth(2);
    label.setBorderWidth(1);
    label.setColor(clRed);
    label.setCaption(QString());
    const QPalette &pal = label.palette();
    const QImage image = label.grab().toImage();
    const QRgb shadow = clBtnShadow.resolve(pal).rgb();
    const QRgb highlight = clBtnHighlight.resolve(pal).rgb();
    // Outer lowered bevel, two pixels; red border; inner raised bevel, two pixels.
    QCOMPARE(image.pixel(0, 10), shadow);
    QCOMPARE(image.pixel(1, 10), shadow);
    QCOMPARE(image.pixel(39, 10), highlight);
    QCOMPARE(image.pixel(38, 10), highlight);
    QCOMPARE(image.pixel(2, 10), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(37, 10), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(3, 10), highlight);
    QCOMPARE(image.pixel(4, 10), highlight);
    QCOMPARE(image.pixel(36, 10), shadow);
    QCOMPARE(image.pixel(35, 10), shadow);

    label.setBevelOuter(bvSpace);
    QCOMPARE(label.grab().toImage().pixel(0, 10), highlight);
    label.setBevel(false);
    QVERIFY(label.grab().toImage().pixel(0, 10) != highlight);
}

void tst_KvCtrls::drawText3DOffsets_data()
{
    QTest::addColumn<TLightPos>("light");
    QTest::addColumn<QPoint>("toLight");

    QTest::newRow("left") << lpLeft << QPoint(-1, 0);
    QTest::newRow("right") << lpRight << QPoint(1, 0);
    QTest::newRow("top") << lpTop << QPoint(0, -1);
    QTest::newRow("bottom") << lpBottom << QPoint(0, 1);
    QTest::newRow("left top") << lpLeftTop << QPoint(-1, -1);
    QTest::newRow("left bottom") << lpLeftBottom << QPoint(-1, 1);
    QTest::newRow("right top") << lpRightTop << QPoint(1, -1);
    QTest::newRow("right bottom") << lpRightBottom << QPoint(1, 1);
}

void tst_KvCtrls::drawText3DOffsets()
{
    QFETCH(TLightPos, light);
    QFETCH(QPoint, toLight);

    constexpr int depth = 3;
    constexpr QRgb face = 0xFF000000;
    constexpr QRgb lit = 0xFFFFFFFF;
    constexpr QRgb shade = 0xFF0000FF;
    auto draw = [&](QRgb litColor, QRgb shadowColor, QRect &textRect) {
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(qRgb(0, 255, 0));
        QPainter painter(&image);
        painter.setFont(crispFont(30));
        DrawText3D(QStringLiteral("Mw"), textRect, painter, light, QColor(face), QColor(litColor),
                   QColor(shadowColor), depth, taLeftJustify, false, false, false);
        return image;
    };
    QRect textRect(0, 0, 200, 60);
    const QImage image = draw(lit, shade, textRect);
    QCOMPARE(textRect, QRect(QPoint(depth + 2, depth + 1), QPoint(199 - depth - 2, 59 - depth - 1)));

    // The face is drawn last and in place; the lit copy shows beyond it towards the light, the
    // shadow copy away from it.
    const QRect faceBox = pixelsOf(image, face);
    QVERIFY(!faceBox.isEmpty());
    QCOMPARE(pixelsOf(image, face) | pixelsOf(image, lit), faceBox | faceBox.translated(toLight * depth));
    QCOMPARE(pixelsOf(image, face) | pixelsOf(image, shade), faceBox | faceBox.translated(-toLight * depth));

    // Depth 0 puts all three in one place: only the face shows.
    QRect flatRect(0, 0, 200, 60);
    QImage flat(200, 60, QImage::Format_RGB32);
    flat.fill(qRgb(0, 255, 0));
    {
        QPainter painter(&flat);
        painter.setFont(crispFont(30));
        DrawText3D(QStringLiteral("Mw"), flatRect, painter, light, QColor(face), QColor(lit), QColor(shade), 0,
                   taLeftJustify, false, false, false);
    }
    QVERIFY(pixelsOf(flat, lit).isEmpty());
    QVERIFY(pixelsOf(flat, shade).isEmpty());
}

void tst_KvCtrls::drawText3DMeasures()
{
    TScreenCanvas canvas(crispFont(14));
    const QFontMetricsF metrics(crispFont(14));
    // Whole pixels that hold the text's fractional extent.
    const auto extent = [&](const QString &text) {
        return QSize(qCeil(metrics.horizontalAdvance(text)), qCeil(metrics.height()));
    };
    QRect r(0, 0, 500, 100);
    DrawText3D(QStringLiteral("&Board size"), r, canvas.painter(), lpLeftTop, Qt::black, Qt::white, Qt::gray, 2,
               taCenter, true, false, true);
    // The left and top stay shrunk; the size is what the text needs, without the "&".
    QCOMPARE(r.topLeft(), QPoint(4, 3));
    QCOMPARE(r.size(), extent(QStringLiteral("Board size")));

    QRect wrapped(0, 0, 60, 100);
    DrawText3D(QStringLiteral("one two three four"), wrapped, canvas.painter(), lpLeftTop, Qt::black, Qt::white,
               Qt::gray, 0, taLeftJustify, true, false, true);
    QVERIFY(wrapped.height() >= 2 * qFloor(metrics.height()));
    QVERIFY(wrapped.width() <= 56);

    QRect empty(0, 0, 60, 100);
    DrawText3D(QString(), empty, canvas.painter(), lpLeftTop, Qt::black, Qt::white, Qt::gray, 1, taLeftJustify, true,
               false, true);
    QCOMPARE(empty, QRect(3, 2, 0, 0));
}

void tst_KvCtrls::autoSizeShowsTheWholeCaption()
{
    TkavoLabel label;
    label.setFont(crispFont(14));
    label.setWordWrap(false);
    label.setHeight3D(2);
    label.setCaption(QStringLiteral("Number limit"));
    QCOMPARE(label.size(), QSize(65, 21)); // nothing happens while AutoSize is off
    label.setAutoSize(true);
    const QFontMetricsF metrics(label.font());
    const auto advance = [&](const QString &caption) { return qCeil(metrics.horizontalAdvance(caption)); };
    const QSize text(advance(label.Caption()), qCeil(metrics.height()));
    // Bevels 2 + 2 around, 3-D margins of depth + 2 across and depth + 1 down.
    QCOMPARE(label.size(), QSize(text.width() + 4 + 2 * 4, text.height() + 4 + 2 * 3));

    QRect textRect;
    label.OnAfterPaint = [&](QObject *, QPainter &, QRect rect) { textRect = rect; };
    label.grab();
    QCOMPARE(textRect.size(), text);

    label.setCaption(QStringLiteral("Board"));
    QCOMPARE(label.width(), advance(QStringLiteral("Board")) + 12);
    label.setBevel(false);
    QCOMPARE(label.width(), advance(QStringLiteral("Board")) + 8);
}

namespace {

// A label with the accelerator Alt+S for the first of two edits; the second has the focus.
struct AcceleratorWindow
{
    AcceleratorWindow()
    {
        other->move(0, 100);
        label->setCaption(QStringLiteral("&Size"));
        label->setFocusControl(edit);
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        const bool active = QTest::qWaitForWindowActive(&window);
        other->setFocus();
        return active;
    }

    QWidget window;
    QLineEdit *edit = new QLineEdit(&window);
    QLineEdit *other = new QLineEdit(&window);
    TkavoLabel *label = new TkavoLabel(&window);
};

} // namespace

void tst_KvCtrls::accelerator()
{
    AcceleratorWindow w;
    QVERIFY(w.show());
    QTest::keyClick(&w.window, Qt::Key_S, Qt::AltModifier);
    QVERIFY(w.edit->hasFocus());
}

void tst_KvCtrls::acceleratorLeavesTheKeyWhenItCannotFocus()
{
    AcceleratorWindow w;
    int others = 0;
    auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_S), &w.window);
    connect(shortcut, &QShortcut::activated, &w.window, [&] { ++others; });
    w.edit->setEnabled(false);
    QVERIFY(w.show());
    QTest::keyClick(&w.window, Qt::Key_S, Qt::AltModifier);
    QVERIFY(w.other->hasFocus());
    QCOMPARE(others, 1);

    // Once the control can take the focus again, the label takes the key back.
    delete shortcut;
    w.edit->setEnabled(true);
    QTest::keyClick(&w.window, Qt::Key_S, Qt::AltModifier);
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(others, 1);
}

void tst_KvCtrls::followingTheParent()
{
    QWidget parent;
    parent.setBackgroundRole(QPalette::Base);
    auto *label = new TkavoLabel(&parent);
    QCOMPARE(label->Color(), clWindow);
    QCOMPARE(label->ColorActive(), clWindow);

    QFont parentFont = crispFont(17);
    parent.setFont(parentFont);
    QCOMPARE(label->font().pixelSize(), 17);
    QCOMPARE(label->FontActive().pixelSize(), 17);

    // Setting the hover look outside loading ends the following.
    label->setColorActive(clRed);
    QVERIFY(!label->ParentColor());
    QFont bold = label->font();
    bold.setBold(true);
    label->setFontActive(bold);
    QVERIFY(!label->ParentFont());
    parent.setFont(crispFont(9));
    QCOMPARE(label->font().pixelSize(), 17);
    QVERIFY(label->FontActive().bold());

    label->setParentFont(true);
    QCOMPARE(label->font().pixelSize(), 9);
    QCOMPARE(label->FontActive().pixelSize(), 9);
}

void tst_KvCtrls::loadingKeepsFollowing()
{
    QWidget form;
    auto *edit = new QLineEdit(&form);
    TkavoLabel *label = nullptr;
    {
        TFormLoader loader;
        label = loader.add(new TkavoLabel(&form));
        QVERIFY(label->isLoading());
        label->setColorActive(clBtnFace);
        label->setFontActive(crispFont(12));
        label->SetBounds(32, 40, 105, 21);
        label->setFocusControl(edit);
        edit->setGeometry(0, 0, 62, 21); // the control's own stored bounds arrive later
        QVERIFY(label->ParentColor());
        QVERIFY(label->ParentFont());
    }
    QVERIFY(!label->isLoading());
    QCOMPARE(edit->geometry(), QRect(139, 40, 62, 21));
}

void tst_KvCtrls::pointingHandNeedsRegistration()
{
    // Linking the library fills no cursor slot: a program that forgets to register shows the
    // desktop's own hand, not ours.
    TkavoLabel label;
    label.setCursorSlot(crHandPoint);
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    RegisterPointCursor();
    label.setCursorSlot(crHandPoint);
    QCOMPARE(label.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(label.cursor().hotSpot(), QPoint(6, 16));
}

void tst_KvCtrls::pointingHand()
{
    RegisterPointCursor();
    const QCursor hand = screenCursor(crHandPoint);
    QCOMPARE(hand.shape(), Qt::BitmapCursor);
    QCOMPARE(hand.hotSpot(), QPoint(6, 16));
    TkavoLabel label;
    label.setCursorSlot(crHandPoint);
    QCOMPARE(label.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(label.cursor().hotSpot(), QPoint(6, 16));
    // The pixel under the hot spot is the fingertip's outline.
    const QImage image = hand.pixmap().toImage();
    QCOMPARE(qAlpha(image.pixel(6, 16)), 255);
    QCOMPARE(qAlpha(image.pixel(6, 15)), 0);
}

void tst_KvCtrls::storedRules()
{
    TkavoLabel label;
    for (const char *name : {"Light", "Height3D", "Bevel", "BevelInner", "BevelOuter", "WordWrap", "Alive"})
        QVERIFY2(!isPropertyStored(&label, name), name);
    label.setLight(lpLeft);
    QVERIFY(isPropertyStored(&label, "Light"));
}

QTEST_MAIN(tst_KvCtrls)
#include "tst_KvCtrls.moc"
