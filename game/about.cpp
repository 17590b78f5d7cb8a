// SPDX-License-Identifier: MIT
#include "about.h"

#include "AppIcon.h"
#include "Application.h"
#include "Canvas.h"
#include "Component.h"
#include "KavoBtns.h"
#include "KvCtrls.h"
#include "KvShell.h"
#include "Maker.h"
#include "Panel.h"
#include "VersionInfo.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The box at its design size, in pixels; positions inside Panel1 are relative to it.
constexpr QSize kClientSize(297, 211);
constexpr QRect kPanelBounds(8, 8, 281, 153);
constexpr QRect kProductNameBounds(120, 11, 141, 16);
constexpr QRect kVersionBounds(136, 38, 117, 13);
// The classic dialog font and the product name's larger one, as character heights in pixels.
constexpr int kFontPixels = 11;
constexpr int kProductNamePixels = 13;
// The desktop's large icon size, the size an application icon is shown at in a dialog.
constexpr int kIconPixels = 32;
constexpr int kSwShow = 5;

const toolkit::TColor kLinkColor = toolkit::clBlue;
// The least contrast a text needs with its background to stay readable.
constexpr double kMinLinkContrast = 4.5;
// The panel's two bevels, one pixel each.
constexpr int kPanelBevels = 2;

// The links were measured for the narrow classic dialog font, and the web page's address no
// longer fits its design width in the desktop's font: it would wrap onto a second line that the
// label cuts off. A link widens as far as the panel's inner edge to keep its caption, bold
// while hovered, on one line.
void fitLink(TkavoLabel &link, int rightLimit)
{
    // Measured as the label measures itself, on one line.
    QRect r(0, 0, link.width(), link.height());
    toolkit::TScreenCanvas canvas(link.FontActive());
    DrawText3D(link.Caption(), r, canvas.painter(), link.Light(), Qt::black, Qt::black, Qt::black, link.Height3D(),
               link.Alignment(), false, false, true);
    const int needed = r.x() + r.width() + link.Height3D() + 2;
    link.resize(std::max(link.width(), std::min(needed, rightLimit - link.x())), link.height());
}


double relativeLuminance(const QColor &color)
{
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mixed(const QColor &from, const QColor &to, int step, int steps)
{
    auto channel = [&](int f, int t) { return f + (t - f) * step / steps; };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

toolkit::TColor plain(const QColor &color)
{
    return toolkit::TColor::fromRgb(color.rgb());
}

const versioninfo::TVersionInfo *shownVersionInfo = nullptr;

// Makes a reader known as the one of the showing under way, for as long as the showing lasts.
class ShowingVersionInfo
{
public:
    explicit ShowingVersionInfo(const versioninfo::TVersionInfo &info)
        : FPrevious(std::exchange(shownVersionInfo, &info))
    {
    }
    ~ShowingVersionInfo() { shownVersionInfo = FPrevious; }
    ShowingVersionInfo(const ShowingVersionInfo &) = delete;
    ShowingVersionInfo &operator=(const ShowingVersionInfo &) = delete;

private:
    const versioninfo::TVersionInfo *FPrevious;
};

// The application's icon, the one its windows carry. A program that never set one still shows
// its own.
QIcon applicationIcon()
{
    const QIcon icon = QApplication::windowIcon();
    return icon.isNull() ? ApplicationIcon() : icon;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : toolkit::TForm(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Numbrax"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientSize);
    setFont(toolkit::desktopFont(kFontPixels));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    toolkit::TFormLoader loader;

    Panel1 = new toolkit::TPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(kPanelBounds);
    Panel1->setBevelOuter(toolkit::bvLowered);
    Panel1->setBevelInner(toolkit::bvRaised);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(16, 8, 16, 16);
    ProgramIcon->setScaledContents(true);

    auto heading = [this](const char *name, const QRect &bounds, const QString &caption) {
        auto *l = new QLabel(caption, Panel1);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(bounds);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return l;
    };
    ProductName = heading("ProductName", kProductNameBounds, QStringLiteral("Numbrax"));
    QFont nameFont = toolkit::desktopFont(kProductNamePixels);
    nameFont.setBold(true);
    ProductName->setFont(nameFont);
    Version = heading("Version", kVersionBounds, QStringLiteral("версиия 1.0"));

    auto link = [&](const char *name, const QRect &bounds, const QString &caption) {
        auto *l = loader.add(new TkavoLabel(Panel1));
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(bounds);
        l->setAlive(true);
        l->setColorActive(toolkit::clBtnFace);
        QFont active = toolkit::desktopFont(kFontPixels);
        active.setBold(true);
        active.setUnderline(true);
        l->setFontActive(active);
        l->setFontActiveColor(kLinkColor);
        l->setFocusOffset(2);
        l->setPosition(wlpLeft);
        l->setBevel(false);
        l->setLight(lpLeftTop);
        l->setHeight3D(0);
        l->setCaption(caption);
        l->setFont(toolkit::desktopFont(kFontPixels));
        l->setFontColor(kLinkColor);
        l->setParentFont(false);
        l->setTransparent(true);
        l->setCursorSlot(toolkit::crHandPoint);
        return l;
    };
    kavoLabel1 = link("kavoLabel1", QRect(48, 92, 177, 21), QLatin1String(maker::WebPage));
    kavoLabel1->OnClick = [this](QObject *sender) { kavoLabel1Click(sender); };
    kavoLabel2 = link("kavoLabel2", QRect(48, 116, 193, 21), QLatin1String(maker::ContactMail));
    kavoLabel2->OnClick = [this](QObject *sender) { kavoLabel2Click(sender); };
    for (TkavoLabel *l : {kavoLabel1, kavoLabel2})
        fitLink(*l, kPanelBounds.width() - kPanelBevels);
    fitLinkColor();

    kavoBitBtn1 = loader.add(new TkavoBitBtn(this));
    kavoBitBtn1->setObjectName(QStringLiteral("kavoBitBtn1"));
    kavoBitBtn1->setGeometry(104, 176, 89, 24);
    kavoBitBtn1->setKind(bkOK);
    kavoBitBtn1->setStyle(bsNew);
    kavoBitBtn1->setDownLook(false);

    loader.finish();
    kavoBitBtn1->setFocus();
    toolkit::centreOnScreen(*this);
}

void TAboutBox::setProgramIcon(const QIcon &icon)
{
    const QPixmap picture = icon.pixmap(QSize(kIconPixels, kIconPixels), devicePixelRatio());
    ProgramIcon->setPixmap(picture);
    ProgramIcon->resize(picture.deviceIndependentSize().toSize());
}

void TAboutBox::kavoLabel1Click(QObject *)
{
    // A page that does not open leaves the box as it is: what the desktop reports is dropped.
    ShellOpen(QLatin1String(maker::WebPage), QString(), kSwShow, true);
}

void TAboutBox::kavoLabel2Click(QObject *)
{
    ShellOpen(maker::MailLink(), QString(), kSwShow, true);
}

void TAboutBox::fitLinkColor()
{
    // The links lie on the panel, whose face is the box's button face.
    const QColor face = toolkit::clBtnFace.resolve(palette());
    const toolkit::TColor color = plain(readableLinkColor(face));
    for (TkavoLabel *l : {kavoLabel1, kavoLabel2}) {
        l->setFontColor(color);
        l->setFontActiveColor(color);
    }
}

void TAboutBox::changeEvent(QEvent *event)
{
    TForm::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && kavoLabel2)
        fitLinkColor();
}

void TAboutBox::resizeEvent(QResizeEvent *event)
{
    TForm::resizeEvent(event);
    if (!Panel1)
        return;
    // The panel keeps its distance from all four edges, the heading lines theirs from the
    // panel's left and right edges.
    const QSize grown = size() - kClientSize;
    Panel1->resize(kPanelBounds.size() + grown);
    ProductName->resize(kProductNameBounds.width() + grown.width(), ProductName->height());
    Version->resize(kVersionBounds.width() + grown.width(), Version->height());
}

QColor readableLinkColor(const QColor &background)
{
    const QColor blue = kLinkColor.resolve(QPalette());
    // Towards white on a dark face, towards black on a light one: whichever reaches the
    // contrast first keeps the most of the blue. One of them always does, at white or black.
    constexpr int kSteps = 64;
    for (int step = 0; step <= kSteps; ++step) {
        for (const QColor &to : {QColor(Qt::white), QColor(Qt::black)}) {
            const QColor candidate = mixed(blue, to, step, kSteps);
            if (contrast(candidate, background) >= kMinLinkContrast)
                return candidate;
        }
    }
    return QColor(Qt::black); // not reached
}

void ShowAboutBox(const QString &fileName)
{
    const QString path = fileName.isEmpty() ? QCoreApplication::applicationFilePath() : fileName;
    const versioninfo::TVersionInfo info(QFile::encodeName(path).toStdString());
    const ShowingVersionInfo showing(info);
    // Declared after the reader, so that it goes first.
    TAboutBox box;
    box.setProgramIcon(applicationIcon());
    box.ShowModal();
}

const versioninfo::TVersionInfo *ShownVersionInfo()
{
    return shownVersionInfo;
}
