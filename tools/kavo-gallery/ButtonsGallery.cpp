// SPDX-License-Identifier: MIT
#include "ButtonsGallery.h"

#include "Form.h"
#include "KavoBtns.h"
#include "KvCtrls.h"
#include "KvTools.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

using namespace toolkit;

namespace {

constexpr int kColumn = 96;
constexpr int kRow = 30;

TkavoLabel *heading(QWidget *parent, int left, int top, const QString &caption)
{
    auto *label = new TkavoLabel(parent);
    label->setBevel(false);
    label->setHeight3D(1);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setCaption(caption);
    label->SetBounds(left, top, 300, 20);
    return label;
}

TkavoBitBtn *button(QWidget *parent, int column, int row, int top, TBitBtnKind kind = bkCustom)
{
    auto *b = new TkavoBitBtn(parent);
    b->setKind(kind);
    b->resize(89, 24);
    b->move(12 + column * kColumn, top + row * kRow);
    return b;
}

// Three round pictures on a masked background, 16 x 16 each: the gallery's image list.
TCustomImageList *pictures(QObject *owner)
{
    const QColor mask(0xFF, 0x00, 0xFF);
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(mask);
    QPainter painter(&strip);
    const QColor colours[] = {QColor(0xC0, 0x00, 0x00), QColor(0x00, 0x80, 0x00), QColor(0x00, 0x00, 0xC0)};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(Qt::black);
        painter.setBrush(colours[i]);
        painter.drawEllipse(i * 16 + 2, 2, 11, 11);
    }
    painter.end();
    auto *list = new TCustomImageList(16, 16, owner);
    list->AddMasked(strip, mask);
    return list;
}

} // namespace

void showButtonsGallery(QWidget *beside)
{
    auto *form = new TForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowTitle(QStringLiteral("kavo buttons"));
    form->setFixedSize(600, 440);
    form->setAutoFillBackground(true);
    form->setBackgroundRole(QPalette::Button);
    new TkavoSound(form);

    // Every kind, raised; the last column flat.
    heading(form, 12, 8, QStringLiteral("Kinds (last column flat)"));
    for (int kind = bkOK; kind <= bkAll; ++kind) {
        const int index = kind - bkOK;
        button(form, index % 5, index / 5, 32, TBitBtnKind(kind));
    }
    for (int kind = bkOK; kind <= bkCancel; ++kind)
        button(form, 5, kind - bkOK, 32, TBitBtnKind(kind))->setFlat(true);

    // Disabled: glyph strips with a disabled image, an embossed single glyph, a drop-down mark.
    heading(form, 12, 100, QStringLiteral("Disabled"));
    for (int kind = bkOK; kind <= bkHelp; ++kind)
        button(form, kind - bkOK, 0, 124, TBitBtnKind(kind))->setEnabled(false);
    TkavoBitBtn *embossed = button(form, 3, 0, 124);
    embossed->setCaption(QStringLiteral("One glyph"));
    // Embossing draws the black pixels of the picture: the tick's outline.
    embossed->setGlyph(KindGlyph(bkOK).copy(0, 0, 18, 18));
    embossed->setEnabled(false);

    // Layouts, margin and automatic spacing.
    heading(form, 12, 162, QStringLiteral("Layouts"));
    const struct
    {
        TButtonLayout layout;
        QString caption;
    } layouts[] = {
        {blGlyphLeft, QStringLiteral("Left")},
        {blGlyphRight, QStringLiteral("Right")},
        {blGlyphTop, QStringLiteral("Top")},
        {blGlyphBottom, QStringLiteral("Bottom")},
    };
    for (int i = 0; i < 4; ++i) {
        TkavoBitBtn *b = button(form, i, 0, 186, bkYes);
        b->setCaption(layouts[i].caption);
        b->setLayout(layouts[i].layout);
        b->resize(89, 44);
    }
    TkavoBitBtn *spread = button(form, 4, 0, 186, bkNo);
    spread->setCaption(QStringLiteral("Spread"));
    spread->setSpacing(-1);
    spread->resize(89, 44);
    TkavoBitBtn *margin = button(form, 5, 0, 186, bkNo);
    margin->setCaption(QStringLiteral("Margin 2"));
    margin->setMargin(2);
    margin->resize(89, 44);

    // Drop-down menus and image lists.
    heading(form, 12, 240, QStringLiteral("Drop-down menus and images"));
    auto *menu = new TPopupMenu(form);
    menu->addAction(QStringLiteral("Новая игра"));
    menu->addAction(QStringLiteral("Настройки..."));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Выход"));
    TkavoBitBtn *dropDown = button(form, 0, 0, 264);
    dropDown->setCaption(QStringLiteral("&Menu"));
    dropDown->setDropDownMenu(menu);
    auto *rightMenu = new TPopupMenu(form);
    rightMenu->addActions(menu->actions());
    rightMenu->setAlignment(paRight);
    TkavoBitBtn *toTheRight = button(form, 1, 0, 264, bkRetry);
    toTheRight->setCaption(QStringLiteral("Right"));
    toTheRight->setDropDownMenu(rightMenu);
    toTheRight->setMenuPosition(dmpRight);
    TkavoBitBtn *flatMenu = button(form, 2, 0, 264);
    flatMenu->setCaption(QStringLiteral("Flat menu"));
    flatMenu->setDropDownMenu(menu);
    flatMenu->setFlat(true);

    TCustomImageList *images = pictures(form);
    for (int i = 0; i < 3; ++i) {
        TkavoBitBtn *b = button(form, i, 1, 264);
        b->setCaption(QStringLiteral("Image %1").arg(i));
        b->setImages(images);
        b->setImageIndex(i);
    }
    TkavoBitBtn *blended = button(form, 3, 1, 264);
    blended->setCaption(QStringLiteral("Blended"));
    blended->setImages(images);
    blended->setImageIndex(0);
    blended->setEnabled(false);
    TkavoBitBtn *nextImage = button(form, 4, 1, 264);
    nextImage->setCaption(QStringLiteral("Next image"));
    nextImage->setImages(images);
    nextImage->setImageIndex(0);
    nextImage->setNumGlyphs(2);
    nextImage->setEnabled(false);

    // Elliptical buttons: raised, held down, disabled, flat on a coloured surround.
    heading(form, 12, 334, QStringLiteral("Elliptical"));
    const QString ellipseCaptions[] = {QStringLiteral("Raised"), QStringLiteral("Held down"),
                                       QStringLiteral("Disabled"), QStringLiteral("Flat")};
    for (int i = 0; i < 4; ++i) {
        TkavoBitBtn *b = button(form, i, 0, 358);
        b->setCaption(ellipseCaptions[i]);
        b->setBtnType(btEllipse);
        b->resize(89, 40);
        if (i == 1)
            b->setDownLook(true);
        if (i == 2)
            b->setEnabled(false);
        if (i == 3) {
            b->setFlat(true);
            b->setBackColor(clSilver);
        }
    }

    if (beside) {
        // Right of the other window if the screen has room, else below it, else wherever the
        // whole window shows.
        const QRect room = beside->screen()->availableGeometry();
        const QRect other = beside->frameGeometry();
        QRect place(other.topRight() + QPoint(8, 0), form->size());
        if (!room.contains(place))
            place.moveTopLeft(other.bottomLeft() + QPoint(0, 8));
        if (!room.contains(place))
            place.moveTopLeft(QPoint(qMin(place.left(), room.right() - place.width()),
                                     qMin(place.top(), room.bottom() - place.height())));
        form->move(place.topLeft());
    }
    form->show();
}
