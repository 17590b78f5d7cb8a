// SPDX-License-Identifier: MIT
#include "KvChkBox.h"

#include "Colors.h"
#include "RatioPixels.h"

#include <QApplication>
#include <QTest>

using namespace toolkit;

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kDark = 0xFF808080;
constexpr QRgb kLight = 0xFFC0C0C0;
constexpr QRgb kWhite = 0xFFFFFFFF;

// One cell of the check strip as the glyphs are described: state 0 hot, 1 normal, 2 disabled.
QImage expectedCheckCell(int state, bool checked)
{
    QImage cell(11, 11, QImage::Format_RGB32);
    cell.fill(state == 2 ? kLight : kWhite);
    if (state == 0) {
        for (int i = 0; i < 11; ++i) {
            cell.setPixel(i, 0, kBlack);
            cell.setPixel(0, i, kBlack);
        }
        for (int i = 1; i < 11; ++i) {
            cell.setPixel(i, 10, kDark);
            cell.setPixel(10, i, kDark);
        }
    }
    if (checked) {
        const QList<QPoint> mark{{8, 2}, {7, 3}, {8, 3}, {2, 4}, {6, 4}, {7, 4}, {8, 4}, {2, 5}, {3, 5}, {5, 5},
                                 {6, 5}, {7, 5}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}, {3, 7}, {4, 7}, {5, 7},
                                 {4, 8}};
        for (const QPoint &p : mark)
            cell.setPixel(p, state == 2 ? kDark : kBlack);
    }
    return cell;
}

// One cell of the radio strip, from the hot cell's rows.
QImage expectedRadioCell(int state, bool checked)
{
    struct Run
    {
        int row, from, to;
        QRgb color;
    };
    QList<Run> hot{{0, 4, 7, kDark},  {1, 2, 3, kDark},  {1, 4, 7, kBlack},  {1, 8, 9, kDark},   {2, 1, 1, kDark},
                   {2, 2, 3, kBlack}, {2, 4, 7, kWhite}, {2, 8, 9, kBlack},  {2, 10, 10, kWhite}, {3, 1, 1, kDark},
                   {3, 2, 2, kBlack}, {3, 3, 8, kWhite}, {3, 10, 10, kWhite}, {8, 1, 1, kDark},   {8, 2, 2, kBlack},
                   {8, 3, 8, kWhite}, {8, 10, 10, kWhite}, {9, 1, 1, kDark},  {9, 4, 7, kWhite},  {9, 10, 10, kWhite},
                   {10, 2, 3, kWhite}, {10, 8, 9, kWhite}, {11, 4, 7, kWhite}};
    for (int row = 4; row <= 7; ++row)
        hot += {{row, 0, 0, kDark}, {row, 1, 1, kBlack}, {row, 2, 9, kWhite}, {row, 11, 11, kWhite}};
    QImage cell(12, 12, QImage::Format_RGB32);
    cell.fill(kLight);
    for (const Run &run : hot)
        for (int x = run.from; x <= run.to; ++x)
            cell.setPixel(x, run.row, run.color);
    for (int y = 1; y <= 9; ++y) {
        for (int x = 0; x < 12; ++x) {
            const QRgb pixel = cell.pixel(x, y);
            if (state == 1 && y <= 8 && pixel == kBlack)
                cell.setPixel(x, y, kWhite);
            if (state == 2 && ((y <= 8 && pixel == kBlack) || (x >= 1 && x <= 9 && pixel == kWhite)))
                cell.setPixel(x, y, kLight);
        }
    }
    if (checked) {
        for (int x = 5; x <= 6; ++x) {
            cell.setPixel(x, 4, state == 2 ? kDark : kBlack);
            cell.setPixel(x, 7, state == 2 ? kDark : kBlack);
        }
        for (int y = 5; y <= 6; ++y)
            for (int x = 4; x <= 7; ++x)
                cell.setPixel(x, y, state == 2 ? kDark : kBlack);
    }
    return cell;
}

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

Q_DECLARE_METATYPE(TkavoCheckBoxType)
Q_DECLARE_METATYPE(TkavoCheckAlign)
Q_DECLARE_METATYPE(TCheckBoxState)

class tst_KvChkBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void glyphStrips_data();
    void glyphStrips();
    void paintedBox_data();
    void paintedBox();
    void boxPlacement_data();
    void boxPlacement();
    void radioFamily();
    void clickingACheckedRadioUnchecksIt();
    void undo();
    void state_data();
    void state();
    void keys_data();
    void keys();
    void doubleClickTogglesTwice();
    void disabledIgnoresTheUser();
    void accelerator();
    void focusRectangle_data();
    void focusRectangle();
    void storedRules();
    void glyphsSharpAtScreenRatio_data();
    void glyphsSharpAtScreenRatio();
};

void tst_KvChkBox::glyphStrips_data()
{
    QTest::addColumn<TkavoCheckBoxType>("style");
    QTest::addColumn<int>("cell");
    const char *names[] = {"hot unchecked", "hot checked", "normal unchecked", "normal checked", "disabled unchecked",
                           "disabled checked"};
    for (int cell = 0; cell < 6; ++cell) {
        QTest::addRow("check, %s", names[cell]) << btCheckBox << cell;
        QTest::addRow("radio, %s", names[cell]) << btRadioButton << cell;
    }
}

void tst_KvChkBox::glyphStrips()
{
    QFETCH(TkavoCheckBoxType, style);
    QFETCH(int, cell);
    const bool check = style == btCheckBox;
    const QImage &strip = check ? CheckGlyphs() : RadioGlyphs();
    const int size = check ? 11 : 12;
    QCOMPARE(strip.size(), QSize(6 * size, size));
    const QImage expected = check ? expectedCheckCell(cell / 2, cell % 2) : expectedRadioCell(cell / 2, cell % 2);
    const QImage actual = strip.copy(cell * size, 0, size, size).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            QVERIFY2(actual.pixel(x, y) == expected.pixel(x, y), qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
}

void tst_KvChkBox::paintedBox_data()
{
    QTest::addColumn<TkavoCheckBoxType>("style");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("pointerInside");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("cell");

    for (const TkavoCheckBoxType style : {btCheckBox, btRadioButton}) {
        const char *name = style == btCheckBox ? "check" : "radio";
        QTest::addRow("%s, normal", name) << style << false << true << false << false << 2;
        QTest::addRow("%s, normal checked", name) << style << true << true << false << false << 3;
        QTest::addRow("%s, under the pointer", name) << style << false << true << true << false << 0;
        QTest::addRow("%s, focused and checked", name) << style << true << true << false << true << 1;
        QTest::addRow("%s, disabled", name) << style << false << false << false << false << 4;
        QTest::addRow("%s, disabled under the pointer", name) << style << true << false << true << false << 5;
    }
}

void tst_KvChkBox::paintedBox()
{
    QFETCH(TkavoCheckBoxType, style);
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(bool, pointerInside);
    QFETCH(bool, focused);
    QFETCH(int, cell);

    QWidget window;
    auto *other = new TkavoCheckBox(&window);
    other->move(40, 80);
    auto *box = new TkavoCheckBox(&window);
    // Away from the window's corner, where the pointer rests.
    box->setGeometry(40, 40, 139, 14);
    box->setStyle(style);
    box->setChecked(checked);
    box->setEnabled(enabled);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    if (focused)
        box->setFocus();
    else
        other->setFocus();
    if (pointerInside) {
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QApplication::sendEvent(box, &enter);
    }

    const QImage image = grabbed(*box);
    const QPalette &pal = box->palette();
    if (style == btCheckBox) {
        // A sunken 13 x 13 frame at (0, 1), the cell inside it.
        QCOMPARE(image.pixel(0, 1), clBtnShadow.resolve(pal).rgb());
        QCOMPARE(image.pixel(11, 1), clBtnShadow.resolve(pal).rgb());
        QCOMPARE(image.pixel(12, 1), clBtnHighlight.resolve(pal).rgb());
        QCOMPARE(image.pixel(0, 13), clBtnHighlight.resolve(pal).rgb());
        QCOMPARE(image.copy(1, 2, 11, 11), CheckGlyphs().copy(cell * 11, 0, 11, 11));
    } else {
        QCOMPARE(image.copy(0, 1, 12, 12), RadioGlyphs().copy(cell * 12, 0, 12, 12));
    }
}

void tst_KvChkBox::boxPlacement_data()
{
    QTest::addColumn<TkavoCheckBoxType>("style");
    QTest::addColumn<TkavoCheckAlign>("align");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("top");

    QTest::newRow("check, centred in 14") << btCheckBox << baCenter << 14 << 1;
    QTest::newRow("radio, centred in 14") << btRadioButton << baCenter << 14 << 1;
    QTest::newRow("check, centred in 30") << btCheckBox << baCenter << 30 << 9;
    QTest::newRow("check, top") << btCheckBox << baTop << 30 << 1;
    QTest::newRow("check, bottom") << btCheckBox << baBottom << 30 << 18;
    QTest::newRow("radio, bottom") << btRadioButton << baBottom << 30 << 17;
}

void tst_KvChkBox::boxPlacement()
{
    QFETCH(TkavoCheckBoxType, style);
    QFETCH(TkavoCheckAlign, align);
    QFETCH(int, height);
    QFETCH(int, top);

    TkavoCheckBox box;
    box.resize(60, height);
    box.setStyle(style);
    box.setVertAlign(align);
    const QImage image = grabbed(box);
    if (style == btCheckBox)
        QCOMPARE(image.copy(1, top + 1, 11, 11), CheckGlyphs().copy(2 * 11, 0, 11, 11));
    else
        QCOMPARE(image.copy(0, top, 12, 12), RadioGlyphs().copy(2 * 12, 0, 12, 12));
}

void tst_KvChkBox::radioFamily()
{
    QWidget parent;
    QStringList notifications;
    auto make = [&](const QString &name, TkavoCheckBoxType style, QWidget *owner) {
        auto *box = new TkavoCheckBox(owner);
        box->setObjectName(name);
        box->setStyle(style);
        box->OnChange = [&notifications](QObject *sender) { notifications << sender->objectName(); };
        return box;
    };
    TkavoCheckBox *a = make(QStringLiteral("a"), btRadioButton, &parent);
    TkavoCheckBox *plain = make(QStringLiteral("plain"), btCheckBox, &parent);
    TkavoCheckBox *b = make(QStringLiteral("b"), btRadioButton, &parent);
    // Two checked radio boxes at once: c becomes one only after it is checked.
    TkavoCheckBox *c = make(QStringLiteral("c"), btCheckBox, &parent);
    QWidget other;
    TkavoCheckBox *elsewhere = make(QStringLiteral("elsewhere"), btRadioButton, &other);

    a->setChecked(true);
    plain->setChecked(true);
    c->setChecked(true);
    c->setStyle(btRadioButton);
    elsewhere->setChecked(true);
    QVERIFY(a->Checked());
    notifications.clear();

    b->setChecked(true);
    QCOMPARE(notifications, (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
    QVERIFY(!a->Checked());
    QVERIFY(b->Checked());
    QVERIFY(!c->Checked());
    QVERIFY(plain->Checked());
    QVERIFY(elsewhere->Checked());

    notifications.clear();
    b->setChecked(true);
    QVERIFY(notifications.isEmpty());
}

void tst_KvChkBox::clickingACheckedRadioUnchecksIt()
{
    QWidget window;
    auto *first = new TkavoCheckBox(&window);
    auto *second = new TkavoCheckBox(&window);
    second->move(0, 20);
    first->setStyle(btRadioButton);
    second->setStyle(btRadioButton);
    first->setChecked(true);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!first->Checked());
    QVERIFY(!second->Checked());
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(second->Checked());
    QVERIFY(second->hasFocus());
}

void tst_KvChkBox::undo()
{
    QWidget window;
    auto *box = new TkavoCheckBox(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int undos = 0;
    int changes = 0;
    box->OnUndo = [&](QObject *) { ++undos; };
    box->OnChange = [&](QObject *) { ++changes; };

    box->Undo();
    QVERIFY(!box->Checked());
    QCOMPARE(undos, 1);
    QCOMPARE(changes, 0);

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(box->Checked());
    box->Undo();
    QVERIFY(!box->Checked());
    QVERIFY(box->PrevChecked());
    box->Undo();
    QVERIFY(box->Checked());
    QCOMPARE(undos, 3);
    QCOMPARE(changes, 3);
}

void tst_KvChkBox::state_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<TCheckBoxState>("state");

    QTest::newRow("unchecked") << false << true << cbUnchecked;
    QTest::newRow("unchecked, disabled") << false << false << cbUnchecked;
    QTest::newRow("checked") << true << true << cbChecked;
    QTest::newRow("checked, disabled") << true << false << cbGrayed;
}

void tst_KvChkBox::state()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(TCheckBoxState, state);

    TkavoCheckBox box;
    box.setChecked(checked);
    box.setEnabled(enabled);
    QCOMPARE(box.State(), state);

    // Writing the state back sets both: unchecked comes back enabled.
    TkavoCheckBox written;
    written.setEnabled(!enabled);
    written.setState(state);
    QCOMPARE(written.Checked(), checked);
    QCOMPARE(written.isEnabled(), state != cbGrayed);
}

void tst_KvChkBox::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("undos");

    // The box starts checked by the user (its undo brings back unchecked).
    QTest::newRow("space toggles") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << false << false << 0;
    QTest::newRow("a repeated space toggles too") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << true << false
                                                  << 0;
    QTest::newRow("shift+space does not") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false
                                          << true << 0;
    QTest::newRow("ctrl+space does not") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ControlModifier) << false
                                         << true << 0;
    QTest::newRow("ctrl+z undoes") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ControlModifier) << false << false
                                   << 1;
    QTest::newRow("alt+backspace undoes") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::AltModifier)
                                          << false << false << 1;
    QTest::newRow("z alone does nothing") << int(Qt::Key_Z) << Qt::KeyboardModifiers() << false << true << 0;
}

void tst_KvChkBox::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(bool, checked);
    QFETCH(int, undos);

    TkavoCheckBox box;
    box.Toggle();
    int undone = 0;
    box.OnUndo = [&](QObject *) { ++undone; };
    QKeyEvent press(QEvent::KeyPress, key, modifiers, key == Qt::Key_Space ? QStringLiteral(" ") : QString(),
                    autoRepeat);
    QApplication::sendEvent(&box, &press);
    QCOMPARE(box.Checked(), checked);
    QCOMPARE(undone, undos);
}

void tst_KvChkBox::doubleClickTogglesTwice()
{
    QWidget window;
    auto *box = new TkavoCheckBox(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int changes = 0;
    box->OnChange = [&](QObject *) { ++changes; };
    // The platform's order: press, release, double click, release.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!box->Checked());
    QCOMPARE(changes, 2);
}

void tst_KvChkBox::disabledIgnoresTheUser()
{
    QWidget window;
    auto *box = new TkavoCheckBox(&window);
    box->setCaption(QStringLiteral("&Negative"));
    box->setEnabled(false);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(box, Qt::Key_Space);
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    QVERIFY(!box->Checked());
    // Program code still can.
    box->setState(cbGrayed);
    QVERIFY(box->Checked());
    box->Undo();
    QVERIFY(!box->Checked());
}

void tst_KvChkBox::accelerator()
{
    QWidget window;
    auto *first = new TkavoCheckBox(&window);
    auto *box = new TkavoCheckBox(&window);
    box->move(0, 20);
    box->setCaption(QStringLiteral("&Negative numbers"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    QVERIFY(box->Checked());
    QVERIFY(box->hasFocus());
    box->setCaption(QStringLiteral("&Empty cells"));
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    QVERIFY(box->Checked());
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    QVERIFY(!box->Checked());
}

void tst_KvChkBox::focusRectangle_data()
{
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<QString>("caption");

    QTest::newRow("caption wider than the control")
        << false << QStringLiteral("A caption far too wide for a box of ninety pixels");
    QTest::newRow("word wrap") << true << QStringLiteral("Wrapped");
}

void tst_KvChkBox::focusRectangle()
{
    QFETCH(bool, wordWrap);
    QFETCH(QString, caption);

    QWidget window;
    auto *other = new TkavoCheckBox(&window);
    auto *box = new TkavoCheckBox(&window);
    box->setGeometry(0, 20, 90, 30);
    box->setCaption(caption);
    box->setWordWrap(wordWrap);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    other->setFocus();
    const QImage plain = grabbed(*box);
    box->setFocus();
    const QImage focused = grabbed(*box);

    // The focus rectangle inverts pixels right of the box only, so compare from x = 13 on.
    QRect changed;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 13; x < plain.width(); ++x)
            if (plain.pixel(x, y) != focused.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    QFontMetrics metrics(box->font());
    const QRect expected = wordWrap ? QRect(QPoint(14, 1), QPoint(89, 28))
                                    : QRect(14, (30 - metrics.height()) / 2, 90 - 14, metrics.height());
    QCOMPARE(changed, expected);
}

void tst_KvChkBox::storedRules()
{
    // A new check box writes only its caption and check state; State follows Checked and Enabled.
    TkavoCheckBox box;
    QVERIFY(isPropertyStored(&box, "Caption"));
    QVERIFY(isPropertyStored(&box, "Checked"));
    for (const char *name : {"WordWrap", "VertAlign", "Alignment", "State", "Style", "TabStop"})
        QVERIFY2(!isPropertyStored(&box, name), name);
    box.setChecked(true);
    QVERIFY(isPropertyStored(&box, "State"));
}

void tst_KvChkBox::glyphsSharpAtScreenRatio_data()
{
    QTest::addColumn<TkavoCheckBoxType>("style");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("check mark") << btCheckBox << true;
    QTest::newRow("disabled check mark") << btCheckBox << false;
    QTest::newRow("radio dot") << btRadioButton << true;
    QTest::newRow("disabled radio dot") << btRadioButton << false;
}

// Run by the registrations that set a screen ratio; at ratio 1 paintedBox holds.
void tst_KvChkBox::glyphsSharpAtScreenRatio()
{
    QFETCH(TkavoCheckBoxType, style);
    QFETCH(bool, enabled);
    TkavoCheckBox box;
    box.resize(139, 14);
    box.setStyle(style);
    box.setChecked(true);
    box.setEnabled(enabled);
    const qreal ratio = box.devicePixelRatio();
    if (ratio <= 1.0)
        QSKIP("the screen's device pixel ratio is 1");

    const bool check = style == btCheckBox;
    const int size = check ? 11 : 12;
    const QImage cell = (check ? CheckGlyphs() : RadioGlyphs()).copy((enabled ? 3 : 5) * size, 0, size, size);
    const QRect place = RatioPixels::deviceRect(check ? QRect(1, 2, size, size) : QRect(0, 1, size, size), ratio);
    const QImage image = box.grab().toImage();
    // Inside its place (whose edge pixels may fall to the frame) only the cell's own colours.
    QVERIFY(RatioPixels::colours(cell, cell.rect())
                .contains(RatioPixels::colours(image, place.adjusted(1, 1, -1, -1))));
    if (ratio == 2.0)
        QVERIFY(RatioPixels::hasFineDetail(image, place));
}

QTEST_MAIN(tst_KvChkBox)
#include "tst_KvChkBox.moc"
