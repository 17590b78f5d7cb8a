// SPDX-License-Identifier: MIT
// A .ui form of every control, loaded at run time by QUiLoader through the Designer plugin
// alone: the program has no control of the library compiled in.
#include "EveryControlForm.h"
#include "PluginFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QUiLoader>

#include <memory>

class tst_KavoUiLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void makesEveryControl_data();
    void makesEveryControl();
};

void tst_KavoUiLoader::init()
{
    // A class the loader cannot make falls back to its Qt base with only this warning.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("unable to create"), QRegularExpression::CaseInsensitiveOption));
}

void tst_KavoUiLoader::makesEveryControl_data()
{
    everyControlRows();
}

void tst_KavoUiLoader::makesEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    QFETCH(QString, value);
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(designerPluginFolder());
    QFile file(QStringLiteral(KAVO_EVERY_CONTROL_FORM));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::unique_ptr<QWidget> form(loader.load(&file));
    QVERIFY2(form, qPrintable(loader.errorString()));
    const QWidget *control = form->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(QLatin1String(control->metaObject()->className()), className);
    QCOMPARE(control->property(property.constData()).toString(), value);
}

QTEST_MAIN(tst_KavoUiLoader)
#include "tst_KavoUiLoader.moc"
