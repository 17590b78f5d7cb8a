// SPDX-License-Identifier: MIT
#include "about.h"

#include "AppIcon.h"
#include "Cursors.h"
#include "KavoBtns.h"
#include "KvCtrls.h"
#include "KvShell.h"
#include "Panel.h"
#include "RecordingDesktop.h"
#include "VersionInfo.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {

// Runs step inside the modal showing of the about box that ShowAboutBox opens. A step that
// stops early on a failed check leaves no box open behind it.
void whileShown(const QString &fileName, const std::function<void(TAboutBox &)> &step)
{
    QTimer::singleShot(0, [step] {
        QPointer<TAboutBox> box = qobject_cast<TAboutBox *>(QApplication::activeModalWidget());
        QVERIFY2(box, "no about box is shown");
        step(*box);
        if (box && box->isVisible())
            box->reject();
    });
    ShowAboutBox(fileName);
}

QImage areaOf(QWidget &window, const QWidget *child)
{
    const QRect area(child->mapTo(&window, QPoint()), child->size());
    return window.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

// The longest horizontal run of clearly blue pixels: an underline spans the text, while no
// stroke of a glyph at this size comes near it.
int longestBlueRun(const QImage &image)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            run = (c.blue() - std::max(c.red(), c.green()) > 96) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// Relative luminance and contrast ratio of two colours, as WCAG defines them.
double luminance(const QColor &c)
{
    auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The longest horizontal run of pixels of exactly one colour.
int longestRunOf(const QImage &image, QRgb color)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixel(x, y) == color ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

QIcon solidIcon(const QColor &color)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

class tst_about : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { watchdog.start(); }
    void cleanup();

    void designLayout_data();
    void designLayout();
    void programIcon_data();
    void programIcon();
    void hoverLook_data();
    void hoverLook();
    void links_data();
    void links();
    void showing_data();
    void showing();
    void waitKeepsTheBoxResponsive();
    void iconSharpAtScreenRatio();
    void linkContrast_data();
    void linkContrast();

private:
    // A showing that never ends would hang the run; this ends it instead.
    QTimer watchdog;
    QPalette appPalette;
};

void tst_about::initTestCase()
{
    appPalette = QApplication::palette();
    watchdog.setSingleShot(true);
    watchdog.setInterval(20000);
    connect(&watchdog, &QTimer::timeout, this, [] { qFatal("%s", "the about box did not close"); });
    RegisterPointCursor();
}

void tst_about::cleanup()
{
    watchdog.stop();
    QApplication::setWindowIcon(QIcon());
    QApplication::setPalette(appPalette);
}

void tst_about::designLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<bool>("mayWiden"); // to fit its caption in a wide desktop font
    QTest::addColumn<QSize>("growth");  // when the box grows by 40 x 30

    QTest::newRow("panel") << "Panel1" << "AboutBox" << QRect(8, 8, 281, 153) << false << QSize(40, 30);
    QTest::newRow("product name") << "ProductName" << "Panel1" << QRect(120, 11, 141, 16) << false << QSize(40, 0);
    QTest::newRow("version") << "Version" << "Panel1" << QRect(136, 38, 117, 13) << false << QSize(40, 0);
    QTest::newRow("web link") << "kavoLabel1" << "Panel1" << QRect(48, 92, 177, 21) << true << QSize(0, 0);
    QTest::newRow("mail link") << "kavoLabel2" << "Panel1" << QRect(48, 116, 193, 21) << true << QSize(0, 0);
    QTest::newRow("OK button") << "kavoBitBtn1" << "AboutBox" << QRect(104, 176, 89, 24) << false << QSize(0, 0);
}

void tst_about::designLayout()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, bounds);
    QFETCH(bool, mayWiden);
    QFETCH(QSize, growth);

    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.windowTitle(), QStringLiteral("Numbrax"));
    QCOMPARE(box.minimumSize(), QSize(297, 211));
    QCOMPARE(box.maximumSize(), QSize(297, 211));
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Placed before the window frame is known, so the frame's width may shift it a little.
    QVERIFY((box.frameGeometry().center() - box.screen()->availableGeometry().center()).manhattanLength() <= 4);
    QCOMPARE(box.ProductName->text(), QStringLiteral("Numbrax"));
    QVERIFY(box.ProductName->font().bold());
    QCOMPARE(box.ProductName->font().pixelSize(), 13);
    QCOMPARE(box.Version->text(), QStringLiteral("версиия 1.0"));
    QCOMPARE(box.kavoBitBtn1->Caption(), QStringLiteral("OK"));

    auto *widget = box.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    const QRect placed = widget->geometry();
    QCOMPARE(placed.topLeft(), bounds.topLeft());
    QCOMPARE(placed.height(), bounds.height());
    if (mayWiden) {
        QVERIFY(placed.width() >= bounds.width());
        QVERIFY(placed.right() < box.Panel1->width() - 2); // inside the panel's bevels
    } else {
        QCOMPARE(placed.width(), bounds.width());
    }
    box.setFixedSize(297 + 40, 211 + 30);
    QCOMPARE(widget->geometry(), QRect(placed.topLeft(), placed.size() + growth));
}

void tst_about::programIcon_data()
{
    QTest::addColumn<QIcon>("applicationIcon");
    QTest::addColumn<QIcon>("expected");
    QTest::newRow("the program's own") << ApplicationIcon() << ApplicationIcon();
    QTest::newRow("none set: still the program's") << QIcon() << ApplicationIcon();
    QTest::newRow("another one set") << solidIcon(Qt::red) << solidIcon(Qt::red);
}

void tst_about::programIcon()
{
    QFETCH(QIcon, applicationIcon);
    QFETCH(QIcon, expected);
    QApplication::setWindowIcon(applicationIcon);
    QImage shown;
    QRect bounds;
    whileShown(QString(), [&](TAboutBox &box) {
        shown = box.ProgramIcon->pixmap().toImage();
        bounds = box.ProgramIcon->geometry();
        box.kavoBitBtn1->click();
    });
    QCOMPARE(bounds, QRect(16, 8, 32, 32));
    const QImage wanted = expected.pixmap(32, 32).toImage();
    QCOMPARE(shown.convertToFormat(wanted.format()), wanted);
}

void tst_about::hoverLook_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("web page") << "kavoLabel1";
    QTest::newRow("mail") << "kavoLabel2";
}

void tst_about::hoverLook()
{
    QFETCH(QString, link);
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *label = box.findChild<TkavoLabel *>(link);
    const QColor face = box.palette().color(QPalette::Button);
    QTest::mouseMove(&box, QPoint(5, 5));
    const QImage normal = areaOf(box, label);

    PaintCounter paints(label);
    QTest::mouseMove(&box, label->mapTo(&box, QPoint(10, 8)));
    QTRY_VERIFY(label->MouseInside());
    QTRY_VERIFY2(paints.count > 0, "entering the link does not repaint it");
    QCOMPARE(label->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(label->cursor().hotSpot(), QPoint(6, 16));
    QVERIFY(label->FontActive().bold());
    const QImage hovered = areaOf(box, label);
    QVERIFY2(longestBlueRun(hovered) > 60, "the hovered link is not underlined in blue");
    QCOMPARE(hovered.pixelColor(0, 0), face); // the background stays transparent

    QTest::mouseMove(&box, QPoint(5, 5));
    QTRY_VERIFY(!label->MouseInside());
    QVERIFY2(longestBlueRun(normal) < 20, "the link is underlined while the pointer is elsewhere");
    QVERIFY2(longestBlueRun(normal) > 2, "the link's text is not blue");
    // One line of text: nothing is wrapped into the rows the label cuts off.
    for (const QImage &look : {normal, hovered})
        QCOMPARE(longestBlueRun(look.copy(0, 16, look.width(), look.height() - 16)), 0);
    QCOMPARE(areaOf(box, label), normal);
}

void tst_about::links_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target");
    QTest::newRow("web page") << "kavoLabel1" << "https://korvessa.example/numbrax/";
    QTest::newRow("mail to support") << "kavoLabel2" << "mailto:support@korvessa.example?subject=numbrax";
}

void tst_about::links()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    RecordingDesktop launcher;
    bool stillShown = false;
    QString focused;
    whileShown(QString(), [&](TAboutBox &box) {
        QTest::mouseClick(box.findChild<QWidget *>(link), Qt::LeftButton, {}, QPoint(10, 8));
        stillShown = box.isVisible();
        if (box.focusWidget())
            focused = box.focusWidget()->objectName();
        box.kavoBitBtn1->click();
    });
    QCOMPARE(launcher.waited, QList<QStringList>{(QStringList{"xdg-open", target})});
    QVERIFY(stillShown); // a link that opened nothing leaves the box as it is
    QCOMPARE(focused, QStringLiteral("kavoBitBtn1")); // a link never takes the focus
}

void tst_about::showing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("readerFile");
    QTest::addColumn<QString>("closeBy");
    const QString self = QCoreApplication::applicationFilePath();
    QTest::newRow("OK, own program") << "" << self << "OK";
    QTest::newRow("Enter, a given file") << self << self << "Enter";
    QTest::newRow("close button, missing file") << "/no/such/program" << "/no/such/program" << "close";
}

void tst_about::showing()
{
    QFETCH(QString, fileName);
    QFETCH(QString, readerFile);
    QFETCH(QString, closeBy);
    QPointer<TAboutBox> previous;
    for (int round = 1; round <= 2; ++round) {
        QPointer<TAboutBox> shown;
        QString reader;
        bool readerOutlivesBox = false;
        bool freshBox = false;
        whileShown(fileName, [&](TAboutBox &box) {
            shown = &box;
            freshBox = !previous && !box.kavoLabel1->MouseInside();
            if (const versioninfo::TVersionInfo *info = ShownVersionInfo())
                reader = QString::fromLocal8Bit(info->FileName());
            connect(&box, &QObject::destroyed, [&] { readerOutlivesBox = ShownVersionInfo() != nullptr; });
            // Leaves the pointer over a link, a state that must not reach the next showing.
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(box.kavoLabel1, &enter);
            if (closeBy == QLatin1String("OK"))
                QTest::mouseClick(box.kavoBitBtn1, Qt::LeftButton);
            else if (closeBy == QLatin1String("Enter"))
                QTest::keyClick(&box, Qt::Key_Return);
            else
                box.close();
        });
        QVERIFY2(!shown, "the box outlived its showing");
        QVERIFY(freshBox);
        QCOMPARE(reader, readerFile);
        QVERIFY(readerOutlivesBox);
        QVERIFY(!ShownVersionInfo());
        previous = shown;
    }
}

void tst_about::waitKeepsTheBoxResponsive()
{
    // The program the desktop starts: it runs until the test closes its input.
    QPointer<QProcess> started;
    RecordingDesktop launcher;
    launcher.startProcess = [&] {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral("cat"), QStringList());
        process->waitForStarted();
        started = process.get();
        return process;
    };
    QStringList events;
    whileShown(QString(), [&](TAboutBox &box) {
        // Runs only if the box's events keep flowing while the link waits.
        QTimer::singleShot(50, &box, [&] {
            events << QStringLiteral("waiting");
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::postEvent(box.kavoLabel1, enter.clone());
            QTimer::singleShot(50, &box, [&] {
                if (box.kavoLabel1->MouseInside())
                    events << QStringLiteral("hovered");
                QTest::mouseClick(box.kavoBitBtn1, Qt::LeftButton);
                events << QStringLiteral("OK pressed");
                QVERIFY(started);
                connect(started, &QProcess::finished, [&] { events << QStringLiteral("program ended"); });
                started->closeWriteChannel();
            });
        });
        QTest::mouseClick(box.kavoLabel2, Qt::LeftButton, {}, QPoint(10, 8));
        events << QStringLiteral("link done");
    });
    events << QStringLiteral("box closed");
    QCOMPARE(launcher.waited.size(), 1);
    QCOMPARE(events, (QStringList{"waiting", "hovered", "OK pressed", "program ended", "link done", "box closed"}));
}

// Registered twice: at the default ratio and with QT_SCALE_FACTOR=2, where a picture made for
// ratio 1 and stretched would come out blurred.
void tst_about::iconSharpAtScreenRatio()
{
    QImage shown;
    QColor face;
    qreal ratio = 0;
    whileShown(QString(), [&](TAboutBox &box) {
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        ratio = box.devicePixelRatio();
        face = box.palette().color(QPalette::Button);
        const QWidget *icon = box.ProgramIcon;
        QCOMPARE(icon->size(), QSize(32, 32));
        shown = box.grab(QRect(icon->mapTo(&box, QPoint()), icon->size())).toImage();
        box.kavoBitBtn1->click();
    });
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    const int pixels = qRound(32 * ratio);
    // The icon's own picture for that many pixels, on the panel's face, pixel for pixel.
    const QImage picture(QStringLiteral(":/icons/numbrax-%1.png").arg(pixels));
    QVERIFY(!picture.isNull());
    QImage expected(pixels, pixels, QImage::Format_RGB32);
    expected.fill(face);
    QPainter(&expected).drawImage(0, 0, picture);
    expected.setDevicePixelRatio(ratio);
    QCOMPARE(shown.size(), expected.size());
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), expected);
}

void tst_about::linkContrast_data()
{
    QTest::addColumn<QColor>("face"); // invalid: the default light palette
    QTest::newRow("default light palette") << QColor();
    QTest::newRow("dark grey") << QColor(0x35, 0x35, 0x35);
    QTest::newRow("black") << QColor(Qt::black);
    QTest::newRow("mid grey") << QColor(0x80, 0x80, 0x80);
    QTest::newRow("navy") << QColor(0, 0, 0x80);
}

void tst_about::linkContrast()
{
    QFETCH(QColor, face);
    const QPalette original = QApplication::palette();
    QPalette palette = original;
    if (face.isValid()) {
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::Window, face);
        palette.setColor(QPalette::ButtonText, Qt::white);
        palette.setColor(QPalette::WindowText, Qt::white);
    }
    // A box made under the scheme, and one that was shown before the scheme changed.
    QApplication::setPalette(palette);
    TAboutBox made;
    QApplication::setPalette(original);
    TAboutBox changed;
    changed.setPalette(palette);
    QApplication::setPalette(palette);
    for (TAboutBox *box : {&made, &changed}) {
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        const QColor background = box->palette().color(QPalette::Button);
        for (TkavoLabel *link : {box->kavoLabel1, box->kavoLabel2}) {
            const QColor text = link->FontColor().resolve(box->palette());
            QCOMPARE(link->FontActiveColor(), link->FontColor());
            if (!face.isValid())
                QCOMPARE(link->FontColor(), toolkit::clBlue);
            else
                QVERIFY2(contrastRatio(text, background) >= 4.5,
                         qPrintable(QStringLiteral("%1 on %2").arg(text.name(), background.name())));
            // What the user sees: the hovered link's underline is drawn in that colour.
            QTest::mouseMove(box, link->mapTo(box, QPoint(10, 8)));
            QTRY_VERIFY(link->MouseInside());
            QTRY_VERIFY(longestRunOf(areaOf(*box, link), text.rgb()) > 60);
            QTest::mouseMove(box, QPoint(5, 5));
            QTRY_VERIFY(!link->MouseInside());
        }
        box->hide();
    }
}

QTEST_MAIN(tst_about)
#include "tst_about.moc"
