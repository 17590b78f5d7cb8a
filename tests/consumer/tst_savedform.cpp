// SPDX-License-Identifier: MIT
// The window of every control, saved with the installed form writer and read back, as a program
// outside this project keeps its forms.
#include "ui_window.h"

#include <KavoControls/KavoForms.h>

#include <QBuffer>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>

namespace {

// The names of the properties the saved form keeps of the widget called widget.
QStringList writtenProperties(const QByteArray &ui, const QString &widget)
{
    QStringList names;
    QXmlStreamReader reader(ui);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name() != u"widget" || reader.attributes().value(QLatin1String("name")) != widget)
            continue;
        while (reader.readNextStartElement()) {
            if (reader.name() == u"property")
                names << reader.attributes().value(QLatin1String("name")).toString();
            reader.skipCurrentElement();
        }
        break;
    }
    return names;
}

} // namespace

class tst_SavedForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void keepsWhatTheFormSet_data();
    void keepsWhatTheFormSet();

private:
    QWidget FWindow;
    Ui::Window FUi;
    QByteArray FSaved;
    std::unique_ptr<QWidget> FRead;
};

void tst_SavedForm::initTestCase()
{
    FUi.setupUi(&FWindow);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TkavoFormBuilder().save(&buffer, &FWindow);
    FSaved = buffer.data();
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    FRead.reset(TkavoFormBuilder().load(&buffer));
    QVERIFY(FRead);
}

void tst_SavedForm::keepsWhatTheFormSet_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<bool>("written");
    QTest::newRow("label's caption") << "lblNumber" << QByteArray("Caption") << true;
    QTest::newRow("spin edit's limit") << "edNumber" << QByteArray("MaxValue") << true;
    QTest::newRow("spin edit's value") << "edNumber" << QByteArray("Value") << true;
    QTest::newRow("spin edit's default limit") << "edNumber" << QByteArray("MinValue") << false;
    QTest::newRow("check box's state") << "cbNegative" << QByteArray("Checked") << true;
    QTest::newRow("button's default caption") << "btnOk" << QByteArray("Caption") << false;
    QTest::newRow("calculator edit's value") << "edAmount" << QByteArray("Value") << true;
    QTest::newRow("date edit's date") << "edDate" << QByteArray("Date") << true;
    QTest::newRow("period edit's place") << "edPeriod" << QByteArray("geometry") << true;
    QTest::newRow("bitmap view's tool tip") << "imgLogo" << QByteArray("toolTip") << true;
}

// Saved, the form keeps a property only where the window set it; read back, every control is
// of its class again with the window's value.
void tst_SavedForm::keepsWhatTheFormSet()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, property);
    QFETCH(bool, written);
    QCOMPARE(writtenProperties(FSaved, widget).contains(QString::fromLatin1(property)), written);
    const QWidget *original = FWindow.findChild<QWidget *>(widget);
    const QWidget *read = FRead->findChild<QWidget *>(widget);
    QVERIFY(original);
    QVERIFY(read);
    QCOMPARE(read->metaObject()->className(), original->metaObject()->className());
    QCOMPARE(read->property(property.constData()), original->property(property.constData()));
}

QTEST_MAIN(tst_SavedForm)
#include "tst_savedform.moc"
