// SPDX-License-Identifier: MIT
#include "f_Setup.h"

#include "Application.h"
#include "Bevel.h"
#include "Component.h"
#include "KavoBtns.h"
#include "KavoSpin.h"
#include "KvChkBox.h"
#include "KvCtrls.h"

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr QSize kClientSize(383, 259);

// The integer part of a spin edit's value, as a 32-bit number (the settings clamp it further).
std::int32_t integerPart(const TkavoSpinEdit *edit)
{
    using Limits = std::numeric_limits<std::int32_t>;
    const long double value = std::trunc(edit->Value());
    if (std::isnan(value))
        return 0;
    const long double low = Limits::min();
    const long double high = Limits::max();
    return std::int32_t(std::clamp(value, low, high));
}

} // namespace

TfNumbraxOptions::TfNumbraxOptions(QWidget *parent)
    : toolkit::TForm(parent)
{
    setObjectName(QStringLiteral("fNumbraxOptions"));
    setWindowTitle(QStringLiteral("Настройки "));
    setFont(toolkit::desktopFont());
    // A fixed dialog border: no resizing, so the buttons never leave the bottom right corner.
    setFixedSize(kClientSize);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    toolkit::TFormLoader loader;
    auto spinEdit = [&](const char *name, QRect bounds, int min, int max, int maxLength) {
        auto *edit = loader.add(new TkavoSpinEdit(this));
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(bounds);
        edit->setMinValue(min);
        edit->setMaxValue(max);
        edit->setMaxLength(maxLength);
        edit->setValue(10);
        return edit;
    };
    auto checkBox = [&](const char *name, QRect bounds, const QString &caption) {
        auto *box = loader.add(new TkavoCheckBox(this));
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(bounds);
        box->setCaption(caption);
        return box;
    };
    auto button = [&](const char *name, int left, TBitBtnKind kind) {
        auto *b = loader.add(new TkavoBitBtn(this));
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 222, 75, 24);
        b->setKind(kind);
        b->setStyle(bsNew);
        return b;
    };
    auto label = [&](const char *name, QRect bounds, const QString &caption, TkavoSpinEdit *focusControl) {
        auto *l = loader.add(new TkavoLabel(this));
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(bounds);
        l->setCaption(caption);
        l->setFocusControl(focusControl);
        l->setAlive(true);
        l->setColorActive(toolkit::clBtnFace);
        l->setFontActive(font());
        l->setFocusOffset(2);
        l->setPosition(wlpLeft);
        l->setBevel(false);
        l->setHeight3D(0);
        l->setTransparent(true);
        return l;
    };
    auto heading = [&](const char *name, QPoint at, const QString &caption) {
        auto *l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->move(at);
        l->adjustSize();
        // Opaque, so that the bevel's line stops short of the heading's text.
        l->setAutoFillBackground(true);
        return l;
    };
    auto bevel = [&](const char *name, int top) {
        auto *b = new toolkit::TBevel(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(16, top, 353, 17);
        return b;
    };

    // Each heading is created after its bevel, so that it stacks above the bevel's line.
    edFldSize = spinEdit("edFldSize", {139, 40, 62, 21}, numbrax::kMinBoardSize, numbrax::kMaxBoardSize, 2);
    kavoLabel1 = label("kavoLabel1", {32, 40, 105, 21}, QStringLiteral("Размер поля"), edFldSize);
    kavoBitBtn1 = button("kavoBitBtn1", 133, bkOK);
    kavoBitBtn2 = button("kavoBitBtn2", 213, bkCancel);
    kavoBitBtn3 = button("kavoBitBtn3", 293, bkHelp);
    kavoBitBtn3->setCaption(QStringLiteral("&Help"));
    kavoBitBtn3->setVisible(false);
    cbCompFirst = checkBox("cbCompFirst", {40, 168, 139, 14}, QStringLiteral("Computer move first "));
    cbCompFirst->setEnabled(false);
    cbCompFirst->setVisible(false); // the player always begins; no setting is bound to it
    edMaxNum = spinEdit("edMaxNum", {139, 72, 62, 21}, numbrax::kMinNumberLimit, numbrax::kMaxNumberLimit, 6);
    kavoLabel2 = label("kavoLabel2", {32, 72, 105, 21}, QStringLiteral("Числовой предел"), edMaxNum);
    cbNegativNum = checkBox("cbNegativNum", {224, 43, 139, 14}, QStringLiteral("отрицательные числа"));
    cbGoByCols = checkBox("cbGoByCols", {40, 144, 139, 14}, QStringLiteral("Вы ходите по столбцам"));
    cbUseNullCells = checkBox("cbUseNullCells", {224, 75, 139, 14}, QStringLiteral("пустые ячейки"));
    Bevel1 = bevel("Bevel1", 16);
    Label1 = heading("Label1", {29, 10}, QStringLiteral("Настройки поля"));
    Bevel2 = bevel("Bevel2", 120);
    Label2 = heading("Label2", {29, 114}, QStringLiteral("Настройки хода"));
    loader.finish();

    // The desktop's font may set a caption wider than the classic font did: a check box then
    // grows to the right, into the free space beside it, rather than cut its caption short.
    for (TkavoCheckBox *box : {cbNegativNum, cbUseNullCells, cbGoByCols, cbCompFirst}) {
        const int room = kClientSize.width() - 8 - box->x();
        box->resize(std::clamp(box->sizeHint().width(), box->width(), std::max(room, box->width())), box->height());
    }

    QWidget::setTabOrder(edFldSize, cbNegativNum);
    QWidget::setTabOrder(cbNegativNum, edMaxNum);
    QWidget::setTabOrder(edMaxNum, cbUseNullCells);
    QWidget::setTabOrder(cbUseNullCells, cbGoByCols);
    QWidget::setTabOrder(cbGoByCols, cbCompFirst);
    QWidget::setTabOrder(cbCompFirst, kavoBitBtn1);
    QWidget::setTabOrder(kavoBitBtn1, kavoBitBtn2);
    QWidget::setTabOrder(kavoBitBtn2, kavoBitBtn3);
    edFldSize->setFocus();
    toolkit::centreOnScreen(*this);
}

void TfNumbraxOptions::setSettings(const numbrax::Settings &settings)
{
    edMaxNum->setValue(settings.MaxNum);
    cbGoByCols->setChecked(settings.GoByCols);
    cbNegativNum->setChecked(settings.NegativNum);
    cbUseNullCells->setChecked(settings.UseNullCells);
    edFldSize->setValue(settings.BoardSize);
}

numbrax::Settings TfNumbraxOptions::settings() const
{
    numbrax::Settings s;
    s.BoardSize = integerPart(edFldSize);
    s.MaxNum = integerPart(edMaxNum);
    s.NegativNum = cbNegativNum->Checked();
    s.UseNullCells = cbUseNullCells->Checked();
    s.GoByCols = cbGoByCols->Checked();
    return s.clamped();
}
