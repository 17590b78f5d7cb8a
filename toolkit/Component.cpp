// SPDX-License-Identifier: MIT
#include "Component.h"

#include <QByteArray>
#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>

namespace toolkit {

void TComponent::endLoading()
{
    if (!FLoading)
        return;
    FLoading = false;
    Loaded();
}

void TFormLoader::adopt(QObject *object)
{
    auto *component = dynamic_cast<TComponent *>(object);
    if (!component)
        return;
    component->beginLoading();
    FComponents.emplace_back(object);
}

void TFormLoader::finish()
{
    // Loaded may create or destroy components; work on what was added until now.
    std::vector<QPointer<QObject>> components;
    components.swap(FComponents);
    for (const QPointer<QObject> &object : components) {
        if (auto *component = dynamic_cast<TComponent *>(object.data()))
            component->endLoading();
    }
}

bool isPropertyStored(const QObject *object, const char *name)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name);
    if (index < 0)
        return false;
    QByteArray predicate = QByteArray(name);
    predicate = "is" + predicate.left(1).toUpper() + predicate.mid(1) + "Stored()";
    if (meta->indexOfMethod(predicate.constData()) >= 0) {
        bool stored = false;
        predicate.chop(2);
        QMetaObject::invokeMethod(const_cast<QObject *>(object), predicate.constData(), Qt::DirectConnection,
                                  Q_RETURN_ARG(bool, stored));
        return stored;
    }
    return meta->property(index).isStored();
}

} // namespace toolkit
