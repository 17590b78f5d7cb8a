// SPDX-License-Identifier: MIT
// The same .ui form compiled into the program by uic, against the library's headers.
#include "EveryControlForm.h"
#include "ui_every-control.h"

#include <QTest>

class tst_KavoUic : public QObject
{
    Q_OBJECT

private slots:
    void buildsEveryControl_data();
    void buildsEveryControl();
};

void tst_KavoUic::buildsEveryControl_data()
{
    everyControlRows();
}

void tst_KavoUic::buildsEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    QFETCH(QString, value);
    QWidget form;
    Ui::EveryControl ui;
    ui.setupUi(&form);
    const QWidget *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(QLatin1String(control->metaObject()->className()), className);
    QCOMPARE(control->property(property.constData()).toString(), value);
}

QTEST_MAIN(tst_KavoUic)
#include "tst_KavoUic.moc"
