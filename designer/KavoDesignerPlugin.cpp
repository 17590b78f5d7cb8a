// SPDX-License-Identifier: MIT
#include "KavoDesignerPlugin.h"

#include "KavoDesignerIcons.h"
#include "KavoFormControls.h"
#include "KvAccessible.h"
#include "KvCtrls.h"

#include <QIcon>

TkavoDesignerWidget::TkavoDesignerWidget(const TkavoFormControl &control)
    : FControl(control)
{
}

QString TkavoDesignerWidget::name() const
{
    return QLatin1String(FControl.ClassName);
}

QString TkavoDesignerWidget::group() const
{
    return QStringLiteral("Kavo Controls");
}

QString TkavoDesignerWidget::toolTip() const
{
    return QLatin1String(FControl.ToolTip);
}

QString TkavoDesignerWidget::whatsThis() const
{
    return QLatin1String(FControl.WhatsThis);
}

QString TkavoDesignerWidget::includeFile() const
{
    return QLatin1String(FControl.Header);
}

QIcon TkavoDesignerWidget::icon() const
{
    return KavoDesignerIcon(name());
}

QWidget *TkavoDesignerWidget::createWidget(QWidget *parent)
{
    return FControl.Create(parent);
}

void TkavoDesignerWidget::initialize(QDesignerFormEditorInterface *)
{
    if (FInitialized)
        return;
    // A form in Designer shows the controls as a program of them does: with the library's
    // pointing hand and telling assistive technology what they are.
    RegisterPointCursor();
    RegisterKavoAccessibility();
    FInitialized = true;
}

QString TkavoDesignerWidget::domXml() const
{
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), QLatin1String(FControl.ObjectName))
        .arg(FControl.DesignSize.width())
        .arg(FControl.DesignSize.height());
}

TkavoDesignerPlugin::TkavoDesignerPlugin(QObject *parent)
    : QObject(parent)
{
    for (const TkavoFormControl &control : KavoFormControls)
        FWidgets.push_back(std::make_unique<TkavoDesignerWidget>(control));
}

TkavoDesignerPlugin::~TkavoDesignerPlugin() = default;

QList<QDesignerCustomWidgetInterface *> TkavoDesignerPlugin::customWidgets() const
{
    QList<QDesignerCustomWidgetInterface *> widgets;
    for (const auto &widget : FWidgets)
        widgets.append(widget.get());
    return widgets;
}
