// SPDX-License-Identifier: MIT
#include "f_Numbrax.h"

#include "about.h"
#include "BoardText.h"
#include "DrawGrid.h"
#include "KavoBtns.h"
#include "KvShell.h"
#include "Panel.h"
#include "RecordingDesktop.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
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

Board board(const char *text)
{
    const std::optional<Board> b = numbrax::BoardFromText(text);
    if (!b)
        qFatal("malformed board in a test");
    return *b;
}

QPoint cellCentre(const toolkit::TDrawGrid *grid, int col, int row)
{
    return grid->cellRect(col, row).center();
}

QStringList captions(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
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

} // namespace

class tst_f_Numbrax : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
    void markedFrameOnlyWhenFocused();
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
    QVERIFY(!w.lblYouLast->isVisible());
    QVERIFY(!w.lblCompLast->isVisible());
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
    QCOMPARE(w.File1->title(), QStringLiteral("Игра"));
    QCOMPARE(captions(w.File1),
             (QStringList{"Новая игра", "Настройки...", "Top list...", "-", "Выход"}));
    QVERIFY(!w.a_toplist->isVisible());
    QVERIFY(!w.a_toplist->isEnabled());
    QCOMPARE(w.Help1->title(), QStringLiteral("Помощь"));
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
    QTest::newRow("truncated, not rounded") << QSize(154, 104) << 50 << QSize(1, 1);
    QTest::newRow("never below a pixel") << QSize(60, 40) << 50 << QSize(1, 1);
}

void tst_f_Numbrax::fitCells()
{
    QFETCH(QSize, boardArea);
    QFETCH(int, boardSize);
    QFETCH(QSize, cell);
    TfNumbrax &w = *window;
    w.game().SetBoardSize(boardSize);
    const QSize frame = w.size() - w.sgr->size();
    w.resize(boardArea + frame);
    QTRY_COMPARE(w.sgr->size(), boardArea);
    QCOMPARE(w.sgr->defaultColWidth(), cell.width());
    QCOMPARE(w.sgr->defaultRowHeight(), cell.height());
}

void tst_f_Numbrax::boardSizeChangeRefits()
{
    TfNumbrax &w = *window;
    w.game().SetBoardSize(4);
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

    // A longer score grows to the left.
    w.game().SetCompScore(1234567890123LL);
    QCOMPARE(w.lblComp->text(), QStringLiteral("1234567890123"));
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

void tst_f_Numbrax::markedFrameOnlyWhenFocused()
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

    w.sgr->clearFocus();
    QTRY_VERIFY(!w.sgr->hasFocus());
    image = w.sgr->grab().toImage();
    QCOMPARE(image.pixel(marked.bottomRight()), kWhite);
    QCOMPARE(image.pixel(marked.topRight()), kWhite);
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

QTEST_MAIN(tst_f_Numbrax)
#include "tst_f_Numbrax.moc"
