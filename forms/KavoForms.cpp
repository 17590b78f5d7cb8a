// SPDX-License-Identifier: MIT
#include "KavoForms.h"

#include "Colors.h"
#include "Component.h"
#include "KavoFormControls.h"

#include <QBuffer>
#include <QImage>
#include <QMetaProperty>
#include <QPixmap>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

using toolkit::TColor;

namespace {

// The properties a control has from Qt that a form keeps, each only when a user set it.
enum class ToolkitProperty { Never, Always, WhenSet, WhenTrue, WhenDisabled, WhenOwnFont };

ToolkitProperty toolkitRule(const QByteArray &name)
{
    if (name == "geometry")
        return ToolkitProperty::Always;
    if (name == "toolTip" || name == "statusTip" || name == "whatsThis" || name == "accessibleName"
        || name == "accessibleDescription")
        return ToolkitProperty::WhenSet;
    if (name == "readOnly")
        return ToolkitProperty::WhenTrue;
    if (name == "enabled")
        return ToolkitProperty::WhenDisabled;
    if (name == "font")
        return ToolkitProperty::WhenOwnFont;
    return ToolkitProperty::Never;
}

// The Qt class a class of the library builds on: its nearest ancestor of Qt's.
const QMetaObject *qtBase(const QMetaObject *meta)
{
    while (meta && !QByteArrayView(meta->className()).startsWith('Q'))
        meta = meta->superClass();
    return meta;
}

// The published properties are the ones the library's classes declare, after Qt's.
int publishedOffset(const QMetaObject *meta)
{
    const QMetaObject *base = qtBase(meta);
    return base ? base->propertyCount() : 0;
}

bool isLibraryControl(const QObject *object)
{
    for (const TkavoFormControl &control : KavoFormControls)
        if (object->inherits(control.ClassName))
            return true;
    return false;
}

// A widget that a control of the library makes and keeps itself, such as a drop-down edit's
// side button, which stands beside the edit in the edit's parent.
bool isControlPart(const QWidget *widget)
{
    return QByteArrayView(widget->metaObject()->className()).startsWith("Tkavo") && !isLibraryControl(widget);
}

struct NamedColor
{
    TColor Color;
    const char *Name;
};

constexpr NamedColor kNamedColors[] = {
    {toolkit::clBlack, "clBlack"},
    {toolkit::clMaroon, "clMaroon"},
    {toolkit::clGreen, "clGreen"},
    {toolkit::clNavy, "clNavy"},
    {toolkit::clGray, "clGray"},
    {toolkit::clSilver, "clSilver"},
    {toolkit::clRed, "clRed"},
    {toolkit::clLime, "clLime"},
    {toolkit::clBlue, "clBlue"},
    {toolkit::clWhite, "clWhite"},
    {toolkit::clBtnFace, "clBtnFace"},
    {toolkit::clBtnShadow, "clBtnShadow"},
    {toolkit::clBtnHighlight, "clBtnHighlight"},
    {toolkit::clBtnText, "clBtnText"},
    {toolkit::clWindow, "clWindow"},
    {toolkit::clWindowText, "clWindowText"},
    {toolkit::clWindowFrame, "clWindowFrame"},
    {toolkit::cl3DLight, "cl3DLight"},
    {toolkit::cl3DDkShadow, "cl3DDkShadow"},
    {toolkit::clHighlight, "clHighlight"},
    {toolkit::clHighlightText, "clHighlightText"},
    {toolkit::clGrayText, "clGrayText"},
    {toolkit::clInfoBk, "clInfoBk"},
    {toolkit::clInfoText, "clInfoText"},
};

QString colorName(TColor color)
{
    for (const NamedColor &named : kNamedColors)
        if (named.Color == color)
            return QLatin1String(named.Name);
    return QColor::fromRgb(color.rgb()).name();
}

std::optional<TColor> colorFromName(const QString &name)
{
    for (const NamedColor &named : kNamedColors)
        if (name == QLatin1String(named.Name))
            return named.Color;
    const QColor rgb = QColor::fromString(name);
    if (!name.startsWith(u'#') || !rgb.isValid())
        return std::nullopt;
    return TColor::fromRgb(rgb.rgb());
}

QByteArray imageData(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data().toBase64();
}

QImage imageFromData(const QByteArray &data)
{
    return QImage::fromData(QByteArray::fromBase64(data), "PNG");
}

// A published value as one of the types Qt's form builder writes.
QVariant storedValue(const QObject *object, const QMetaProperty &property)
{
    const QVariant value = property.read(object);
    const QMetaType type = property.metaType();
    if (type.flags() & QMetaType::PointerToQObject) {
        const QObject *target = value.value<QObject *>();
        return target ? target->objectName().toUtf8() : QByteArray();
    }
    if (type == QMetaType::fromType<TColor>())
        return colorName(value.value<TColor>()).toUtf8();
    if (type == QMetaType::fromType<QImage>())
        return imageData(value.value<QImage>());
    if (type == QMetaType::fromType<QPixmap>())
        return imageData(value.value<QPixmap>().toImage());
    if (type.id() == QMetaType::UChar)
        return int(value.value<quint8>());
    return value;
}

} // namespace

bool TkavoFormBuilder::isWritten(const QObject *object, const QMetaProperty &property) const
{
    const QMetaObject *meta = object->metaObject();
    const QByteArray name(property.name());
    if (!isLibraryControl(object)) {
        const auto *widget = qobject_cast<const QWidget *>(object);
        if (!widget)
            return QFormBuilder::checkProperty(const_cast<QObject *>(object), QLatin1String(name));
        // The place is the geometry alone; the name is the widget's attribute; what a widget
        // takes from its parent is its own only when set on it.
        if (name == "geometry")
            return true;
        if (name == "objectName" || name == "pos" || name == "size" || name == "visible")
            return false;
        if (name == "enabled")
            return widget->testAttribute(Qt::WA_ForceDisabled);
        if (name == "font")
            return widget->testAttribute(Qt::WA_SetFont);
        if (name == "palette")
            return widget->testAttribute(Qt::WA_SetPalette);
        if (name == "locale")
            return widget->testAttribute(Qt::WA_SetLocale);
        const auto prototype = FPrototypes.find(meta->className());
        if (prototype == FPrototypes.end() || !prototype->second)
            return true;
        return property.read(prototype->second.get()) != property.read(object);
    }
    if (property.propertyIndex() >= publishedOffset(meta))
        return toolkit::isPropertyStored(object, property.name());
    // A control that publishes a property of its own under the same name keeps only that one.
    const QByteArray published = name.left(1).toUpper() + name.mid(1);
    if (meta->indexOfProperty(published.constData()) >= publishedOffset(meta))
        return false;
    const auto *widget = qobject_cast<const QWidget *>(object);
    switch (toolkitRule(name)) {
    case ToolkitProperty::Never:
        return false;
    case ToolkitProperty::Always:
        return true;
    case ToolkitProperty::WhenSet:
        return !property.read(object).toString().isEmpty();
    case ToolkitProperty::WhenTrue:
        return property.read(object).toBool();
    case ToolkitProperty::WhenDisabled:
        return widget && widget->testAttribute(Qt::WA_ForceDisabled);
    case ToolkitProperty::WhenOwnFont:
        return widget && widget->testAttribute(Qt::WA_SetFont);
    }
    return false;
}

bool TkavoFormBuilder::checkProperty(QObject *object, const QString &name) const
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    return index >= 0 && isWritten(object, meta->property(index));
}

QList<DomProperty *> TkavoFormBuilder::computeProperties(QObject *object)
{
    if (!isLibraryControl(object)) {
        const QByteArray className(object->metaObject()->className());
        if (object->isWidgetType() && !FPrototypes.count(className))
            FPrototypes[className].reset(QFormBuilder::createWidget(QLatin1String(className), nullptr, QString()));
        return QFormBuilder::computeProperties(object);
    }
    // In declaration order, which is the published order: a form restores them in it, so that
    // a spin edit has its type and limits before its value, say.
    QList<DomProperty *> properties;
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || !isWritten(object, property))
            continue;
        if (DomProperty *written = createProperty(object, QLatin1String(property.name()), storedValue(object, property)))
            properties.append(written);
    }
    return properties;
}

DomProperty *TkavoFormBuilder::createProperty(QObject *object, const QString &name, const QVariant &value)
{
    // Qt 6 reads an enumeration as a value of its own type, which Qt's form builder refuses to
    // write; as a number it writes the enumeration's key.
    if (value.metaType().flags() & QMetaType::IsEnumeration) {
        bool number = false;
        const int key = value.toInt(&number);
        if (number)
            return QFormBuilder::createProperty(object, name, key);
    }
    return QFormBuilder::createProperty(object, name, value);
}

DomWidget *TkavoFormBuilder::createDom(QWidget *widget, DomWidget *ui_parentWidget, bool recursive)
{
    if (isControlPart(widget))
        return nullptr;
    const bool control = isLibraryControl(widget);
    if (control) {
        const QString className = QLatin1String(widget->metaObject()->className());
        if (!FCustomClasses.contains(className)) {
            FCustomClasses.append(className);
            const QMetaObject *base = qtBase(widget->metaObject());
            FCustomBases.append(QLatin1String(base ? base->className() : "QWidget"));
        }
    }
    // A control's own child widgets are its parts, not the form's.
    return QFormBuilder::createDom(widget, ui_parentWidget, recursive && !control);
}

void TkavoFormBuilder::save(QIODevice *device, QWidget *widget)
{
    FCustomClasses.clear();
    FCustomBases.clear();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QFormBuilder::save(&buffer, widget);
    FPrototypes.clear();
    device->write(addCustomWidgets(buffer.data()));
}

// Qt's form builder writes no <customwidgets>; without it uic knows neither the headers nor
// the Qt classes the library's classes extend, and Designer without the plugin cannot open
// the form.
QByteArray TkavoFormBuilder::addCustomWidgets(const QByteArray &ui) const
{
    if (FCustomClasses.isEmpty())
        return ui;
    QByteArray result;
    QXmlStreamReader reader(ui);
    QXmlStreamWriter writer(&result);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isWhitespace())
            continue;
        if (reader.isStartElement())
            ++depth;
        writer.writeCurrentToken(reader);
        if (!reader.isEndElement())
            continue;
        --depth;
        // The form's own widget has just ended, inside <ui>.
        if (depth != 1 || reader.name() != QLatin1String("widget"))
            continue;
        writer.writeStartElement(QStringLiteral("customwidgets"));
        for (qsizetype i = 0; i < FCustomClasses.size(); ++i) {
            writer.writeStartElement(QStringLiteral("customwidget"));
            writer.writeTextElement(QStringLiteral("class"), FCustomClasses.at(i));
            writer.writeTextElement(QStringLiteral("extends"), FCustomBases.at(i));
            for (const TkavoFormControl &control : KavoFormControls)
                if (FCustomClasses.at(i) == QLatin1String(control.ClassName))
                    writer.writeTextElement(QStringLiteral("header"), QLatin1String(control.Header));
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    return reader.hasError() ? ui : result;
}

QWidget *TkavoFormBuilder::load(QIODevice *device, QWidget *parentWidget)
{
    toolkit::TFormLoader loader;
    FLoader = &loader;
    FReferences.clear();
    QWidget *form = QFormBuilder::load(device, parentWidget);
    FLoader = nullptr;
    if (form)
        resolveReferences(form, parentWidget);
    FReferences.clear();
    loader.finish();
    return form;
}

QWidget *TkavoFormBuilder::createWidget(const QString &className, QWidget *parentWidget, const QString &name)
{
    QWidget *widget = nullptr;
    for (const TkavoFormControl &control : KavoFormControls) {
        if (className == QLatin1String(control.ClassName)) {
            widget = control.Create(parentWidget);
            widget->setObjectName(name);
            break;
        }
    }
    if (!widget)
        widget = QFormBuilder::createWidget(className, parentWidget, name);
    if (widget && FLoader)
        FLoader->add(widget);
    return widget;
}

void TkavoFormBuilder::applyProperties(QObject *object, const QList<DomProperty *> &properties)
{
    if (!isLibraryControl(object)) {
        QFormBuilder::applyProperties(object, properties);
        return;
    }
    // Qt's properties go the form builder's way; the published ones are set here, in the
    // form's order, as the controls' stream rules expect.
    const DomPropertyHash byName = propertyMap(properties);
    QHash<const DomProperty *, QByteArray> names;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        names.insert(it.value(), it.key().toUtf8());
    const QMetaObject *meta = object->metaObject();
    const int offset = publishedOffset(meta);
    QList<DomProperty *> toolkitOwn;
    QList<std::pair<QMetaProperty, DomProperty *>> published;
    for (DomProperty *property : properties) {
        const int index = meta->indexOfProperty(names.value(property).constData());
        if (index >= offset)
            published.append({meta->property(index), property});
        else
            toolkitOwn.append(property);
    }
    QFormBuilder::applyProperties(object, toolkitOwn);
    for (const auto &[property, stored] : published)
        applyPublished(object, property, toVariant(meta, stored));
}

void TkavoFormBuilder::applyPublished(QObject *object, const QMetaProperty &property, const QVariant &value)
{
    if (!value.isValid())
        return;
    const QMetaType type = property.metaType();
    if (type.flags() & QMetaType::PointerToQObject) {
        // The object may stand further down the form: it is looked up once the form stands.
        FReferences.push_back({object, property.name(), value.toString()});
        return;
    }
    QVariant taken = value;
    if (type == QMetaType::fromType<TColor>()) {
        const std::optional<TColor> color = colorFromName(value.toString());
        taken = color ? QVariant::fromValue(*color) : QVariant();
    } else if (type == QMetaType::fromType<QImage>() && value.typeId() == QMetaType::QByteArray) {
        taken = imageFromData(value.toByteArray());
    } else if (type == QMetaType::fromType<QPixmap>() && value.typeId() == QMetaType::QByteArray) {
        taken = QPixmap::fromImage(imageFromData(value.toByteArray()));
    }
    if (!taken.isValid() || !property.write(object, taken))
        qWarning("TkavoFormBuilder: %s.%s cannot take the stored value %s", qPrintable(object->objectName()),
                 property.name(), qPrintable(value.toString()));
}

void TkavoFormBuilder::resolveReferences(QWidget *form, QWidget *host)
{
    // A .ui form holds widgets only: a popup menu or an image list may belong to the window
    // the form is loaded into.
    auto find = [](QObject *within, const QString &name) -> QObject * {
        if (!within)
            return nullptr;
        return within->objectName() == name ? within : within->findChild<QObject *>(name);
    };
    for (const Reference &reference : FReferences) {
        if (!reference.Object || reference.Target.isEmpty())
            continue;
        QObject *target = find(form, reference.Target);
        if (!target)
            target = find(host, reference.Target);
        if (!target || !reference.Object->setProperty(reference.Property.constData(), QVariant::fromValue(target)))
            qWarning("TkavoFormBuilder: %s.%s refers to %s, which the form has not got",
                     qPrintable(reference.Object->objectName()), reference.Property.constData(),
                     qPrintable(reference.Target));
    }
}
