// SPDX-License-Identifier: MIT
#include "KvAccessible.h"

#include "Cursors.h"
#include "KavoSpin.h"
#include "KvChkBox.h"
#include "KvCtrls.h"

#include <QAccessibleWidget>

namespace {

// A caption as it reads: an accelerator's "&" is no part of it, "&&" is one "&".
QString readable(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// The hover label that leads to a control: its caption names the control.
const TkavoCustomLabel *leadingLabel(const QWidget *control)
{
    if (!control->parentWidget())
        return nullptr;
    const auto labels = control->parentWidget()->findChildren<TkavoCustomLabel *>(Qt::FindDirectChildrenOnly);
    for (const TkavoCustomLabel *label : labels)
        if (label->FocusControl() == control)
            return label;
    return nullptr;
}

class SpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SpinEditAccessible(TkavoSpinEdit *edit)
        : QAccessibleWidget(edit, QAccessible::SpinBox)
    {
    }

    TkavoSpinEdit *edit() const { return static_cast<TkavoSpinEdit *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            if (const QString own = edit()->accessibleName(); !own.isEmpty())
                return own;
            if (const TkavoCustomLabel *label = leadingLabel(edit()))
                return readable(label->Caption());
            return {};
        case QAccessible::Value:
            return edit()->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !edit()->isReadOnly() && edit()->EditorEnabled();
        return s;
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled)
            if (const TkavoCustomLabel *label = leadingLabel(edit()))
                if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(const_cast<TkavoCustomLabel *>(label)))
                    found.append({iface, QAccessible::Labelled});
        return found;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return double(edit()->Value()); }
    void setCurrentValue(const QVariant &value) override { edit()->setValue(value.toDouble()); }
    QVariant maximumValue() const override { return double(edit()->MaxValue()); }
    QVariant minimumValue() const override { return double(edit()->MinValue()); }
    QVariant minimumStepSize() const override { return double(edit()->Increment()); }
};

class CheckBoxAccessible : public QAccessibleWidget
{
public:
    explicit CheckBoxAccessible(TkavoCustomCheckBox *box)
        : QAccessibleWidget(box, box->Style() == btRadioButton ? QAccessible::RadioButton : QAccessible::CheckBox)
    {
    }

    TkavoCustomCheckBox *box() const { return static_cast<TkavoCustomCheckBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && box()->accessibleName().isEmpty())
            return readable(box()->Caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->Checked();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == toggleAction() || name == pressAction()) {
            if (box()->isEnabled())
                box()->Toggle();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

class LabelAccessible : public QAccessibleWidget
{
public:
    explicit LabelAccessible(TkavoCustomLabel *label)
        : QAccessibleWidget(label, isLink(label) ? QAccessible::Link : QAccessible::StaticText)
    {
    }

    // A link is a live label that leads to no control but answers a click with the hand.
    static bool isLink(const TkavoCustomLabel *label)
    {
        return label->Alive() && !label->FocusControl() && label->Cursor() == toolkit::crHandPoint;
    }

    TkavoCustomLabel *label() const { return static_cast<TkavoCustomLabel *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            if (label()->accessibleName().isEmpty())
                return readable(label()->Caption());
            break;
        case QAccessible::Value:
        case QAccessible::Description:
            // A link's caption is the address it opens (the web page, the mail address).
            if (role() == QAccessible::Link && label()->accessibleDescription().isEmpty())
                return readable(label()->Caption());
            break;
        default:
            break;
        }
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Label) && label()->FocusControl())
            if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label()->FocusControl()))
                found.append({iface, QAccessible::Label});
        return found;
    }

    QStringList actionNames() const override
    {
        if (role() == QAccessible::Link && label()->OnClick)
            return {pressAction()};
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && role() == QAccessible::Link && label()->OnClick && label()->isEnabled()) {
            label()->OnClick(label());
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *kavoFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TkavoSpinEdit"))
        return new SpinEditAccessible(static_cast<TkavoSpinEdit *>(object));
    if (className == QLatin1String("TkavoCustomCheckBox"))
        return new CheckBoxAccessible(static_cast<TkavoCustomCheckBox *>(object));
    if (className == QLatin1String("TkavoCustomLabel"))
        return new LabelAccessible(static_cast<TkavoCustomLabel *>(object));
    return nullptr;
}

} // namespace

void RegisterKavoAccessibility()
{
    // Qt keeps each factory once.
    QAccessible::installFactory(kavoFactory);
}
