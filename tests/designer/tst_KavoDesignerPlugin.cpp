// SPDX-License-Identifier: MIT
// The Designer plugin as Designer loads it: from its file, into a program that has no control
// of the library compiled in.
#include "PluginFolder.h"

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QPluginLoader>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>

class tst_KavoDesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void offersTheControlsInOneGroup();
    void makesEachControl_data();
    void makesEachControl();
    void drawsIconsForTheScreen_data();
    void drawsIconsForTheScreen();

private:
    QDesignerCustomWidgetInterface *offered(const QString &className) const;

    QList<QDesignerCustomWidgetInterface *> FOffered;
};

void tst_KavoDesignerPlugin::initTestCase()
{
    QPluginLoader loader(designerPluginFolder() + QStringLiteral("/libkavocontrolswidgets.so"));
    QCOMPARE(loader.metaData().value(QLatin1String("IID")).toString(),
             QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
    QObject *plugin = loader.instance();
    QVERIFY2(plugin, qPrintable(loader.errorString()));
    auto *collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(plugin);
    QVERIFY(collection);
    FOffered = collection->customWidgets();
}

QDesignerCustomWidgetInterface *tst_KavoDesignerPlugin::offered(const QString &className) const
{
    for (QDesignerCustomWidgetInterface *widget : FOffered)
        if (widget->name() == className)
            return widget;
    return nullptr;
}

void tst_KavoDesignerPlugin::offersTheControlsInOneGroup()
{
    QStringList names;
    for (QDesignerCustomWidgetInterface *widget : FOffered) {
        names << widget->name();
        QCOMPARE(widget->group(), QStringLiteral("Kavo Controls"));
    }
    QCOMPARE(names, QStringList({"TkavoLabel", "TkavoSpinEdit", "TkavoCheckBox", "TkavoBitBtn", "TkavoCalcEdit",
                                 "TkavoDateEdit", "TkavoPeriodEdit", "TkavoBitmapView"}));
}

void tst_KavoDesignerPlugin::makesEachControl_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("extends");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QSize>("size");
    QTest::newRow("label") << "TkavoLabel" << "QWidget" << "KavoControls/KvCtrls.h" << QSize(65, 21);
    QTest::newRow("spin edit") << "TkavoSpinEdit" << "QLineEdit" << "KavoControls/KavoSpin.h" << QSize(121, 25);
    QTest::newRow("check box") << "TkavoCheckBox" << "QWidget" << "KavoControls/KvChkBox.h" << QSize(75, 14);
    QTest::newRow("bitmap button") << "TkavoBitBtn" << "QPushButton" << "KavoControls/KavoBtns.h" << QSize(75, 24);
    QTest::newRow("calculator edit") << "TkavoCalcEdit" << "QLineEdit" << "KavoControls/KavoDrop.h" << QSize(121, 21);
    QTest::newRow("date edit") << "TkavoDateEdit" << "QLineEdit" << "KavoControls/KavoDrop.h" << QSize(121, 21);
    QTest::newRow("period edit") << "TkavoPeriodEdit" << "QLineEdit" << "KavoControls/KavoDrop.h" << QSize(201, 21);
    QTest::newRow("bitmap view") << "TkavoBitmapView" << "QWidget" << "KavoControls/KavoBitmap.h" << QSize(105, 105);
}

void tst_KavoDesignerPlugin::makesEachControl()
{
    QFETCH(QString, className);
    QFETCH(QString, extends);
    QFETCH(QString, header);
    QFETCH(QSize, size);
    QDesignerCustomWidgetInterface *widget = offered(className);
    QVERIFY(widget);
    QCOMPARE(widget->includeFile(), header);
    QVERIFY(!widget->toolTip().isEmpty());
    QVERIFY(!widget->whatsThis().isEmpty());
    QVERIFY(!widget->isContainer());

    // The new control on a form: its class, a name Designer can number on, and its size.
    QXmlStreamReader dom(widget->domXml());
    QVERIFY(dom.readNextStartElement() && dom.readNextStartElement());
    QCOMPARE(dom.name(), QLatin1String("widget"));
    QCOMPARE(dom.attributes().value(QLatin1String("class")).toString(), className);
    const QString objectName = dom.attributes().value(QLatin1String("name")).toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^[a-z][A-Za-z0-9]*$")).match(objectName).hasMatch(), qPrintable(objectName));
    QList<int> geometry;
    while (!dom.atEnd())
        if (dom.readNext() == QXmlStreamReader::Characters && !dom.isWhitespace())
            geometry << dom.text().toInt();
    QCOMPARE(geometry, QList<int>({0, 0, size.width(), size.height()}));

    QWidget form;
    QWidget *control = widget->createWidget(&form);
    QCOMPARE(control->parentWidget(), &form);
    QCOMPARE(QLatin1String(control->metaObject()->className()), className);
    QVERIFY(control->inherits(extends.toLatin1()));
    // Designer's size is the one the control's constructor gives a program.
    QCOMPARE(control->size(), size);
}

void tst_KavoDesignerPlugin::drawsIconsForTheScreen_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<qreal>("ratio");
    for (QDesignerCustomWidgetInterface *widget : FOffered) {
        QTest::addRow("%s at 1", qPrintable(widget->name())) << widget->name() << 1.0;
        QTest::addRow("%s at 2", qPrintable(widget->name())) << widget->name() << 2.0;
    }
}

void tst_KavoDesignerPlugin::drawsIconsForTheScreen()
{
    QFETCH(QString, className);
    QFETCH(qreal, ratio);
    const QIcon icon = offered(className)->icon();
    QVERIFY(!icon.isNull());
    // Drawn at the screen's own pixels, not a smaller picture blown up.
    for (int size : {16, 22, 32}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size), ratio);
        QCOMPARE(pixmap.size(), QSize(size, size) * ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
    }
    // Something is drawn at the icon's middle.
    const QImage image = icon.pixmap(QSize(16, 16), ratio).toImage();
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

QTEST_MAIN(tst_KavoDesignerPlugin)
#include "tst_KavoDesignerPlugin.moc"
