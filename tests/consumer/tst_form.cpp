// SPDX-License-Identifier: MIT
// A window of every control, built from a form as any program outside this project builds it,
// with the libraries and headers found through the installed package only.
#include "ui_window.h"

#include <KavoControls/KavoBtns.h>
#include <KavoControls/KavoDrop.h>
#include <KavoControls/KavoSpin.h>
#include <KavoControls/KvAccessible.h>
#include <KavoControls/KvChkBox.h>
#include <KavoControls/KvCtrls.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

class tst_Form : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controlIsBuiltFromTheForm_data();
    void controlIsBuiltFromTheForm();
    void formSetsProperties();
    void buttonKindBringsItsCaptionAndGlyph();
    void spinTextFunctionsReadAndWrite_data();
    void spinTextFunctionsReadAndWrite();
    void buttonCountsItsGlyphStrip();

private:
    QWidget FWindow;
    Ui::Window FUi;
};

void tst_Form::initTestCase()
{
    RegisterPointCursor();
    RegisterKavoAccessibility();
    FUi.setupUi(&FWindow);
    FWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&FWindow));
}

void tst_Form::controlIsBuiltFromTheForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::newRow("label") << "lblNumber" << "TkavoLabel" << QAccessible::StaticText;
    QTest::newRow("spin edit") << "edNumber" << "TkavoSpinEdit" << QAccessible::SpinBox;
    QTest::newRow("check box") << "cbNegative" << "TkavoCheckBox" << QAccessible::CheckBox;
    QTest::newRow("bitmap button") << "btnOk" << "TkavoBitBtn" << QAccessible::Button;
    QTest::newRow("calculator edit") << "edAmount" << "TkavoCalcEdit" << QAccessible::EditableText;
    QTest::newRow("date edit") << "edDate" << "TkavoDateEdit" << QAccessible::EditableText;
    QTest::newRow("period edit") << "edPeriod" << "TkavoPeriodEdit" << QAccessible::EditableText;
    QTest::newRow("bitmap view") << "imgLogo" << "TkavoBitmapView" << QAccessible::Graphic;
}

void tst_Form::controlIsBuiltFromTheForm()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QAccessible::Role, role);
    auto *control = FWindow.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QVERIFY(control->isVisible());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), role);
}

void tst_Form::formSetsProperties()
{
    QCOMPARE(FUi.lblNumber->Caption(), QStringLiteral("&Number:"));
    QCOMPARE(double(FUi.edNumber->MaxValue()), 50.0);
    QCOMPARE(double(FUi.edNumber->Value()), 12.0);
    QVERIFY(FUi.cbNegative->Checked());
    QCOMPARE(FUi.edAmount->Value(), 3.5);
    QCOMPARE(FUi.edDate->Date(), QDate(2024, 2, 29));
}

// The kinds' captions and glyphs are resources of the library: they must come with it.
void tst_Form::buttonKindBringsItsCaptionAndGlyph()
{
    FUi.btnOk->setKind(bkOK);
    QCOMPARE(FUi.btnOk->Caption(), QStringLiteral("OK"));
    const QImage face = FUi.btnOk->grab().toImage();
    bool green = false;
    for (int y = 0; y < face.height() && !green; ++y)
        for (int x = 0; x < face.width() && !green; ++x)
            green = face.pixelColor(x, y) == QColor(0x00, 0xFF, 0x00);
    QVERIFY2(green, "the OK glyph's green tick is not on the button");
}

// The free functions of the spin edit's header are the library's too: a program calls them.
void tst_Form::spinTextFunctionsReadAndWrite_data()
{
    QTest::addColumn<double>("written");
    QTest::addColumn<TValueType>("type");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("read");
    QTest::newRow("whole number") << -7.0 << vtInteger << 0 << "-7" << -7.0;
    QTest::newRow("half to even") << 2.5 << vtInteger << 0 << "2" << 2.0;
    QTest::newRow("decimal comma") << 3.5 << vtFloat << 2 << "3,50" << 3.5;
}

void tst_Form::spinTextFunctionsReadAndWrite()
{
    QFETCH(double, written);
    QFETCH(TValueType, type);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QFETCH(double, read);
    QCOMPARE(SpinValueToText(written, type, decimals, QStringLiteral(",")), std::optional<QString>(text));
    QCOMPARE(SpinTextToValue(text, type, QStringLiteral(",")), std::optional<long double>(read));
}

// The glyph count a strip gives by its shape is worked out inline, in the program that asks.
void tst_Form::buttonCountsItsGlyphStrip()
{
    TkavoBitBtn button;
    button.setGlyph(QImage(32, 16, QImage::Format_RGB32));
    QCOMPARE(button.GlyphNumGlyphs(), 2);
    QVERIFY(!button.isNumGlyphsStored());
}

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
