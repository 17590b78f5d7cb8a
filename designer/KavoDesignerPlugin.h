// SPDX-License-Identifier: MIT
#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>

#include <memory>
#include <vector>

struct TkavoFormControl;

// One control of the library as Designer offers it, made from its entry in the list of form
// controls: every control is offered the same way, so one class serves them all.
class TkavoDesignerWidget : public QDesignerCustomWidgetInterface
{
public:
    explicit TkavoDesignerWidget(const TkavoFormControl &control);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface *core) override;
    // A new control's name and size.
    QString domXml() const override;

private:
    const TkavoFormControl &FControl;
    bool FInitialized = false;
};

// The library's controls in Designer's widget box, in the group "Kavo Controls". Also loaded by
// QUiLoader, which makes the controls of a .ui form through it.
class TkavoDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TkavoDesignerPlugin(QObject *parent = nullptr);
    ~TkavoDesignerPlugin() override;

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    std::vector<std::unique_ptr<TkavoDesignerWidget>> FWidgets;
};
