// SPDX-License-Identifier: MIT
#include "KavoForms.h"

#include "KavoFormControls.h"
#include "KvPopup.h"
#include "UiForms.h"

#include <QBuffer>
#include <QMetaProperty>
#include <QTest>

#include <memory>

namespace {

QWidget *addControl(QWidget *form, const QString &className, const QString &name)
{
    for (const TkavoFormControl &control : KavoFormControls) {
        if (className == QLatin1String(control.ClassName)) {
            QWidget *widget = control.Create(form);
            widget->setObjectName(name);
            return widget;
        }
    }
    return nullptr;
}

QByteArray save(QWidget *form)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TkavoFormBuilder().save(&buffer, form);
    return buffer.data();
}

std::unique_ptr<QWidget> load(const QByteArray &ui)
{
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    return std::unique_ptr<QWidget>(TkavoFormBuilder().load(&buffer));
}

// The properties with no stream default, which every form keeps, and the place on the form.
QStringList alwaysWritten(const QString &className)
{
    if (className == QLatin1String("TkavoLabel"))
        return {QStringLiteral("geometry"), QStringLiteral("ColorActive"), QStringLiteral("FontActive"),
                QStringLiteral("FontActiveColor"), QStringLiteral("Caption")};
    if (className == QLatin1String("TkavoCheckBox"))
        return {QStringLiteral("geometry"), QStringLiteral("Caption"), QStringLiteral("Checked")};
    return {QStringLiteral("geometry")};
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QImage strip(int images)
{
    QImage image(16 * images, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.setPixel(3, 4, qRgb(200, 10, 10));
    return image;
}

} // namespace

class tst_KavoForms : public QObject
{
    Q_OBJECT

private slots:
    void keepsOnlyWhatHasNoDefault_data();
    void keepsOnlyWhatHasNoDefault();
    void keepsEachChangedProperty_data();
    void keepsEachChangedProperty();
    void keepsReferencesByName_data();
    void keepsReferencesByName();
    void namesColours_data();
    void namesColours();
    void declaresTheControlsForUic();
    void readsBackEveryControl_data();
    void readsBackEveryControl();
};

void tst_KavoForms::keepsOnlyWhatHasNoDefault_data()
{
    QTest::addColumn<QString>("className");
    for (const TkavoFormControl &control : KavoFormControls)
        QTest::newRow(control.ClassName) << QString::fromLatin1(control.ClassName);
}

void tst_KavoForms::keepsOnlyWhatHasNoDefault()
{
    QFETCH(QString, className);
    QWidget form;
    addControl(&form, className, QStringLiteral("control"));
    QCOMPARE(sorted(uiPropertyNames(save(&form), QStringLiteral("control"))), sorted(alwaysWritten(className)));
}

void tst_KavoForms::keepsEachChangedProperty_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    // What the form keeps beyond what it always keeps.
    QTest::addColumn<QStringList>("written");
    const auto red = QVariant::fromValue(toolkit::clRed);
    auto row = [](const char *className, const char *property, const QVariant &value, const QStringList &written) {
        QTest::addRow("%s.%s", className, property) << className << QByteArray(property) << value << written;
    };
    row("TkavoLabel", "Alive", true, {"Alive"});
    row("TkavoLabel", "FocusOffset", 5, {"FocusOffset"});
    row("TkavoLabel", "Position", int(wlpTop), {"Position"});
    row("TkavoLabel", "AutoSize", true, {"AutoSize"});
    row("TkavoLabel", "Alignment", int(toolkit::taCenter), {"Alignment"});
    row("TkavoLabel", "WordWrap", false, {"WordWrap"});
    row("TkavoLabel", "Bevel", false, {"Bevel"});
    row("TkavoLabel", "BevelInner", int(toolkit::bvNone), {"BevelInner"});
    row("TkavoLabel", "BevelOuter", int(toolkit::bvRaised), {"BevelOuter"});
    row("TkavoLabel", "BorderWidth", 2, {"BorderWidth"});
    row("TkavoLabel", "BevelWidth", 2, {"BevelWidth"});
    row("TkavoLabel", "LightColor", red, {"LightColor"});
    row("TkavoLabel", "ShadowColor", red, {"ShadowColor"});
    row("TkavoLabel", "Light", int(lpRight), {"Light"});
    row("TkavoLabel", "Height3D", 0, {"Height3D"});
    row("TkavoLabel", "Color", red, {"Color", "ParentColor"});
    // The caption's colour is the font's: the label keeps a font of its own.
    row("TkavoLabel", "FontColor", red, {"FontColor", "ParentFont", "font"});
    row("TkavoLabel", "Enabled", false, {"Enabled"});
    row("TkavoLabel", "ParentColor", false, {"ParentColor", "Color"});
    row("TkavoLabel", "ParentFont", false, {"ParentFont", "FontColor", "font"});
    row("TkavoLabel", "Transparent", false, {"Transparent"});
    row("TkavoLabel", "Cursor", int(toolkit::crHandPoint), {"Cursor"});
    row("TkavoLabel", "toolTip", QStringLiteral("Tip"), {"toolTip"});
    row("TkavoSpinEdit", "Alignment", int(toolkit::taRightJustify), {"Alignment"});
    row("TkavoSpinEdit", "ArrowKeys", false, {"ArrowKeys"});
    row("TkavoSpinEdit", "Decimal", 3, {"Decimal"});
    row("TkavoSpinEdit", "EditorEnabled", false, {"EditorEnabled"});
    row("TkavoSpinEdit", "Increment", 2.5, {"Increment"});
    row("TkavoSpinEdit", "MaxValue", 50.0, {"MaxValue"});
    row("TkavoSpinEdit", "MinValue", 4.0, {"MinValue"});
    row("TkavoSpinEdit", "ValueType", int(vtFloat), {"ValueType"});
    row("TkavoSpinEdit", "Value", 7.0, {"Value"});
    row("TkavoSpinEdit", "AutoSelect", false, {"AutoSelect"});
    row("TkavoSpinEdit", "MaxLength", 6, {"MaxLength"});
    row("TkavoSpinEdit", "enabled", false, {"enabled"});
    row("TkavoSpinEdit", "readOnly", true, {"readOnly"});
    row("TkavoSpinEdit", "accessibleName", QStringLiteral("Size"), {"accessibleName"});
    row("TkavoCheckBox", "WordWrap", true, {"WordWrap"});
    row("TkavoCheckBox", "VertAlign", int(baTop), {"VertAlign"});
    row("TkavoCheckBox", "Alignment", int(toolkit::taCenter), {"Alignment"});
    row("TkavoCheckBox", "Color", red, {"Color", "ParentColor"});
    row("TkavoCheckBox", "ParentColor", false, {"ParentColor", "Color"});
    row("TkavoCheckBox", "FontColor", red, {"FontColor"});
    row("TkavoCheckBox", "Enabled", false, {"Enabled"});
    row("TkavoCheckBox", "State", int(cbChecked), {"State"});
    row("TkavoCheckBox", "State grayed", int(cbGrayed), {"State", "Enabled"});
    row("TkavoCheckBox", "Style", int(btRadioButton), {"Style"});
    row("TkavoCheckBox", "TabStop", false, {"TabStop"});
    row("TkavoBitBtn", "DrawFocus", false, {"DrawFocus"});
    row("TkavoBitBtn", "Down", true, {"Down"});
    row("TkavoBitBtn", "MenuPosition", int(dmpRight), {"MenuPosition"});
    row("TkavoBitBtn", "MarkDropDown", false, {"MarkDropDown"});
    row("TkavoBitBtn", "ImageIndex", 3, {"ImageIndex"});
    row("TkavoBitBtn", "Flat", true, {"Flat"});
    // The face colour leaves ParentColor on, and a button following its parent keeps no colour.
    row("TkavoBitBtn", "Color", red, {});
    row("TkavoBitBtn", "ParentColor", false, {"ParentColor"});
    row("TkavoBitBtn", "Cancel", true, {"Cancel"});
    row("TkavoBitBtn", "Caption", QStringLiteral("Go"), {"Caption"});
    row("TkavoBitBtn", "Default", true, {"Default"});
    row("TkavoBitBtn", "Glyph", strip(1), {"Glyph"});
    // A kind's caption, glyph and roles are its own.
    row("TkavoBitBtn", "Kind", int(bkOK), {"Kind"});
    row("TkavoBitBtn", "Layout", int(blGlyphTop), {"Layout"});
    row("TkavoBitBtn", "Margin", 2, {"Margin"});
    row("TkavoBitBtn", "ModalResult", 1, {"ModalResult"});
    row("TkavoBitBtn", "NumGlyphs", 2, {"NumGlyphs"});
    row("TkavoBitBtn", "Style", int(bsNew), {"Style"});
    row("TkavoBitBtn", "Spacing", -1, {"Spacing"});
    row("TkavoBitBtn", "BtnType", int(btEllipse), {"BtnType"});
    row("TkavoBitBtn", "BackColor", red, {"BackColor", "ParentColor"});
    row("TkavoBitBtn", "Cursor", int(toolkit::crDefault), {"Cursor"});
    row("TkavoBitBtn", "ClickSound", QStringLiteral("click"), {"ClickSound"});
    row("TkavoBitBtn", "HelpContext", 5, {"HelpContext"});
    row("TkavoCalcEdit", "Value", 12.5, {"Value"});
    row("TkavoCalcEdit", "ButtonVisible", false, {"ButtonVisible"});
    row("TkavoCalcEdit", "ButtonWidth", 30, {"ButtonWidth"});
    row("TkavoDateEdit", "Date", QDate(2020, 2, 29), {"Date"});
    row("TkavoPeriodEdit", "ButtonVisible", false, {"ButtonVisible"});
    row("TkavoBitmapView", "Picture", QPixmap::fromImage(strip(2)), {"Picture"});
    row("TkavoBitmapView", "Center", true, {"Center"});
    row("TkavoBitmapView", "Stretch", true, {"Stretch"});
    row("TkavoBitmapView", "Transparent", false, {"Transparent"});
}

void tst_KavoForms::keepsEachChangedProperty()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QStringList, written);
    const QByteArray name = property.split(' ').first();
    QWidget form;
    QWidget *control = addControl(&form, className, QStringLiteral("control"));
    QVERIFY(control->setProperty(name.constData(), value));
    QCOMPARE(sorted(uiPropertyNames(save(&form), QStringLiteral("control"))), sorted(alwaysWritten(className) + written));

    // Reset brings it back to its stream default, which the form does not keep.
    const QMetaProperty meta = control->metaObject()->property(control->metaObject()->indexOfProperty(name));
    if (!meta.isResettable())
        return;
    QVERIFY(meta.reset(control));
    QVERIFY(!uiPropertyNames(save(&form), QStringLiteral("control")).contains(QLatin1String(name)));
}

void tst_KavoForms::keepsReferencesByName_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("targetClass");
    QTest::newRow("focus control") << "TkavoLabel" << QByteArray("FocusControl") << "TkavoSpinEdit";
    // A .ui form keeps no popup menu: the window the form is loaded into has it.
    QTest::newRow("drop-down menu") << "TkavoBitBtn" << QByteArray("DropDownMenu") << "TPopupMenu";
}

void tst_KavoForms::keepsReferencesByName()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    QFETCH(QString, targetClass);
    auto addTarget = [&](QWidget *owner) {
        QWidget *target = targetClass == QLatin1String("TPopupMenu") ? new TPopupMenu(owner)
                                                                      : addControl(owner, targetClass, QString());
        target->setObjectName(QStringLiteral("target"));
        return target;
    };
    QWidget form;
    QWidget *control = addControl(&form, className, QStringLiteral("control"));
    QVERIFY(control->setProperty(property.constData(), QVariant::fromValue(addTarget(&form))));
    const QByteArray ui = save(&form);
    QCOMPARE(uiPropertyText(ui, QStringLiteral("control"), QString::fromLatin1(property)), QStringLiteral("target"));

    QWidget window;
    addTarget(&window);
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    QWidget *loaded = TkavoFormBuilder().load(&buffer, &window);
    QVERIFY(loaded);
    const QObject *read = loaded->findChild<QObject *>(QStringLiteral("control"))->property(property.constData()).value<QObject *>();
    QVERIFY(read);
    QCOMPARE(read->objectName(), QStringLiteral("target"));
    QCOMPARE(read->metaObject()->className(), targetClass.toLatin1());
    // Within the form where the form has it.
    QCOMPARE(read->parent() == loaded, targetClass != QLatin1String("TPopupMenu"));
}

void tst_KavoForms::namesColours_data()
{
    QTest::addColumn<QVariant>("colour");
    QTest::addColumn<QString>("text");
    QTest::newRow("system colour") << QVariant::fromValue(toolkit::clBtnShadow) << "clBtnShadow";
    QTest::newRow("named colour") << QVariant::fromValue(toolkit::clNavy) << "clNavy";
    QTest::newRow("any colour") << QVariant::fromValue(toolkit::TColor::fromRgb(0x12AB34)) << "#12ab34";
}

void tst_KavoForms::namesColours()
{
    QFETCH(QVariant, colour);
    QFETCH(QString, text);
    QWidget form;
    QWidget *label = addControl(&form, QStringLiteral("TkavoLabel"), QStringLiteral("label"));
    label->setProperty("LightColor", colour);
    const QByteArray ui = save(&form);
    QCOMPARE(uiPropertyText(ui, QStringLiteral("label"), QStringLiteral("LightColor")), text);
    const auto loaded = load(ui);
    QCOMPARE(loaded->findChild<QWidget *>(QStringLiteral("label"))->property("LightColor"), colour);
}

void tst_KavoForms::declaresTheControlsForUic()
{
    QWidget form;
    for (const TkavoFormControl &control : KavoFormControls)
        addControl(&form, QLatin1String(control.ClassName), QLatin1String(control.ObjectName));
    const QByteArray ui = save(&form);
    const QStringList extends{"QWidget", "QLineEdit", "QWidget", "QPushButton", "QLineEdit", "QLineEdit", "QLineEdit", "QWidget"};
    for (qsizetype i = 0; i < qsizetype(KavoFormControls.size()); ++i)
        QCOMPARE(uiCustomWidget(ui, QLatin1String(KavoFormControls[i].ClassName)),
                 QStringList({extends.at(i), QLatin1String(KavoFormControls[i].Header)}));
    // A spin edit's arrows and a drop-down edit's side button are parts of their controls.
    QVERIFY(!ui.contains("TkavoDropButton"));
    QVERIFY(!ui.contains("TkavoUpDown"));
}

void tst_KavoForms::readsBackEveryControl_data()
{
    QTest::addColumn<QString>("name");
    for (const TkavoFormControl &control : KavoFormControls)
        QTest::newRow(control.ClassName) << QString::fromLatin1(control.ObjectName);
}

// A form of every control, each set apart from its defaults where the order in which a form
// restores properties, or the loading state, decides the outcome.
void tst_KavoForms::readsBackEveryControl()
{
    QFETCH(QString, name);
    QWidget form;
    form.setObjectName(QStringLiteral("form"));
    form.resize(400, 300);
    auto *label = static_cast<TkavoLabel *>(addControl(&form, QStringLiteral("TkavoLabel"), QStringLiteral("kavoLabel")));
    auto *spin = static_cast<TkavoSpinEdit *>(addControl(&form, QStringLiteral("TkavoSpinEdit"), QStringLiteral("kavoSpinEdit")));
    label->setCaption(QStringLiteral("&Size"));
    label->setLight(lpRightBottom);
    label->setColorActive(toolkit::clInfoBk);
    label->SetBounds(10, 10, 105, 21);
    label->setFocusControl(spin);
    // Read as whole numbers before the type arrives, 3.25 would become 3.
    spin->setValueType(vtFloat);
    spin->setMinValue(1.5);
    spin->setMaxValue(9.75);
    spin->setValue(3.25);
    spin->setToolTip(QStringLiteral("Size of the board"));
    auto *box = static_cast<TkavoCheckBox *>(addControl(&form, QStringLiteral("TkavoCheckBox"), QStringLiteral("kavoCheckBox")));
    box->setCaption(QStringLiteral("&Negative"));
    box->setState(cbGrayed);
    box->setGeometry(10, 40, 139, 14);
    auto *button = static_cast<TkavoBitBtn *>(addControl(&form, QStringLiteral("TkavoBitBtn"), QStringLiteral("kavoBitBtn")));
    // Kind arrives after Caption, and while loading a kind keeps a caption of the form's own.
    button->setKind(bkHelp);
    button->setCaption(QStringLiteral("&Help"));
    button->setGeometry(10, 60, 89, 24);
    auto *glyphs = static_cast<TkavoBitBtn *>(addControl(&form, QStringLiteral("TkavoBitBtn"), QStringLiteral("glyphs")));
    // A glyph strip sets its own count of images, which the count stored after it overrides.
    glyphs->setGlyph(strip(2));
    glyphs->setNumGlyphs(1);
    static_cast<TkavoCalcEdit *>(addControl(&form, QStringLiteral("TkavoCalcEdit"), QStringLiteral("kavoCalcEdit")))->setValue(-12.5);
    static_cast<TkavoDateEdit *>(addControl(&form, QStringLiteral("TkavoDateEdit"), QStringLiteral("kavoDateEdit")))
        ->setDate(QDate(1999, 12, 31));
    addControl(&form, QStringLiteral("TkavoPeriodEdit"), QStringLiteral("kavoPeriodEdit"))->setEnabled(false);
    auto *view = static_cast<TkavoBitmapView *>(addControl(&form, QStringLiteral("TkavoBitmapView"), QStringLiteral("kavoBitmapView")));
    view->setPicture(QPixmap::fromImage(strip(1)));
    view->setStretch(true);

    const auto loaded = load(save(&form));
    QVERIFY(loaded);
    const QWidget *original = form.findChild<QWidget *>(name);
    const QWidget *read = loaded->findChild<QWidget *>(name);
    QVERIFY(read);
    QCOMPARE(read->metaObject(), original->metaObject());
    QCOMPARE(read->geometry(), original->geometry());
    QCOMPARE(read->isEnabled(), original->isEnabled());
    QCOMPARE(read->toolTip(), original->toolTip());
    if (const auto *edit = qobject_cast<const QLineEdit *>(original))
        QCOMPARE(static_cast<const QLineEdit *>(read)->text(), edit->text());
    // Every property the library's classes publish, past those of the Qt class they extend.
    const QMetaObject *meta = original->metaObject();
    const QMetaObject *qtBase = meta;
    while (!QByteArray(qtBase->className()).startsWith('Q'))
        qtBase = qtBase->superClass();
    for (int i = qtBase->propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QVariant expected = property.read(original), actual = property.read(read);
        if (property.metaType().flags() & QMetaType::PointerToQObject) {
            const QObject *target = expected.value<QObject *>(), *found = actual.value<QObject *>();
            QCOMPARE(found ? found->objectName() : QString(), target ? target->objectName() : QString());
        } else if (property.metaType() == QMetaType::fromType<QPixmap>()) {
            QCOMPARE(actual.value<QPixmap>().toImage(), expected.value<QPixmap>().toImage());
        } else {
            QVERIFY2(actual == expected, property.name());
        }
    }
    if (name == QLatin1String("kavoBitBtn")) {
        const auto *other = loaded->findChild<TkavoBitBtn *>(QStringLiteral("glyphs"));
        QCOMPARE(other->NumGlyphs(), 1);
        QCOMPARE(other->Glyph(), glyphs->Glyph());
    }
}

QTEST_MAIN(tst_KavoForms)
#include "tst_KavoForms.moc"
