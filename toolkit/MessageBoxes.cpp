// SPDX-License-Identifier: MIT
#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace toolkit {

namespace {

class QtMessageBoxes final : public MessageBoxes
{
public:
    void showMessage(const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    bool confirm(const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
};

QtMessageBoxes realBoxes;
MessageBoxes *installed = nullptr;

} // namespace

MessageBoxes &messageBoxes()
{
    return installed ? *installed : realBoxes;
}

void setMessageBoxes(MessageBoxes *boxes)
{
    installed = boxes;
}

} // namespace toolkit
