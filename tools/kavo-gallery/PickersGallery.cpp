// SPDX-License-Identifier: MIT
#include "PickersGallery.h"

#include "Form.h"
#include "KavoDrop.h"
#include "KvCtrls.h"

#include <QLocale>
#include <QScreen>

using namespace toolkit;

namespace {

// A caption above its edit, as a form lays out a column of fields.
void caption(QWidget *parent, int left, int top, const QString &text, QWidget *control, int width = 200)
{
    auto *label = new TkavoLabel(parent);
    label->setAlive(true);
    label->setBevel(false);
    label->setHeight3D(0);
    label->setCaption(text);
    label->setPosition(wlpTop);
    label->setFocusOffset(2);
    // The spin edit's height, so the library's edits line up.
    control->resize(control->width(), 21);
    label->setFocusControl(control);
    label->SetBounds(left, top, width, 16);
}

} // namespace

void showPickersGallery(QWidget *beside)
{
    auto *form = new TForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowTitle(QStringLiteral("kavo pickers"));
    form->setFixedSize(456, 176);
    form->setAutoFillBackground(true);
    form->setBackgroundRole(QPalette::Button);

    auto *number = new TkavoCalcEdit(form);
    number->setValue(1234.5);
    number->setAccessibleName(QStringLiteral("Сумма"));
    caption(form, 16, 12, QStringLiteral("&Сумма (F4: калькулятор)"), number);

    auto *date = new TkavoDateEdit(form);
    date->setAccessibleName(QStringLiteral("Дата"));
    caption(form, 240, 12, QStringLiteral("&Дата (F4: календарь)"), date);

    const QDate today = QDate::currentDate();
    auto *limited = new TkavoDateEdit(form);
    limited->setMinDate(today.addDays(-10));
    limited->setMaxDate(today.addDays(10));
    limited->setAccessibleName(QStringLiteral("Дата в пределах"));
    caption(form, 16, 64, QStringLiteral("Д&ата ± 10 дней"), limited);

    auto *disabled = new TkavoDateEdit(form);
    disabled->setEnabled(false);
    caption(form, 240, 64, QStringLiteral("Недоступно"), disabled);

    auto *period = new TkavoPeriodEdit(form);
    period->setAccessibleName(QStringLiteral("Период"));
    // The period's text is two dates long.
    caption(form, 16, 116, QStringLiteral("&Период"), period, 424);

    if (beside) {
        const QRect room = beside->screen()->availableGeometry();
        QPoint place = beside->frameGeometry().bottomLeft() + QPoint(0, 8);
        place.setY(qMin(place.y(), room.bottom() - form->height()));
        form->move(place);
    }
    form->show();
}
