// SPDX-License-Identifier: MIT
#pragma once

#include "kavoforms_export.h"

#include <QByteArray>
#include <QFormBuilder>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

class QMetaProperty;

namespace toolkit {
class TFormLoader;
}

/// @file
/// The form writer TkavoFormBuilder of Kavo::Forms.

/// Saves forms that hold the library's controls as Qt .ui files and reads them back.
///
/// A control writes exactly the published properties its stream rules call for (a value equal
/// to its stream default is left out) in their published order, and of the toolkit's properties
/// only its place and what a user gave it: an explicit font, disabling, tool tip, status tip,
/// What's This, accessible name and description, read-only. Another widget writes its place and
/// what differs from a new widget of its class. A form read back is built as a form description
/// loads: every control is loading while its properties arrive, references to other objects (a
/// label's focus control, say) are resolved once the whole form stands, in the form or else in
/// the parent it is loaded into, and then each control's Loaded runs.
///
/// Values that .ui has no element for are written as text: a colour as its name ("clBtnFace")
/// or "#rrggbb", a picture as base64 PNG data, a reference as the object's name. Such
/// properties are not shown by Designer and are read back by this builder only.
///
/// @code
/// QFile file("window.ui"); file.open(QIODevice::WriteOnly); TkavoFormBuilder().save(&file, window);
/// QFile in("window.ui"); in.open(QIODevice::ReadOnly); QWidget *copy = TkavoFormBuilder().load(&in, parent);
/// @endcode
///
/// @qtdiff
/// QFormBuilder writes every writable property, a locale and an invisible state included, and
/// reads back only what .ui has elements for; this builder writes what the stream rules call
/// for and reads colours, pictures and references to other controls too.
class KAVOFORMS_EXPORT TkavoFormBuilder : public QFormBuilder
{
public:
    TkavoFormBuilder() = default;

    void save(QIODevice *device, QWidget *widget) override;
    QWidget *load(QIODevice *device, QWidget *parentWidget = nullptr) override;

    /// Whether the form is written with this property of object.
    bool isWritten(const QObject *object, const QMetaProperty &property) const;

protected:
    using QFormBuilder::createDom;

    QWidget *createWidget(const QString &className, QWidget *parentWidget, const QString &name) override;
    void applyProperties(QObject *object, const QList<DomProperty *> &properties) override;
    DomWidget *createDom(QWidget *widget, DomWidget *ui_parentWidget, bool recursive = true) override;
    QList<DomProperty *> computeProperties(QObject *object) override;
    DomProperty *createProperty(QObject *object, const QString &name, const QVariant &value) override;
    bool checkProperty(QObject *object, const QString &name) const override;

private:
    struct Reference
    {
        QPointer<QObject> Object;
        QByteArray Property;
        QString Target;
    };

    void applyPublished(QObject *object, const QMetaProperty &property, const QVariant &value);
    void resolveReferences(QWidget *form, QWidget *host);
    QByteArray addCustomWidgets(const QByteArray &ui) const;

    // A new widget of each Qt class saved, to tell what a widget of the form has set.
    std::map<QByteArray, std::unique_ptr<QWidget>> FPrototypes;
    toolkit::TFormLoader *FLoader = nullptr;
    std::vector<Reference> FReferences;
    // The library's classes in the form being saved, with the Qt class each extends.
    QStringList FCustomClasses;
    QStringList FCustomBases;
};
