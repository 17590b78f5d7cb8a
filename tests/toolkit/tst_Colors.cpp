// SPDX-License-Identifier: MIT
#include "Colors.h"

#include <QTest>
#include <QWidget>

using namespace toolkit;

namespace {

// A widget that keeps a colour of its own, as a form or panel of ours may.
class ColoredParent : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(toolkit::TColor Color MEMBER color)

public:
    TColor color = clRed;
};

} // namespace

class tst_Colors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void systemColorsComeFromThePalette_data();
    void systemColorsComeFromThePalette();
    void plainColors();
    void parentColor_data();
    void parentColor();
};

void tst_Colors::systemColorsComeFromThePalette_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<int>("role");

    QTest::newRow("button face") << clBtnFace << int(QPalette::Button);
    QTest::newRow("button shadow") << clBtnShadow << int(QPalette::Dark);
    QTest::newRow("button highlight") << clBtnHighlight << int(QPalette::Light);
    QTest::newRow("button text") << clBtnText << int(QPalette::ButtonText);
    QTest::newRow("3-D light") << cl3DLight << int(QPalette::Midlight);
    QTest::newRow("3-D dark shadow") << cl3DDkShadow << int(QPalette::Shadow);
    QTest::newRow("window") << clWindow << int(QPalette::Base);
    QTest::newRow("window text") << clWindowText << int(QPalette::Text);
}

void tst_Colors::systemColorsComeFromThePalette()
{
    QFETCH(TColor, color);
    QFETCH(int, role);

    // Every role a colour of its own, so a wrong role shows.
    QPalette palette;
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
        palette.setColor(QPalette::Active, QPalette::ColorRole(r), QColor(r * 10, 255 - r * 10, 100));
        palette.setColor(QPalette::Disabled, QPalette::ColorRole(r), QColor(1, 2, 3));
    }
    QVERIFY(color.isSystem());
    QCOMPARE(color.resolve(palette).rgb(), palette.color(QPalette::Active, QPalette::ColorRole(role)).rgb());
    QCOMPARE(ColorToRGB(color, palette).rgb(), color.resolve(palette).rgb());
}

void tst_Colors::plainColors()
{
    const QPalette palette;
    QCOMPARE(clGray.resolve(palette).rgb(), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(TColor::fromRgb(0x12345678).resolve(palette).rgb(), qRgb(0x34, 0x56, 0x78));
    QVERIFY(!clWhite.isSystem());
    QVERIFY(clBtnFace != clWindow);
    QVERIFY(TColor::fromRgb(0xC0C0C0) == clSilver);
    QVERIFY(TColor::fromRgb(0) != TColor::fromSystem(TSystemColor::BtnFace));
}

void tst_Colors::parentColor_data()
{
    QTest::addColumn<int>("parentKind");
    QTest::addColumn<TColor>("color");

    QTest::newRow("no parent") << 0 << clBtnFace;
    QTest::newRow("a form's face") << 1 << clBtnFace;
    QTest::newRow("an input field's window colour") << 2 << clWindow;
    QTest::newRow("a parent's own colour") << 3 << clRed;
}

void tst_Colors::parentColor()
{
    QFETCH(int, parentKind);
    QFETCH(TColor, color);

    QWidget plain;
    QWidget base;
    base.setBackgroundRole(QPalette::Base);
    ColoredParent own;
    QWidget *parents[] = {nullptr, &plain, &base, &own};
    QWidget child(parents[parentKind]);
    QCOMPARE(toolkit::parentColor(&child), color);
}

QTEST_MAIN(tst_Colors)
#include "tst_Colors.moc"
