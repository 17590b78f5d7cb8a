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

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
