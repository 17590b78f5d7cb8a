// SPDX-License-Identifier: MIT
#include "Form.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>

namespace toolkit {

namespace {

bool usable(const QWidget *widget, const QWidget *form)
{
    return widget->isVisibleTo(form) && widget->isEnabled() && widget->window() == form;
}

} // namespace

TForm::TForm(QWidget *parent)
    : QDialog(parent)
{
}

void TForm::setModalResult(int result)
{
    FModalResult = result;
    if (result != mrNone && isVisible() && isModal())
        QDialog::done(result);
}

int TForm::ShowModal()
{
    FModalResult = mrNone;
    exec();
    return FModalResult;
}

void TForm::done(int result)
{
    FModalResult = result;
    QDialog::done(result);
}

bool TForm::DialogKey(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        if (focused && usable(focused, this)) {
            focused->click();
            return true;
        }
        const auto buttons = findChildren<QPushButton *>();
        for (QPushButton *button : buttons) {
            if (button->isDefault() && usable(button, this)) {
                button->click();
                return true;
            }
        }
        return false;
    }
    if (key == Qt::Key_Escape) {
        const auto buttons = findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            if (button->property("Cancel").toBool() && usable(button, this)) {
                button->click();
                return true;
            }
        }
    }
    return false;
}

void TForm::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool dialogKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if (dialogKey && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Unlike a plain dialog, Escape without a cancel button leaves the form open.
        if (DialogKey(key))
            event->accept();
        else
            event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace toolkit
