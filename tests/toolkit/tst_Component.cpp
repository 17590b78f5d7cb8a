// SPDX-License-Identifier: MIT
#include "Component.h"

#include <QTest>
#include <QWidget>

using namespace toolkit;

namespace {

QStringList journal;

class Loadable : public QWidget, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(int Size READ size WRITE setSize)
    Q_PROPERTY(int Plain READ size WRITE setSize STORED false)
    Q_PROPERTY(int Flagged READ size WRITE setSize)

public:
    explicit Loadable(const QString &name, QWidget *parent = nullptr)
        : QWidget(parent)
    {
        setObjectName(name);
    }
    int size() const { return FSize; }
    void setSize(int size) { FSize = size; }
    Q_INVOKABLE bool isSizeStored() const { return FSize != 3; }

protected:
    void Loaded() override
    {
        TComponent::Loaded();
        journal << objectName() + (isLoading() ? QStringLiteral(" still loading") : QStringLiteral(" loaded"));
    }

private:
    int FSize = 3;
};

} // namespace

class tst_Component : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loaderRunsLoadedInOrder();
    void destroyedComponentsAreSkipped();
    void storedProperties();
};

void tst_Component::loaderRunsLoadedInOrder()
{
    journal.clear();
    QWidget form;
    Loadable *first = nullptr;
    Loadable *second = nullptr;
    {
        TFormLoader loader;
        first = loader.add(new Loadable(QStringLiteral("first"), &form));
        second = loader.add(new Loadable(QStringLiteral("second"), &form));
        loader.add(new QWidget(&form)); // no component: ignored
        QVERIFY(first->isLoading());
        QVERIFY(second->isLoading());
        QVERIFY(journal.isEmpty());
    }
    QCOMPARE(journal, (QStringList{QStringLiteral("first loaded"), QStringLiteral("second loaded")}));
    QVERIFY(!first->isLoading());
    // Ending again does nothing.
    first->endLoading();
    QCOMPARE(journal.size(), 2);
}

void tst_Component::destroyedComponentsAreSkipped()
{
    journal.clear();
    QWidget form;
    TFormLoader loader;
    delete loader.add(new Loadable(QStringLiteral("gone"), &form));
    loader.add(new Loadable(QStringLiteral("kept"), &form));
    loader.finish();
    QCOMPARE(journal, QStringList{QStringLiteral("kept loaded")});
    loader.finish();
    QCOMPARE(journal.size(), 1);
}

void tst_Component::storedProperties()
{
    Loadable object(QStringLiteral("object"));
    QVERIFY(!isPropertyStored(&object, "Size")); // by its predicate
    QVERIFY(!isPropertyStored(&object, "Plain")); // by its flag
    QVERIFY(isPropertyStored(&object, "Flagged"));
    QVERIFY(!isPropertyStored(&object, "Missing"));
    object.setSize(4);
    QVERIFY(isPropertyStored(&object, "Size"));
}

QTEST_MAIN(tst_Component)
#include "tst_Component.moc"
