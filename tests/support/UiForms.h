// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Reading what a .ui form holds, as uic and Designer read it.

// The <property> elements directly inside the <widget> called widget, in the form's order:
// each one's name and the text of its value (a compound value's text run together).
inline QList<QPair<QString, QString>> uiProperties(const QByteArray &ui, const QString &widget)
{
    QList<QPair<QString, QString>> properties;
    QXmlStreamReader reader(ui);
    int depth = 0;
    int widgetDepth = -1;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            if (depth-- == widgetDepth)
                break;
            continue;
        }
        if (!reader.isStartElement())
            continue;
        ++depth;
        if (widgetDepth < 0) {
            if (reader.name() == u"widget" && reader.attributes().value(QLatin1String("name")) == widget)
                widgetDepth = depth;
        } else if (depth == widgetDepth + 1 && reader.name() == u"property") {
            const QString name = reader.attributes().value(QLatin1String("name")).toString();
            QString text;
            if (reader.readNextStartElement()) {
                text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                reader.skipCurrentElement();
            }
            properties.append({name, text});
            --depth;
        }
    }
    return properties;
}

inline QStringList uiPropertyNames(const QByteArray &ui, const QString &widget)
{
    QStringList names;
    for (const auto &property : uiProperties(ui, widget))
        names.append(property.first);
    return names;
}

inline QString uiPropertyText(const QByteArray &ui, const QString &widget, const QString &property)
{
    for (const auto &written : uiProperties(ui, widget))
        if (written.first == property)
            return written.second;
    return QString();
}

// What the form's <customwidgets> says of a class: the Qt class it extends and its header.
inline QStringList uiCustomWidget(const QByteArray &ui, const QString &className)
{
    QXmlStreamReader reader(ui);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name() != u"customwidget")
            continue;
        QString name, extends, header;
        while (reader.readNextStartElement()) {
            const QString element = reader.name().toString();
            const QString text = reader.readElementText();
            if (element == u"class")
                name = text;
            else if (element == u"extends")
                extends = text;
            else if (element == u"header")
                header = text;
        }
        if (name == className)
            return {extends, header};
    }
    return {};
}
