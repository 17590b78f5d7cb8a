// SPDX-License-Identifier: MIT
// The control library's gallery: each control in its typical states, for a person to look at
// and for the screenshots of the documentation.
#include "ButtonsGallery.h"
#include "Form.h"
#include "KavoSpin.h"
#include "KvAccessible.h"
#include "KvChkBox.h"
#include "KvCtrls.h"
#include "Panel.h"
#include "PickersGallery.h"

#include <QApplication>
#include <QTimer>

using namespace toolkit;

namespace {

// The classic dialog font's character height on a 96-dpi screen, as the game's windows use.
constexpr int kFontPixels = 11;

TkavoLabel *heading(QWidget *parent, int left, int top, const QString &caption)
{
    auto *label = new TkavoLabel(parent);
    label->setBevel(false);
    label->setHeight3D(1);
    label->setLight(lpLeftTop);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setCaption(caption);
    label->SetBounds(left, top, 220, 20);
    return label;
}

// A caption of an input, as the options dialog has them: hot, flat, no frame.
TkavoLabel *fieldLabel(QWidget *parent, int left, int top, const QString &caption, QWidget *control)
{
    auto *label = new TkavoLabel(parent);
    label->setAlive(true);
    label->setBevel(false);
    label->setHeight3D(0);
    label->setColorActive(clBtnFace);
    QFont active = label->font();
    active.setUnderline(true);
    label->setFontActive(active);
    label->setCaption(caption);
    label->setFocusControl(control);
    label->SetBounds(left, top, 105, 21);
    return label;
}

TkavoSpinEdit *spin(QWidget *parent, long double minimum, long double maximum, long double value)
{
    auto *edit = new TkavoSpinEdit(parent);
    edit->resize(62, 21);
    edit->setMinValue(minimum);
    edit->setMaxValue(maximum);
    edit->setValue(value);
    return edit;
}

TkavoCheckBox *checkBox(QWidget *parent, int left, int top, const QString &caption)
{
    auto *box = new TkavoCheckBox(parent);
    box->setCaption(caption);
    box->setGeometry(left, top, 160, 14);
    return box;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterKavoAccessibility();
    QFont windowFont = QApplication::font();
    windowFont.setPixelSize(kFontPixels);
    QApplication::setFont(windowFont);
    RegisterPointCursor();

    TForm form;
    form.setWindowTitle(QStringLiteral("kavo controls"));
    form.setFixedSize(620, 440);
    form.setAutoFillBackground(true);
    form.setBackgroundRole(QPalette::Button);

    // Spin edits, each with a hover label linked to it.
    heading(&form, 16, 8, QStringLiteral("Spin edits"));
    TkavoSpinEdit *boardSize = spin(&form, 4, 50, 10);
    boardSize->setMaxLength(2);
    fieldLabel(&form, 16, 32, QStringLiteral("&Board size"), boardSize);
    TkavoSpinEdit *limit = spin(&form, 2, 999999, 10);
    limit->setMaxLength(6);
    fieldLabel(&form, 16, 60, QStringLiteral("Number &limit"), limit);
    TkavoSpinEdit *fraction = spin(&form, -5, 5, 0);
    fraction->setValueType(vtFloat);
    fraction->setIncrement(0.25L);
    fraction->setValue(1.5L);
    fraction->setAlignment(taRightJustify);
    fraction->resize(80, 21);
    fieldLabel(&form, 16, 88, QStringLiteral("Step 0.25"), fraction);
    TkavoSpinEdit *disabled = spin(&form, 0, 100, 7);
    disabled->setEnabled(false);
    fieldLabel(&form, 16, 116, QStringLiteral("Disabled"), disabled);
    TkavoSpinEdit *readOnly = spin(&form, 0, 100, 42);
    readOnly->setReadOnly(true);
    fieldLabel(&form, 16, 144, QStringLiteral("Read-only"), readOnly);
    TkavoSpinEdit *locked = spin(&form, 0, 9, 3);
    locked->setEditorEnabled(false);
    fieldLabel(&form, 16, 172, QStringLiteral("Arrows only"), locked);

    // Check boxes and a radio group.
    heading(&form, 300, 8, QStringLiteral("Check boxes"));
    checkBox(&form, 300, 34, QStringLiteral("Unchecked"));
    checkBox(&form, 300, 54, QStringLiteral("Checked"))->setChecked(true);
    checkBox(&form, 300, 74, QStringLiteral("Disabled"))->setEnabled(false);
    checkBox(&form, 300, 94, QStringLiteral("Grayed (checked, disabled)"))->setState(cbGrayed);
    checkBox(&form, 300, 114, QStringLiteral("With &accelerator"));
    TkavoCheckBox *wrapped = checkBox(&form, 300, 134, QStringLiteral("A longer caption that wraps"));
    wrapped->setWordWrap(true);
    wrapped->setVertAlign(baTop);
    wrapped->resize(150, 30);
    // A single-line caption is exactly as wide as its text; centring shows on a wrapped one.
    TkavoCheckBox *centred = checkBox(&form, 300, 170, QStringLiteral("Centred caption"));
    centred->setWordWrap(true);
    centred->setAlignment(taCenter);
    centred->setChecked(true);

    auto *radios = new TPanel(&form);
    radios->setBevelOuter(bvLowered);
    radios->setGeometry(470, 34, 134, 90);
    const QStringList radioCaptions{QStringLiteral("Rows"), QStringLiteral("Columns"), QStringLiteral("Diagonals"),
                                    QStringLiteral("Disabled")};
    for (int i = 0; i < radioCaptions.size(); ++i) {
        TkavoCheckBox *radio = checkBox(radios, 8, 8 + i * 19, radioCaptions[i]);
        radio->resize(118, 14);
        radio->setStyle(btRadioButton);
        radio->setChecked(i == 1);
        radio->setEnabled(i != 3);
    }

    // Labels: each light position, depths, bevels.
    heading(&form, 16, 210, QStringLiteral("Labels"));
    const QStringList lights{QStringLiteral("lpLeft"),      QStringLiteral("lpRight"),     QStringLiteral("lpTop"),
                             QStringLiteral("lpBottom"),    QStringLiteral("lpLeftTop"),   QStringLiteral("lpLeftBottom"),
                             QStringLiteral("lpRightTop"),  QStringLiteral("lpRightBottom")};
    for (int i = 0; i < lights.size(); ++i) {
        auto *label = new TkavoLabel(&form);
        label->setCaption(lights[i]);
        label->setLight(TLightPos(i));
        label->setHeight3D(1);
        label->setAlignment(taCenter);
        label->SetBounds(16 + (i % 4) * 148, 236 + (i / 4) * 30, 140, 24);
    }
    QFont big = QApplication::font();
    big.setPixelSize(20);
    big.setBold(true);
    const struct
    {
        QString caption;
        TLightPos light;
        int depth;
        TBevelCut outer;
        TBevelCut inner;
        int border;
    } samples[] = {
        {QStringLiteral("Raised"), lpLeftTop, 2, bvLowered, bvRaised, 0},
        {QStringLiteral("Sunken"), lpRightBottom, 2, bvRaised, bvLowered, 0},
        {QStringLiteral("Flat"), lpLeftTop, 0, bvRaised, bvNone, 2},
        {QStringLiteral("Deep"), lpLeftBottom, 3, bvLowered, bvSpace, 1},
    };
    int left = 16;
    for (const auto &sample : samples) {
        auto *label = new TkavoLabel(&form);
        label->setFont(big);
        label->setCaption(sample.caption);
        label->setLight(sample.light);
        label->setHeight3D(sample.depth);
        label->setBevelOuter(sample.outer);
        label->setBevelInner(sample.inner);
        label->setBorderWidth(sample.border);
        label->setAlignment(taCenter);
        label->setFontColor(clNavy);
        label->SetBounds(left, 304, 140, 40);
        left += 148;
    }

    auto *opaque = new TkavoLabel(&form);
    opaque->setCaption(QStringLiteral("Opaque, window colour, bevel 2"));
    opaque->setTransparent(false);
    opaque->setColor(clWindow);
    opaque->setBevelWidth(2);
    opaque->setHeight3D(0);
    opaque->SetBounds(16, 356, 290, 26);

    auto *link = new TkavoLabel(&form);
    link->setCaption(QStringLiteral("A link: hover me"));
    link->setAlive(true);
    link->setBevel(false);
    link->setHeight3D(0);
    link->setFontColor(clBlue);
    QFont linkFont = link->font();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    link->setFontActive(linkFont);
    link->setFontActiveColor(clBlue);
    link->setCursorSlot(crHandPoint);
    link->SetBounds(320, 358, 200, 21);

    auto *autoSized = new TkavoLabel(&form);
    autoSized->setCaption(QStringLiteral("Sized to its caption"));
    autoSized->setWordWrap(false);
    autoSized->move(16, 396);
    autoSized->setAutoSize(true);

    form.show();
    showButtonsGallery(&form);
    showPickersGallery(&form);
    QTimer::singleShot(0, boardSize, [boardSize] { boardSize->setFocus(Qt::OtherFocusReason); });
    return app.exec();
}
