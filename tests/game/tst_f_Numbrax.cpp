// SPDX-License-Identifier: MIT
#include "f_Numbrax.h"

#include "about.h"
#include "BoardAccessible.h"
#include "BoardText.h"
#include "DrawGrid.h"
#include "KavoBtns.h"
#include "KvShell.h"
#include "KavoSpin.h"
#include "KvAccessible.h"
#include "KvChkBox.h"
#include "Panel.h"
#include "RecordingDesktop.h"
#include "f_Setup.h"
#include "GameFixtures.h"
#include "RatioPixels.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <qpa/qwindowsysteminterface.h>

#include <chrono>
#include <semaphore>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QResizeEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using numbrax::Board;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kHintBlue = qRgb(0, 0, 160);

Board board(const char *text)
{
    const std::optional<Board> b = numbrax::BoardFromText(text);
    if (!b)
        qFatal("malformed board in a test");
    return *b;
}

// Changes the game's settings the way the options dialog hands them over: whole.
template<class Change>
void changeSettings(TfNumbrax &w, Change change)
{
    numbrax::Settings settings = w.game().settings();
    change(settings);
    w.game().SetSettings(settings);
}

void setBoardSize(TfNumbrax &w, int size)
{
    changeSettings(w, [size](numbrax::Settings &s) { s.BoardSize = size; });
}

QPoint cellCentre(const toolkit::TDrawGrid *grid, int col, int row)
{
    return grid->cellRect(col, row).center();
}

// The captions as they read: an access letter's "&" is no part of them.
QString plain(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

QStringList captions(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : plain(a->text()));
    return texts;
}

// A board of n x n cells, each showing text.
Board filledBoard(int n, const char *text)
{
    QByteArray rows;
    for (int row = 0; row < n; ++row) {
        for (int col = 0; col < n; ++col)
            rows += QByteArray(text) + (col + 1 < n ? " " : "\n");
    }
    return board(rows.constData());
}

// Assistive technology's view of a widget.
QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface");
    return iface;
}

// Checks that no two of the rectangles overlap.
bool apart(const QList<QRect> &rects)
{
    for (qsizetype i = 0; i < rects.size(); ++i)
        for (qsizetype j = i + 1; j < rects.size(); ++j)
            if (rects[i].intersects(rects[j]))
                return false;
    return true;
}

// Counts the cells the board paints, by wrapping its draw-cell handler.
class PaintCounter
{
public:
    explicit PaintCounter(toolkit::TDrawGrid *grid)
        : FGrid(grid)
        , FInner(grid->drawCellHandler())
    {
        grid->setDrawCellHandler([this](QPainter &p, int col, int row, const QRect &rect, bool marked) {
            cells << QPoint(col, row);
            FInner(p, col, row, rect, marked);
        });
    }
    ~PaintCounter() { FGrid->setDrawCellHandler(FInner); }

    QList<QPoint> cells;

private:
    toolkit::TDrawGrid *FGrid;
    toolkit::TDrawGrid::DrawCellHandler FInner;
};

// Removes a file or an empty folder when the test ends, however it ends.
struct Cleanup
{
    QString path;
    ~Cleanup()
    {
        QFile::remove(path);
        QDir().rmdir(path);
    }
};

// Moves the pointer onto the cell through a second point of it: the last test may have left
// the pointer where the first is.
void pointAt(TfNumbrax &w, QPoint cell)
{
    QTest::mouseMove(w.sgr, w.sgr->cellRect(cell.x(), cell.y()).topLeft() + QPoint(1, 1));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, cell.x(), cell.y()));
}

void pickWithThePointer(TfNumbrax &w, QPoint cell)
{
    pointAt(w, cell);
    QTest::mouseClick(w.sgr, Qt::LeftButton, {}, cellCentre(w.sgr, cell.x(), cell.y()));
}

// A move and a click on the cell as the window system hands them over: queued for the loop.
void queueClick(TfNumbrax &w, QPoint cell)
{
    using QWSI = QWindowSystemInterface;
    const QPoint at = w.sgr->mapTo(&w, cellCentre(w.sgr, cell.x(), cell.y()));
    for (auto [buttons, type] : {std::pair{Qt::MouseButtons(), QEvent::MouseMove},
                                 {Qt::LeftButton, QEvent::MouseButtonPress}, {{}, QEvent::MouseButtonRelease}})
        QWSI::handleMouseEvent<QWSI::AsynchronousDelivery>(w.windowHandle(), at, w.mapToGlobal(at), buttons,
                                                           type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, type);
}

// Holds each job of the window's think runner until step(), run by the window's loop while the
// job waits, returns true: the test sees the window think, however fast the machine.
class HeldThinking
{
public:
    HeldThinking(TfNumbrax &w, std::function<bool()> step)
    {
        w.game().setThinkRunner([this, &w](const std::function<void()> &job) {
            // Let go after a long while anyway: a window that never runs its loop fails, not hangs.
            w.thinkAside([this, &job] {
                letGo = FGate.try_acquire_for(std::chrono::seconds(60));
                job();
            });
        });
        QObject::connect(&FPoll, &QTimer::timeout, [this, &w, step = std::move(step)] {
            if (w.thinking() && step()) {
                FPoll.stop();
                FGate.release();
            }
        });
        FPoll.start(5);
    }

    bool letGo = false; // written by the job's thread, read once the window has joined it

private:
    QTimer FPoll;
    std::binary_semaphore FGate{0};
};

} // namespace

class tst_f_Numbrax : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { RegisterKavoAccessibility(); } // as the program does at start-up
    void init();
    void cleanup();

    void startsBlankAndInert();
    void designLayout();
    void menus();
    void fitCells_data();
    void fitCells();
    void boardSizeChangeRefits();
    void computerLabelsKeepToTheRight();
    void cellPixels();
    void markedFrameStaysInSightDuringAGame();
    void numbersFitTheirCells_data();
    void numbersFitTheirCells();
    void windowGrowsToReadABigBoard();
    void smallestWindowKeepsThePanelApart();
    void keyboardPlaysAWholeGame();
    void keysMoveLikeThePointer();
    void commandKeys_data();
    void commandKeys();
    void accessLettersOnlyWithAlt();
    void boardIsAnAccessibleTable();
    void accessibleCellActionAndScores();
    void optionsReadWithTheirLabels();
    void pointerTracking();
    void pointerMoveRepaintsTwoCells();
    void wholeGameThroughTheWindow();
    void anyButtonPicks();
    void newGameResetsTheView();
    void escapeMinimises();
    void exitCloses();
    void linkCommands_data();
    void linkCommands();
    void rulesText();
    void readmeText();
    void aboutCommand();
    void strengthEntries_data();
    void strengthEntries();
    void hint_data();
    void hint();
    void takeBack_data();
    void takeBack();
    void slowThinkingKeepsTheWindowPainting();
    void closeWaitsForThePick();
    void quickThinkingRunsNoLoop();

private:
    std::unique_ptr<RecordingDesktop> boxes;
    std::unique_ptr<TfNumbrax> window;
};

void tst_f_Numbrax::init()
{
    boxes = std::make_unique<RecordingDesktop>();
    window = std::make_unique<TfNumbrax>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_f_Numbrax::cleanup()
{
    window.reset();
    boxes.reset();
}

void tst_f_Numbrax::startsBlankAndInert()
{
    TfNumbrax &w = *window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Numbrax (Korvessa)"));
    QCOMPARE(w.sgr->colCount(), 10);
    QCOMPARE(w.sgr->rowCount(), 10);
    for (QLabel *label : {w.lblYou, w.lblComp, w.lblYouLast, w.lblCompLast})
        QCOMPARE(label->text(), QStringLiteral("0"));
    QVERIFY(w.lblYouLast->isVisible());
    QVERIFY(w.lblCompLast->isVisible());
    QVERIFY(w.sgr->hasFocus());
    QCOMPARE(w.Panel1->caption(), QString());

    const QImage image = w.sgr->grab().toImage();
    for (QPoint cell : {QPoint(0, 0), QPoint(5, 5), QPoint(9, 9)})
        QCOMPARE(image.pixel(cellCentre(w.sgr, cell.x(), cell.y())), kWhite);

    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 6, 4));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 7, 3));
    QTest::mouseClick(w.sgr, Qt::LeftButton, {}, cellCentre(w.sgr, 7, 3));
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 0));
    QCOMPARE(w.game().CurCol(), 0);
    QCOMPARE(w.lblYou->text(), QStringLiteral("0"));
    QVERIFY(boxes->messages.isEmpty());
    QVERIFY(w.game().board().text(7, 3).empty());
}

void tst_f_Numbrax::designLayout()
{
    TfNumbrax &w = *window;
    QCOMPARE(w.centralWidget()->size(), QSize(332, 251));
    QCOMPARE(w.Panel1->geometry(), QRect(0, 0, 332, 41));
    QCOMPARE(w.sgr->geometry(), QRect(0, 41, 332, 210));
    QCOMPARE(w.sgr->defaultColWidth(), 31);
    QCOMPARE(w.sgr->defaultRowHeight(), 19);
    QCOMPARE(w.Label1->pos(), QPoint(8, 5));
    QCOMPARE(w.lblYou->pos(), QPoint(8, 20));
    QVERIFY(w.lblYou->font().bold());
    QVERIFY(w.lblComp->font().bold());
    QCOMPARE(w.lblComp->y(), 20);
    QCOMPARE(w.lblComp->geometry().right() + 1, 322);
}

void tst_f_Numbrax::menus()
{
    TfNumbrax &w = *window;
    QCOMPARE(plain(w.File1->title()), QStringLiteral("Игра"));
    QCOMPARE(captions(w.File1), (QStringList{"Новая игра", "Отменить ход", "Подсказка", "-", "Сила компьютера",
                                             "Настройки...", "Top list...", "-", "Выход"}));
    QCOMPARE(captions(w.Strength1), (QStringList{"Новичок", "Обычный", "Сильный", "Мастер"}));
    QVERIFY(!w.a_toplist->isVisible());
    QVERIFY(!w.a_toplist->isEnabled());
    QCOMPARE(plain(w.Help1->title()), QStringLiteral("Помощь"));
    QCOMPARE(captions(w.Help1),
             (QStringList{"Правила игры", "Readme.txt", "-", "Наш сайт: korvessa.example",
                          "Наш e-mail: info@korvessa.example", "Буквоплёт - решатель головоломок", "-",
                          "О программе..."}));
    QCOMPARE(w.a_minimize->shortcut(), QKeySequence(Qt::Key_Escape));
}

void tst_f_Numbrax::fitCells_data()
{
    QTest::addColumn<QSize>("boardArea"); // the board widget's outer size
    QTest::addColumn<int>("boardSize");
    QTest::addColumn<QSize>("cell");
    QTest::newRow("design") << QSize(332, 210) << 10 << QSize(31, 19);
    QTest::newRow("wide") << QSize(700, 300) << 10 << QSize(68, 28);
    QTest::newRow("smallest board") << QSize(332, 210) << 4 << QSize(80, 50);
    QTest::newRow("largest board") << QSize(1600, 1000) << 50 << QSize(30, 18);
    QTest::newRow("truncated, not rounded") << QSize(354, 254) << 10 << QSize(33, 23);
}

void tst_f_Numbrax::fitCells()
{
    QFETCH(QSize, boardArea);
    QFETCH(int, boardSize);
    QFETCH(QSize, cell);
    TfNumbrax &w = *window;
    setBoardSize(w, boardSize);
    const QSize frame = w.size() - w.sgr->size();
    w.resize(boardArea + frame);
    QTRY_COMPARE(w.sgr->size(), boardArea);
    QCOMPARE(w.sgr->defaultColWidth(), cell.width());
    QCOMPARE(w.sgr->defaultRowHeight(), cell.height());
}

void tst_f_Numbrax::boardSizeChangeRefits()
{
    TfNumbrax &w = *window;
    setBoardSize(w, 4);
    QCOMPARE(w.sgr->colCount(), 4);
    QCOMPARE(w.sgr->rowCount(), 4);
    QCOMPARE(w.sgr->defaultColWidth(), (332 - 5) / 4 - 1);
    QCOMPARE(w.sgr->defaultRowHeight(), (210 - 5) / 4 - 1);
}

void tst_f_Numbrax::computerLabelsKeepToTheRight()
{
    TfNumbrax &w = *window;
    const int label3FromRight = w.Panel1->width() - w.Label3->x();
    w.resize(w.width() + 250, w.height() + 100);
    QTRY_COMPARE(w.Panel1->width(), 582);
    QCOMPARE(w.Panel1->height(), 41);
    QCOMPARE(w.lblComp->geometry().right() + 1, 582 - 10);
    QCOMPARE(w.Panel1->width() - w.Label3->x(), label3FromRight);

    // A longer score grows to the left: the computer takes two of the largest numbers a cell
    // holds.
    w.game().StartGame(board("1 0 0 0\n2147483647 0 0 0\n2147483647 0 0 0\n0 0 0 0"));
    w.game().PointerMove(0, 0);
    w.game().Press();
    QCOMPARE(w.lblComp->text(), QStringLiteral("4294967294"));
    QCOMPARE(w.lblComp->geometry().right() + 1, 582 - 10);
    QVERIFY(w.lblComp->x() < 582 - 10 - 36);
}

void tst_f_Numbrax::cellPixels()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("7 0 . 1\n2 3 4 5\n6 7 8 9\n1 2 3 4"));
    const QImage image = w.sgr->grab().toImage();

    // Numbers are drawn at the cell's top left, so its bottom right shows the fill.
    const QRect number = w.sgr->cellRect(0, 0);
    QCOMPARE(image.pixel(number.bottomRight() - QPoint(2, 2)), kWhite);
    bool ink = false; // the digit itself is dark, near the top left
    for (int y = number.top(); y < number.top() + number.height() / 2 + 3; ++y)
        for (int x = number.left(); x < number.left() + number.width() / 2; ++x)
            ink = ink || qGray(image.pixel(x, y)) < 100;
    QVERIFY(ink);

    // A taken cell is a plain grey square, text and all.
    const QRect taken = w.sgr->cellRect(1, 0);
    for (int y = taken.top() + 1; y < taken.bottom(); ++y)
        for (int x = taken.left() + 1; x < taken.right(); ++x)
            QCOMPARE(image.pixel(x, y), kGrey);
    QCOMPARE(image.pixel(w.sgr->cellRect(2, 0).center()), kWhite); // blank

    // Silver lines after each cell; the space beyond the last column and row is white.
    QCOMPARE(image.pixel(number.right() + 1, number.center().y()), kSilver);
    QCOMPARE(image.pixel(number.center().x(), number.bottom() + 1), kSilver);
    const QRect last = w.sgr->cellRect(3, 3);
    QCOMPARE(image.pixel(last.right() + 1, last.center().y()), kSilver);
    QCOMPARE(image.pixel(last.right() + 2, last.center().y()), kWhite);
    QCOMPARE(image.pixel(last.center().x(), last.bottom() + 2), kWhite);
}

void tst_f_Numbrax::markedFrameStaysInSightDuringAGame()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 2 3 4\n2 3 4 5\n6 7 8 9\n1 2 3 4"));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 2, 1));
    QCOMPARE(w.sgr->markedCell(), QPoint(2, 1));
    const QRect marked = w.sgr->cellRect(2, 1);

    w.activateWindow();
    w.sgr->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_VERIFY(w.sgr->hasFocus());
    QImage image = w.sgr->grab().toImage();
    for (QPoint p : {marked.topLeft(), marked.topRight(), marked.bottomLeft(), marked.bottomRight(),
                     QPoint(marked.center().x(), marked.top()), QPoint(marked.left(), marked.center().y())})
        QCOMPARE(image.pixel(p), kRed);
    QCOMPARE(image.pixel(marked.bottomRight() - QPoint(2, 2)), kWhite);
    QCOMPARE(image.pixel(w.sgr->cellRect(1, 1).topLeft()), kWhite);

    // A message box or another window takes the focus: the frame stays while the game goes on.
    w.sgr->clearFocus();
    QTRY_VERIFY(!w.sgr->hasFocus());
    image = w.sgr->grab().toImage();
    QCOMPARE(image.pixel(marked.bottomRight()), kRed);
    QCOMPARE(image.pixel(marked.topLeft()), kRed);

    // No game in progress: only a focused board frames its marked cell.
    w.game().AbortGame();
    QCoreApplication::processEvents();
    image = w.sgr->grab().toImage();
    QCOMPARE(image.pixel(marked.bottomRight()), kWhite);
    QCOMPARE(image.pixel(marked.topRight()), kWhite);
    w.sgr->setFocus();
    QTRY_VERIFY(w.sgr->hasFocus());
    QCOMPARE(w.sgr->grab().toImage().pixel(marked.topRight()), kRed);
}

void tst_f_Numbrax::numbersFitTheirCells_data()
{
    QTest::addColumn<int>("boardSize");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<QString>("widest"); // the widest number the settings allow
    QTest::newRow("design size, default limit") << 10 << 10 << false << "9";
    QTest::newRow("design size, limit 999999") << 10 << 999999 << false << "999998";
    QTest::newRow("design size, negatives") << 10 << 999999 << true << "-999998";
    QTest::newRow("board 4") << 4 << 999999 << true << "-999998";
    QTest::newRow("board 50") << 50 << 999999 << true << "-999998";
}

void tst_f_Numbrax::numbersFitTheirCells()
{
    QFETCH(int, boardSize);
    QFETCH(int, limit);
    QFETCH(bool, negative);
    QFETCH(QString, widest);
    TfNumbrax &w = *window;
    changeSettings(w, [&](numbrax::Settings &s) {
        s.MaxNum = limit;
        s.NegativNum = negative;
    });
    w.game().StartGame(filledBoard(boardSize, widest.toLatin1().constData()));
    QCoreApplication::processEvents();
    const QSize cell(w.sgr->defaultColWidth(), w.sgr->defaultRowHeight());

    // Whole, a pixel clear of the next grid line, and as tall as the row allows otherwise.
    const QFontMetricsF metrics(w.cellFont());
    QVERIFY2(metrics.horizontalAdvance(widest) <= cell.width() - 1,
             qPrintable(QStringLiteral("%1 px in a %2 px cell").arg(metrics.horizontalAdvance(widest)).arg(cell.width())));
    QVERIFY(metrics.ascent() + metrics.descent() <= cell.height() + 1);

    // No ink in a cell's last column, nor on the grid lines; ink at its left (faint where a
    // board of 50 long numbers outgrows the screen).
    const QImage image = w.sgr->grab().toImage();
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 0)); // its red frame is no number's ink
    for (QPoint at : {QPoint(1, 0), QPoint(boardSize - 1, 0), QPoint(boardSize / 2, boardSize - 1)}) {
        const QRect r = w.sgr->cellRect(at.x(), at.y());
        bool ink = false;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QCOMPARE(image.pixel(r.right(), y), kWhite);
            QCOMPARE(image.pixel(r.right() + 1, y), kSilver);
            for (int x = r.left(); x < r.left() + 4 && x <= r.right(); ++x)
                ink = ink || image.pixel(x, y) != kWhite;
        }
        for (int x = r.left(); x <= r.right(); ++x)
            QCOMPARE(image.pixel(x, r.bottom() + 1), kSilver);
        QVERIFY(ink);
    }
}

void tst_f_Numbrax::windowGrowsToReadABigBoard()
{
    TfNumbrax &w = *window;
    const QSize before = w.size();
    const QRect available = w.screen()->availableGeometry();
    // The options dialog's OK with board size 50.
    QTimer::singleShot(0, &w, [] {
        auto *dialog = qobject_cast<TfNumbraxOptions *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->edFldSize->setValue(50);
        QTest::mouseClick(dialog->kavoBitBtn1, Qt::LeftButton);
    });
    w.a_gameoptions->trigger();
    QCOMPARE(w.sgr->colCount(), 50);
    QTRY_VERIFY(w.width() > before.width() || w.height() > before.height());
    QVERIFY(available.contains(w.frameGeometry()));

    // The digits read at 9 pixels, or the window fills the screen's height trying.
    w.a_newgame->trigger();
    const int digitHeight = QFontMetrics(w.cellFont()).tightBoundingRect("0123456789").height();
    QVERIFY2(digitHeight >= 9 || w.frameGeometry().height() == available.height(),
             qPrintable(QStringLiteral("digits %1 px in a %2 px high window").arg(digitHeight).arg(w.height())));
    QVERIFY(QFontMetricsF(w.cellFont()).horizontalAdvance("9") <= w.sgr->defaultColWidth() - 1);

    // Back to a small board: the window keeps its size.
    const QSize grown = w.size();
    setBoardSize(w, 4);
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), grown);
}

void tst_f_Numbrax::smallestWindowKeepsThePanelApart()
{
    TfNumbrax &w = *window;
    changeSettings(w, [](numbrax::Settings &s) {
        s.MaxNum = 999999;
        s.NegativNum = true;
    });
    w.game().StartGame(filledBoard(10, "-999998"));
    w.resize(50, 50);
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), w.minimumSize());
    QVERIFY(w.width() > 50);

    // The widest texts the settings allow, the longest result text among them.
    for (QLabel *score : {w.lblYou, w.lblComp})
        score->setText(QStringLiteral("-99999800"));
    for (QLabel *last : {w.lblYouLast, w.lblCompLast})
        last->setText(QStringLiteral("-999998"));
    for (QLabel *label : {w.lblYou, w.lblComp, w.lblYouLast, w.lblCompLast})
        label->adjustSize();
    QResizeEvent relayout(w.Panel1->size(), w.Panel1->size());
    QCoreApplication::sendEvent(w.Panel1, &relayout);
    w.Panel1->setCaption(QStringLiteral("Очень жаль, но Вы проиграли."));
    QCoreApplication::processEvents();
    const QFontMetrics caption(w.Panel1->font());
    QRect result(QPoint(), caption.size(0, w.Panel1->caption()));
    result.moveCenter(w.Panel1->rect().center());
    QList<QRect> texts{result};
    for (QLabel *label : {w.Label1, w.lblYou, w.lblYouLast, w.Label3, w.lblComp, w.lblCompLast}) {
        QVERIFY(w.Panel1->rect().contains(label->geometry()));
        QCOMPARE(label->width(), label->sizeHint().width()); // never cut
        // The headings stand above the result text's line.
        if (label != w.Label1 && label != w.Label3)
            texts << label->geometry();
    }
    QVERIFY(apart(texts));
    QVERIFY(apart({w.Label1->geometry(), w.Label3->geometry(), w.lblYouLast->geometry(), w.lblCompLast->geometry()}));
    // The numbers still read whole.
    QVERIFY(QFontMetricsF(w.cellFont()).horizontalAdvance("-999998") <= w.sgr->defaultColWidth() - 1);
}

void tst_f_Numbrax::keyboardPlaysAWholeGame()
{
    // The game of wholeGameThroughTheWindow, played by keys alone.
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5"));
    w.sgr->setMarkedCell(2, 2);
    w.game().PointerMove(2, 2);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(w.sgr, key); // the last Up would leave the board: it stays
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 0));
    QTest::keyClick(w.sgr, Qt::Key_Return);
    QCOMPARE(boxes->messages,
             (QStringList{"Вам некуда ходить. Ход комьютера.", "Вам некуда ходить. Ход комьютера."}));
    QCOMPARE(w.lblCompLast->text(), QStringLiteral("2"));
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 3));

    boxes->messages.clear();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
        QTest::keyClick(w.sgr, key); // along row 3 only, and never off the board
    QCOMPARE(w.sgr->markedCell(), QPoint(3, 3));
    QTest::keyClick(w.sgr, Qt::Key_Space);
    QCOMPARE(boxes->messages, QStringList{"Конец игры. Очень жаль, но Вы проиграли."});
    QCOMPARE(w.lblYou->text(), QStringLiteral("6"));
    QCOMPARE(w.lblComp->text(), QStringLiteral("19"));

    // Over: keys change nothing until the next game.
    QTest::keyClick(w.sgr, Qt::Key_Left);
    QTest::keyClick(w.sgr, Qt::Key_Return);
    QCOMPARE(w.sgr->markedCell(), QPoint(3, 3));
    QCOMPARE(boxes->messages.size(), 1);
}

void tst_f_Numbrax::keysMoveLikeThePointer()
{
    TfNumbrax &w = *window;
    changeSettings(w, [](numbrax::Settings &s) { s.GoByCols = true; });
    w.game().StartGame(board("1 2 3 4\n2 3 4 5\n6 7 8 9\n1 2 3 4"));
    w.game().PointerMove(0, 0);
    QTest::keyClick(w.sgr, Qt::Key_Right);
    QTest::keyClick(w.sgr, Qt::Key_Down);
    QCOMPARE(w.sgr->markedCell(), QPoint(1, 1));
    QTest::keyClick(w.sgr, Qt::Key_Enter, Qt::KeypadModifier); // takes the 3
    QCOMPARE(w.lblYou->text(), QStringLiteral("3"));
    // The computer answered in row 1; the player now moves along its column only.
    const QPoint answered = w.sgr->markedCell();
    QCOMPARE(answered.y(), 1);
    QTest::keyClick(w.sgr, Qt::Key_Right);
    QCOMPARE(w.sgr->markedCell(), answered);
    QTest::keyClick(w.sgr, Qt::Key_Down);
    QCOMPARE(w.sgr->markedCell(), QPoint(answered.x(), 2));
}

void tst_f_Numbrax::commandKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Ctrl+N") << QKeyCombination(Qt::ControlModifier, Qt::Key_N);
    QTest::newRow("F2") << QKeyCombination(Qt::Key_F2);
}

void tst_f_Numbrax::commandKeys()
{
    QFETCH(QKeyCombination, key);
    TfNumbrax &w = *window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.sgr, key.key(), key.keyboardModifiers());
    QVERIFY(w.game().GameActive());
    QVERIFY(w.game().CellValue(9, 9) >= 1);

    // F1: the rules, here missing beside the test program.
    QTest::keyClick(w.sgr, Qt::Key_F1);
    QCOMPARE(boxes->messages.size(), 1);
    QVERIFY(boxes->messages.first().startsWith(QStringLiteral("Не найден файл описания")));
}

void tst_f_Numbrax::accessLettersOnlyWithAlt()
{
    TfNumbrax &w = *window;
    // Every entry has one access letter, different from the others of its menu.
    for (const QMenu *menu : {w.File1, w.Strength1, w.Help1}) {
        QSet<QChar> letters;
        int entries = 0;
        for (const QAction *a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            ++entries;
            const qsizetype at = a->text().indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0 && a->text().count(QLatin1Char('&')) == 1, qPrintable(a->text()));
            letters << a->text().at(at + 1).toLower();
        }
        QCOMPARE(letters.size(), entries);
    }

    // At rest the menu bar looks as plain captions do; Alt shows the letters.
    QMenuBar reference;
    reference.setFont(w.menuBar()->font());
    reference.addMenu(QStringLiteral("Игра"));
    reference.addMenu(QStringLiteral("Помощь"));
    reference.resize(w.menuBar()->size());
    auto pixels = [](QWidget *widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage plainBar = pixels(&reference);
    QCOMPARE(pixels(w.menuBar()), plainBar);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyPress(w.sgr, Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(w.accessKeysShown());
    QVERIFY(pixels(w.menuBar()) != plainBar);
    QTest::keyRelease(w.sgr, Qt::Key_Alt);
    QTRY_VERIFY(!w.accessKeysShown() || w.menuBar()->hasFocus());
    w.sgr->setFocus();
    QTRY_VERIFY(!w.accessKeysShown());
    QCOMPARE(pixels(w.menuBar()), plainBar);
}

void tst_f_Numbrax::boardIsAnAccessibleTable()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("7 0 . 1\n-2 3 4 5\n6 7 8 9\n1 2 3 4"));
    QAccessibleInterface *table = accessible(w.sgr);
    QCOMPARE(table->role(), QAccessible::Table);
    QVERIFY(table->tableInterface());
    QCOMPARE(table->tableInterface()->rowCount(), 4);
    QCOMPARE(table->tableInterface()->columnCount(), 4);
    QCOMPARE(table->childCount(), 16);
    const QStringList names{"7", TBoardAccessible::takenName(), TBoardAccessible::blankName(), "1", "-2"};
    for (int i = 0; i < names.size(); ++i) {
        QAccessibleInterface *cell = table->child(i);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), names.at(i));
        QCOMPARE(table->indexOfChild(cell), i);
        QCOMPARE(cell->tableCellInterface()->rowIndex(), i / 4);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), i % 4);
    }
    const QRect on = table->tableInterface()->cellAt(2, 1)->rect();
    QCOMPARE(on, QRect(w.sgr->mapToGlobal(w.sgr->cellRect(1, 2).topLeft()), w.sgr->cellRect(1, 2).size()));
    QCOMPARE(table->childAt(on.center().x(), on.center().y()), table->tableInterface()->cellAt(2, 1));

    // The current cell is the focused one.
    w.activateWindow();
    w.sgr->setFocus();
    QTRY_VERIFY(w.sgr->hasFocus());
    QTest::keyClick(w.sgr, Qt::Key_Down);
    QTest::keyClick(w.sgr, Qt::Key_Right);
    QAccessibleInterface *focused = table->focusChild();
    QVERIFY(focused);
    QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("3"));
    QVERIFY(focused->state().focused);
    QVERIFY(!table->child(0)->state().focused);

    // The table follows the board's size; cells beyond a smaller board are gone.
    setBoardSize(w, 6);
    QCOMPARE(table->tableInterface()->rowCount(), 6);
    QAccessibleInterface *far = table->tableInterface()->cellAt(5, 5);
    QVERIFY(far && far->isValid());
    setBoardSize(w, 4);
    QCOMPARE(table->childCount(), 16);
    QVERIFY(!far->isValid());
    QVERIFY(!table->tableInterface()->cellAt(5, 5));
}

void tst_f_Numbrax::accessibleCellActionAndScores()
{
    TfNumbrax &w = *window;
    QCOMPARE(accessible(w.lblYou)->text(QAccessible::Name), QStringLiteral("Вы: 0"));
    QAccessibleTableInterface *table = accessible(w.sgr)->tableInterface();
    // No game: nothing to press.
    QVERIFY(table->cellAt(0, 0)->actionInterface()->actionNames().isEmpty());

    w.game().StartGame(board("1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5"));
    QAccessibleActionInterface *first = table->cellAt(0, 0)->actionInterface();
    QCOMPARE(first->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    first->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(w.lblYou->text(), QStringLiteral("1"));
    QCOMPARE(w.lblComp->text(), QStringLiteral("19"));
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), TBoardAccessible::takenName());
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 3));
    // The scores and last picks read with their headings; the computer picked three times in
    // a row, and its label tells the last of them.
    QCOMPARE(accessible(w.lblYou)->text(QAccessible::Name), QStringLiteral("Вы: 1"));
    QCOMPARE(accessible(w.lblComp)->text(QAccessible::Name), QStringLiteral("Компьютер: 19"));
    QCOMPARE(accessible(w.lblYouLast)->text(QAccessible::Name), QStringLiteral("Ваш последний ход: 1"));
    QCOMPARE(accessible(w.lblCompLast)->text(QAccessible::Name), QStringLiteral("Последний ход компьютера: 2"));

    // A cell off the player's row is refused and the current cell stays; one on it is taken.
    boxes->messages.clear();
    table->cellAt(1, 3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(w.lblYou->text(), QStringLiteral("1"));
    QCOMPARE(QPoint(w.game().CurCol(), w.game().CurRow()), QPoint(0, 3));
    QVERIFY(boxes->messages.isEmpty());
    table->cellAt(3, 3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(w.lblYou->text(), QStringLiteral("6"));
    QCOMPARE(boxes->messages, QStringList{"Конец игры. Очень жаль, но Вы проиграли."});
}

void tst_f_Numbrax::optionsReadWithTheirLabels()
{
    QStringList read;
    QTimer::singleShot(0, window.get(), [&read] {
        auto *dialog = qobject_cast<TfNumbraxOptions *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        for (QObject *control : std::initializer_list<QObject *>{dialog->edFldSize, dialog->edMaxNum, dialog->cbNegativNum}) {
            QAccessibleInterface *iface = accessible(control);
            read << QStringLiteral("%1 %2 %3").arg(iface->role()).arg(iface->text(QAccessible::Name),
                                                                       iface->text(QAccessible::Value));
        }
        QCOMPARE(accessible(dialog->edMaxNum)->valueInterface()->maximumValue().toInt(), 999999);
        QTest::mouseClick(dialog->kavoBitBtn2, Qt::LeftButton);
    });
    window->a_gameoptions->trigger();
    QCOMPARE(read, (QStringList{QStringLiteral("%1 Размер поля 10").arg(QAccessible::SpinBox),
                                QStringLiteral("%1 Числовой предел 10").arg(QAccessible::SpinBox),
                                QStringLiteral("%1 отрицательные числа ").arg(QAccessible::CheckBox)}));
}

void tst_f_Numbrax::pointerTracking()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 2 3 4\n2 3 4 5\n6 7 8 9\n1 2 3 4"));
    // The first pick: the marked cell follows the pointer both ways.
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 3, 2));
    QCOMPARE(w.sgr->markedCell(), QPoint(3, 2));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 1, 3));
    QCOMPARE(w.sgr->markedCell(), QPoint(1, 3));
    // Over the margin beyond the last column nothing changes.
    const QRect last = w.sgr->cellRect(3, 0);
    QTest::mouseMove(w.sgr, QPoint(last.right() + 10, last.center().y()));
    QCOMPARE(w.sgr->markedCell(), QPoint(1, 3));

    QTest::mouseClick(w.sgr, Qt::LeftButton, {}, cellCentre(w.sgr, 1, 3)); // takes the 2 in row 3
    QCOMPARE(w.lblYou->text(), QStringLiteral("2"));
    // The computer answered in column 1 and moved the marked cell there.
    const QPoint answered(w.game().CurCol(), w.game().CurRow());
    QCOMPARE(answered.x(), 1);
    QCOMPARE(w.sgr->markedCell(), answered);
    // Now only the column under the pointer counts; the row stays the computer's.
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 3, 0));
    QCOMPARE(w.sgr->markedCell(), QPoint(3, answered.y()));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 0, 2));
    QCOMPARE(w.sgr->markedCell(), QPoint(0, answered.y()));
}

void tst_f_Numbrax::pointerMoveRepaintsTwoCells()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 2 3 4\n2 3 4 5\n6 7 8 9\n1 2 3 4"));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 0, 0));
    QCoreApplication::processEvents();
    PaintCounter counter(w.sgr);
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 2, 3));
    QTRY_VERIFY(!counter.cells.isEmpty());
    QCoreApplication::processEvents();
    std::sort(counter.cells.begin(), counter.cells.end(),
              [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
    QCOMPARE(counter.cells, (QList<QPoint>{QPoint(0, 0), QPoint(2, 3)}));
}

void tst_f_Numbrax::wholeGameThroughTheWindow()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 0 0 0\n9 0 0 0\n8 0 0 0\n2 0 0 5"));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 0, 0));
    QTest::mouseClick(w.sgr, Qt::LeftButton, {}, cellCentre(w.sgr, 0, 0));
    QCOMPARE(boxes->messages,
             (QStringList{"Вам некуда ходить. Ход комьютера.", "Вам некуда ходить. Ход комьютера."}));
    QCOMPARE(w.lblYou->text(), QStringLiteral("1"));
    QCOMPARE(w.lblComp->text(), QStringLiteral("19"));
    QCOMPARE(w.lblCompLast->text(), QStringLiteral("2"));
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 3));

    boxes->messages.clear();
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 3, 1)); // the row stays 3
    QTest::mouseClick(w.sgr, Qt::LeftButton, {}, cellCentre(w.sgr, 3, 1));
    QCOMPARE(boxes->messages, QStringList{"Конец игры. Очень жаль, но Вы проиграли."});
    QCOMPARE(w.Panel1->caption(), QStringLiteral("Очень жаль, но Вы проиграли."));
    QCOMPARE(w.lblYou->text(), QStringLiteral("6"));
    QCOMPARE(w.lblYouLast->text(), QStringLiteral("5"));
    QCOMPARE(w.sgr->grab().toImage().pixel(w.sgr->cellRect(3, 3).center()), kGrey);

    // The final position stays; the board is inert until the next new game.
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 1, 1));
    QCOMPARE(w.sgr->markedCell(), QPoint(3, 3));
}

void tst_f_Numbrax::anyButtonPicks()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("0 0 0 0\n0 0 0 0\n0 0 4 0\n0 0 0 3"));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 2, 2));
    // The press's own position plays no part: the marked cell is taken.
    QTest::mouseClick(w.sgr, Qt::RightButton, {}, cellCentre(w.sgr, 0, 0));
    QCOMPARE(w.lblYou->text(), QStringLiteral("4"));
    QCOMPARE(boxes->messages, QStringList{"Конец игры. Поздравляю! Вы выиграли."});
}

void tst_f_Numbrax::newGameResetsTheView()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 0"));
    QTest::mouseMove(w.sgr, cellCentre(w.sgr, 0, 0));
    QTest::mouseClick(w.sgr, Qt::LeftButton, {}, cellCentre(w.sgr, 0, 0));
    QVERIFY(!w.Panel1->caption().isEmpty());

    w.a_newgame->trigger();
    QVERIFY(boxes->confirmations.isEmpty()); // no question
    QCOMPARE(w.Panel1->caption(), QString());
    for (QLabel *label : {w.lblYou, w.lblComp, w.lblYouLast, w.lblCompLast})
        QCOMPARE(label->text(), QStringLiteral("0"));
    QCOMPARE(w.sgr->colCount(), 4);
    const QImage image = w.sgr->grab().toImage();
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            QVERIFY(w.game().CellValue(col, row) >= 1);
            QCOMPARE(image.pixel(w.sgr->cellRect(col, row).bottomRight() - QPoint(1, 1)), kWhite);
        }
}

void tst_f_Numbrax::escapeMinimises()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 2 3 4\n2 3 4 5\n6 7 8 9\n1 2 3 4"));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.sgr, Qt::Key_Escape);
    QTRY_VERIFY(w.windowState() & Qt::WindowMinimized);
    w.showNormal();
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
    QVERIFY(w.game().GameActive());
    QCOMPARE(w.game().CellValue(3, 3), 4);
}

void tst_f_Numbrax::exitCloses()
{
    TfNumbrax &w = *window;
    w.a_exit->trigger();
    QVERIFY(!w.isVisible());
    QVERIFY(boxes->messages.isEmpty());
    QVERIFY(boxes->confirmations.isEmpty());
}

void tst_f_Numbrax::linkCommands_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("target");
    QTest::newRow("web page") << "N4" << "https://korvessa.example/numbrax/";
    QTest::newRow("puzzle solver entry") << "N5" << "https://korvessa.example/numbrax/";
    QTest::newRow("mail") << "letterlink1" << "mailto:support@korvessa.example?subject=numbrax";
}

void tst_f_Numbrax::linkCommands()
{
    QFETCH(QString, entry);
    QFETCH(QString, target);
    RecordingDesktop &launcher = *boxes;
    window->findChild<QAction *>(entry)->trigger();
    QCOMPARE(launcher.detached, QList<QStringList>{(QStringList{"xdg-open", target})});
    QVERIFY(launcher.waited.isEmpty()); // the game stays usable while the program runs
    QVERIFY(boxes->messages.isEmpty());
}

void tst_f_Numbrax::rulesText()
{
    // The rules text is named after the running program: here the test program itself.
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString rules = program.dir().filePath(program.completeBaseName() + ".txt");
    QVERIFY(!QFileInfo::exists(rules));
    Cleanup cleanup{rules};
    RecordingDesktop &launcher = *boxes;
    const QString missing = QStringLiteral("Не найден файл описания \"%1\".").arg(rules);

    window->Howtoplay1->trigger();
    QCOMPARE(boxes->messages, QStringList{missing});
    QVERIFY(launcher.detached.isEmpty());

    // A folder of that name is not the file.
    QVERIFY(QDir().mkdir(rules));
    window->Howtoplay1->trigger();
    QCOMPARE(boxes->messages, (QStringList{missing, missing}));
    QVERIFY(launcher.detached.isEmpty());
    QVERIFY(QDir().rmdir(rules));

    QFile file(rules);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    window->Howtoplay1->trigger();
    QCOMPARE(launcher.detached, QList<QStringList>{(QStringList{"xdg-open", rules})});
    QCOMPARE(boxes->messages.size(), 2);
}

void tst_f_Numbrax::readmeText()
{
    // The build puts readme.txt beside every program of ours, this test included.
    const QString readme = QDir(QCoreApplication::applicationDirPath()).filePath("readme.txt");
    QVERIFY(QFileInfo(readme).isFile());
    RecordingDesktop &launcher = *boxes;
    window->Readmetxt1->trigger();
    QCOMPARE(launcher.detached, QList<QStringList>{(QStringList{"xdg-open", readme})});
    QVERIFY(boxes->messages.isEmpty());
}

void tst_f_Numbrax::aboutCommand()
{
    QString shown;
    QTimer::singleShot(0, window.get(), [&shown] {
        if (auto *box = qobject_cast<TAboutBox *>(QApplication::activeModalWidget())) {
            shown = box->windowTitle();
            QTest::mouseClick(box->kavoBitBtn1, Qt::LeftButton);
        }
    });
    window->a_about->trigger();
    QCOMPARE(shown, QStringLiteral("Numbrax"));
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_f_Numbrax::strengthEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("strength");
    QTest::newRow("Новичок") << "a_novice" << int(numbrax::Strength::Novice);
    QTest::newRow("Обычный") << "a_normal" << int(numbrax::Strength::Normal);
    QTest::newRow("Сильный") << "a_strong" << int(numbrax::Strength::Strong);
    QTest::newRow("Мастер") << "a_master" << int(numbrax::Strength::Master);
}

void tst_f_Numbrax::strengthEntries()
{
    QFETCH(QString, entry);
    QFETCH(int, strength);
    TfNumbrax &w = *window;
    QVERIFY(w.a_normal->isChecked());
    auto *chosen = w.findChild<QAction *>(entry);
    chosen->trigger();
    for (QAction *a : {w.a_novice, w.a_normal, w.a_strong, w.a_master})
        QCOMPARE(a->isChecked(), a == chosen);
    QCOMPARE(w.game().strength(), numbrax::Strength(strength));
}

void tst_f_Numbrax::hint_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("menu entry, then the pointer moves") << false;
    QTest::newRow("H, then an arrow key moves") << true;
}

void tst_f_Numbrax::hint()
{
    QFETCH(bool, byKey);
    TfNumbrax &w = *window;
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(w.devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto ask = [&] { byKey ? QTest::keyClick(w.sgr, Qt::Key_H) : w.a_hint->trigger(); };
    ask(); // no game: nothing to hint, a beep
    QCOMPARE(boxes->beeps, QList<unsigned>{0});

    // Taking the 9 wins by 9, the 1 by 1.
    w.game().StartGame(board("0 0 0 0\n0 9 0 0\n0 0 0 0\n0 0 1 0"));
    pointAt(w, {3, 0});
    ask();
    // The hinted cell becomes the current one and reads with the hint's word; nothing is taken.
    QCOMPARE(w.sgr->markedCell(), QPoint(1, 1));
    QCOMPARE(accessible(w.sgr)->focusChild()->text(QAccessible::Name), "9, " + TBoardAccessible::hintWord());
    QCOMPARE(w.game().CellValue(1, 1), 9);
    // Framed in blue inside the red frame, in whole device pixels: along the cell's right edge.
    const QRect cell = w.sgr->cellRect(1, 1);
    auto edge = [&](int fromRight, int width) {
        const QImage image = w.sgr->grab().toImage();
        const QRect strip(cell.right() - fromRight, cell.top() + 3, width, cell.height() - 6);
        return RatioPixels::colours(image, RatioPixels::deviceRect(strip, image.devicePixelRatio()));
    };
    QCOMPARE(edge(0, 1), QSet<QRgb>{kRed});
    QCOMPARE(edge(2, 2), QSet<QRgb>{kHintBlue});
    QCOMPARE(edge(5, 3), QSet<QRgb>{kWhite});

    // Moving the current cell takes the hint away.
    byKey ? QTest::keyClick(w.sgr, Qt::Key_Left) : pointAt(w, {0, 2});
    QCOMPARE(edge(2, 2), QSet<QRgb>{kWhite});
    QCOMPARE(accessible(w.sgr)->tableInterface()->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("9"));
}

void tst_f_Numbrax::takeBack_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Ctrl+Z") << true;
    QTest::newRow("menu entry") << false;
}

void tst_f_Numbrax::takeBack()
{
    QFETCH(bool, byKey);
    TfNumbrax &w = *window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.game().StartGame(DealtBoard(5, 10, false, false, 3));
    QVERIFY(!w.a_undo->isEnabled());
    auto labels = [&w] { return QStringList{w.lblYou->text(), w.lblComp->text(), w.lblYouLast->text(), w.lblCompLast->text()}; };

    // A whole game by the keys, the player taking each hint.
    QList<std::pair<GameState, QStringList>> before;
    while (w.game().GameActive()) {
        QTest::keyClick(w.sgr, Qt::Key_H);
        before.append({GameState::of(w.game()), labels()});
        QTest::keyClick(w.sgr, Qt::Key_Return);
    }
    QVERIFY(!w.Panel1->caption().isEmpty());

    // Taken back pick by pick to the start, the finished game going on.
    while (!before.isEmpty()) {
        QVERIFY(w.a_undo->isEnabled());
        byKey ? QTest::keyClick(w.sgr, Qt::Key_Z, Qt::ControlModifier) : w.a_undo->trigger();
        const auto [state, shown] = before.takeLast();
        COMPARE_STATES(GameState::of(w.game()), state);
        QCOMPARE(labels(), shown);
        QCOMPARE(w.sgr->markedCell(), QPoint(state.curCol, state.curRow));
        QCOMPARE(w.Panel1->caption(), QString());
    }
    QVERIFY(!w.a_undo->isEnabled());
}

void tst_f_Numbrax::slowThinkingKeepsTheWindowPainting()
{
    TfNumbrax &w = *window;
    // The player takes 1, the computer 2; the player 4, the computer 3; the player 6: over.
    w.game().StartGame(board("1 0 0 0\n2 0 4 0\n0 0 0 0\n0 6 3 0"));
    pickWithThePointer(w, {0, 0});
    QVERIFY(w.a_undo->isEnabled());
    QCoreApplication::processEvents();
    PaintCounter painted(w.sgr);
    bool queued = false;
    bool busy = false;
    bool withheld = false;
    std::int64_t scoreWhenDone = -1;
    HeldThinking held(w, [&] {
        if (!std::exchange(queued, true)) {
            busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            withheld = !w.a_undo->isEnabled()
                && accessible(w.sgr)->tableInterface()->cellAt(3, 1)->actionInterface()->actionNames().isEmpty();
            queueClick(w, {1, 3});
        }
        scoreWhenDone = w.game().PlayerScore();
        return painted.cells.contains(QPoint(2, 1)); // the player's pick, painted meanwhile
    });
    pickWithThePointer(w, {2, 1});
    QVERIFY(held.letGo);
    QVERIFY(busy);
    QVERIFY(withheld);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(w.sgr->markedCell(), QPoint(2, 3));
    // The press made meanwhile waited for the pick, and takes the 6 after it.
    QCOMPARE(scoreWhenDone, 5);
    QTRY_COMPARE(w.game().PlayerScore(), 11);
}

void tst_f_Numbrax::closeWaitsForThePick()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 0 0 0\n2 0 4 0\n0 0 0 0\n0 6 3 0"));
    bool shown = false;
    HeldThinking held(w, [&] {
        w.close();
        shown = w.isVisible();
        return true;
    });
    pickWithThePointer(w, {0, 0});
    QVERIFY(held.letGo);
    QVERIFY(shown);
    QCOMPARE(w.game().CompScore(), 2);
    QVERIFY(!w.isVisible());
}

void tst_f_Numbrax::quickThinkingRunsNoLoop()
{
    TfNumbrax &w = *window;
    bool looped = false;
    QTimer::singleShot(0, &w, [&looped] { looped = true; });
    QThread *ranOn = nullptr;
    QElapsedTimer clock;
    clock.start();
    w.thinkAside([&ranOn] { ranOn = QThread::currentThread(); });
    QVERIFY(ranOn && ranOn != QThread::currentThread());
    // A machine too busy to finish the job in time runs the loop, as it should then.
    QVERIFY(!looped || clock.elapsed() >= TfNumbrax::kQuickThinkMs);
}

QTEST_MAIN(tst_f_Numbrax)
#include "tst_f_Numbrax.moc"
