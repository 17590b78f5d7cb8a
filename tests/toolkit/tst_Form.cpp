// SPDX-License-Identifier: MIT
#include "Form.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace toolkit;

class tst_Form : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogKeys_data();
    void dialogKeys();
    void modalResults();
    void closingCountsAsCancel();
};

void tst_Form::dialogKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusOther");
    QTest::addColumn<bool>("defaultUsable");
    QTest::addColumn<QString>("pressed");

    QTest::newRow("enter presses the default button") << int(Qt::Key_Return) << false << true << "ok";
    QTest::newRow("keypad enter too") << int(Qt::Key_Enter) << false << true << "ok";
    QTest::newRow("enter presses a focused button") << int(Qt::Key_Return) << true << true << "other";
    QTest::newRow("a disabled default button is left") << int(Qt::Key_Return) << false << false << "";
    QTest::newRow("escape presses the cancel button") << int(Qt::Key_Escape) << false << true << "cancel";
    QTest::newRow("other keys are no dialog keys") << int(Qt::Key_Space) << false << true << "";
}

void tst_Form::dialogKeys()
{
    QFETCH(int, key);
    QFETCH(bool, focusOther);
    QFETCH(bool, defaultUsable);
    QFETCH(QString, pressed);

    TForm form;
    QStringList presses;
    auto button = [&](const QString &name) {
        auto *b = new QPushButton(name, &form);
        connect(b, &QPushButton::clicked, &form, [&presses, name] { presses << name; });
        return b;
    };
    QPushButton *other = button(QStringLiteral("other"));
    QPushButton *ok = button(QStringLiteral("ok"));
    ok->setDefault(true);
    ok->setEnabled(defaultUsable);
    button(QStringLiteral("cancel"))->setProperty("Cancel", true);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    if (focusOther)
        other->setFocus();
    else
        form.setFocus();

    QCOMPARE(form.DialogKey(key), !pressed.isEmpty());
    QCOMPARE(presses, pressed.isEmpty() ? QStringList() : QStringList{pressed});
    QVERIFY(form.isVisible()); // pressing a button does not close the form by itself
}

void tst_Form::modalResults()
{
    TForm form;
    form.setModalResult(mrOk); // not shown: only stored
    QCOMPARE(form.ModalResult(), int(mrOk));
    QTimer::singleShot(0, &form, [&form] { form.setModalResult(mrYes); });
    QCOMPARE(form.ShowModal(), int(mrYes));
    QVERIFY(!form.isVisible());
}

void tst_Form::closingCountsAsCancel()
{
    TForm form;
    QTimer::singleShot(0, &form, [&form] { form.close(); });
    QCOMPARE(form.ShowModal(), int(mrCancel));
    // Escape without a cancel button leaves the form open.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
}

QTEST_MAIN(tst_Form)
#include "tst_Form.moc"
