// SPDX-License-Identifier: MIT
#include "KvAccessible.h"

#include "Cursors.h"
#include "KavoBtns.h"
#include "KavoSpin.h"
#include "KvChkBox.h"
#include "KvCtrls.h"

#include <QAccessible>
#include <QTest>

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface");
    return iface;
}

} // namespace

// The library's controls as assistive technology sees them, on a form laid out as the
// options dialog and the about box lay out theirs.
class tst_KvAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { RegisterKavoAccessibility(); }
    void init();
    void cleanup() { form.reset(); }

    void spinEditIsANamedSpinBox();
    void checkBoxTellsItsState_data();
    void checkBoxTellsItsState();
    void linkLabelGivesItsAddress();
    void bitmapButtonIsNamedByItsCaption();

private:
    std::unique_ptr<QWidget> form;
    TkavoLabel *caption = nullptr;
    TkavoSpinEdit *edit = nullptr;
    TkavoLabel *link = nullptr;
};

void tst_KvAccessible::init()
{
    form = std::make_unique<QWidget>();
    edit = new TkavoSpinEdit(form.get());
    edit->setMinValue(4);
    edit->setMaxValue(50);
    edit->setValue(10);
    caption = new TkavoLabel(form.get());
    caption->setCaption(QStringLiteral("Размер поля"));
    caption->setAlive(true);
    caption->setFocusControl(edit);
    link = new TkavoLabel(form.get());
    link->setCaption(QStringLiteral("https://korvessa.example/numbrax/"));
    link->setAlive(true);
    link->setCursorSlot(toolkit::crHandPoint);
}

void tst_KvAccessible::spinEditIsANamedSpinBox()
{
    QAccessibleInterface *iface = accessible(edit);
    QCOMPARE(iface->role(), QAccessible::SpinBox);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Размер поля"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("10"));
    QAccessibleValueInterface *value = iface->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toDouble(), 10.0);
    QCOMPARE(value->minimumValue().toDouble(), 4.0);
    QCOMPARE(value->maximumValue().toDouble(), 50.0);

    // Set through assistive technology, the value is kept in range like any other.
    value->setCurrentValue(99);
    QCOMPARE(edit->text(), QStringLiteral("50"));
    QCOMPARE(value->currentValue().toDouble(), 50.0);

    // The label says whom it names.
    const auto labelled = iface->relations(QAccessible::Labelled);
    QCOMPARE(labelled.size(), 1);
    QCOMPARE(labelled.first().first->object(), caption);
    QCOMPARE(accessible(caption)->role(), QAccessible::StaticText);
    QCOMPARE(accessible(caption)->text(QAccessible::Name), QStringLiteral("Размер поля"));
}

void tst_KvAccessible::checkBoxTellsItsState_data()
{
    QTest::addColumn<bool>("radio");
    QTest::newRow("check box") << false;
    QTest::newRow("radio style") << true;
}

void tst_KvAccessible::checkBoxTellsItsState()
{
    QFETCH(bool, radio);
    TkavoCheckBox box(form.get());
    box.setCaption(QStringLiteral("&отрицательные числа"));
    if (radio)
        box.setStyle(btRadioButton);
    QAccessibleInterface *iface = accessible(&box);
    QCOMPARE(iface->role(), radio ? QAccessible::RadioButton : QAccessible::CheckBox);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("отрицательные числа"));
    QVERIFY(iface->state().checkable);
    QVERIFY(!iface->state().checked);
    box.setChecked(true);
    QVERIFY(iface->state().checked);

    // Its action toggles it, as Space does.
    QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(box.Checked(), false);
}

void tst_KvAccessible::linkLabelGivesItsAddress()
{
    int clicks = 0;
    link->OnClick = [&clicks](QObject *) { ++clicks; };
    QAccessibleInterface *iface = accessible(link);
    QCOMPARE(iface->role(), QAccessible::Link);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("https://korvessa.example/numbrax/"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("https://korvessa.example/numbrax/"));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 1);

    // A live label that leads to a control is that control's caption, not a link.
    QCOMPARE(accessible(caption)->role(), QAccessible::StaticText);
}

void tst_KvAccessible::bitmapButtonIsNamedByItsCaption()
{
    TkavoBitBtn ok(form.get());
    ok.setKind(bkOK);
    TkavoBitBtn help(form.get());
    help.setKind(bkHelp);
    help.setCaption(QStringLiteral("&Help"));
    QCOMPARE(accessible(&ok)->role(), QAccessible::Button);
    QCOMPARE(accessible(&ok)->text(QAccessible::Name), QStringLiteral("OK"));
    QCOMPARE(accessible(&help)->text(QAccessible::Name), QStringLiteral("Help"));
}

QTEST_MAIN(tst_KvAccessible)
#include "tst_KvAccessible.moc"
