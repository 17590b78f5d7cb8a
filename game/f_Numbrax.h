// SPDX-License-Identifier: MIT
#pragma once

#include "NumbraxGame.h"

#include <QFont>
#include <QMainWindow>

#include <functional>
#include <optional>
#include <tuple>

class QCloseEvent;
class QLabel;
class QMenu;
class QKeyEvent;
class QProxyStyle;

namespace toolkit {
class TDrawGrid;
class TPanel;
} // namespace toolkit

// The main window: the score panel, the board and the menu, a view over the game's rules.
class TfNumbrax : public QMainWindow, private numbrax::TGameListener
{
    Q_OBJECT

public:
    explicit TfNumbrax(QWidget *parent = nullptr);
    ~TfNumbrax() override;

    numbrax::TNumbraxGame &game() { return FGame; }
    const numbrax::TNumbraxGame &game() const { return FGame; }

    // Components.
    toolkit::TPanel *Panel1 = nullptr;
    toolkit::TDrawGrid *sgr = nullptr;
    QMenu *File1 = nullptr;
    QMenu *Strength1 = nullptr;
    QMenu *Help1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblYou = nullptr;
    QLabel *lblYouLast = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblComp = nullptr;
    QLabel *lblCompLast = nullptr;

    // Commands and menu entries.
    QAction *a_newgame = nullptr;
    QAction *a_toplist = nullptr;
    QAction *a_gameoptions = nullptr;
    QAction *a_exit = nullptr;
    QAction *a_about = nullptr;
    QAction *a_minimize = nullptr;
    QAction *Howtoplay1 = nullptr;
    QAction *Readmetxt1 = nullptr;
    QAction *N4 = nullptr;
    QAction *letterlink1 = nullptr;
    QAction *N5 = nullptr;
    QAction *a_hint = nullptr;
    QAction *a_undo = nullptr;
    // The computer's strengths, one checked at a time.
    QAction *a_novice = nullptr;
    QAction *a_normal = nullptr;
    QAction *a_strong = nullptr;
    QAction *a_master = nullptr;

    // Sets the cells' size from the board widget's size and the board size, and the digits'
    // size from the cells' so that the widest number the board can hold fits whole. Makes the
    // window large enough to read the numbers (within the screen) and to keep the score panel's
    // texts apart; it never shrinks the window.
    void FitCells();
    // The font the numbers are drawn with, as FitCells made it.
    const QFont &cellFont() const { return FCellFont; }
    // Whether the menus show their access letters (while Alt is held or the menus are worked
    // from the keyboard).
    bool accessKeysShown() const;

    // The cell the last hint marked, while it stands: it is then also the current cell.
    std::optional<numbrax::Cell> hint() const { return FHint; }
    // Takes the current cell for the player, as a press on the board does.
    void pickCurrentCell();

    // The think runner the window gives its game: runs the job on a thread of its own and
    // returns when it has finished. A job done within kQuickThinkMs returns as if run in the
    // call; a longer one shows the busy cursor and keeps the window painting meanwhile, while
    // the player's presses and keys wait until it is done.
    void thinkAside(const std::function<void()> &job);
    static constexpr int kQuickThinkMs = 100;
    // While a job runs the game must not change: commands that would change it are refused.
    bool thinking() const { return FThinking > 0; }

public Q_SLOTS:
    void a_newgameExecute();
    void a_toplistExecute() {}
    void a_gameoptionsExecute();
    void a_exitExecute();
    void a_aboutExecute();
    void a_minimizeExecute();
    void Howtoplay1Click();
    void Readmetxt1Click();
    void N4Click();
    void letterlink1Click();
    void N5Click();
    void a_hintExecute();
    void a_undoExecute();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormResize();
    void createMenu();
    void createStrengthMenu();
    void createScorePanel();
    void layoutScorePanel();
    void sgrDrawCell(QPainter &painter, int col, int row, const QRect &rect, bool markedFocused);
    void sgrMouseDown();
    void sgrMouseMove(QPoint pos);
    bool sgrKeyDown(const QKeyEvent &event);
    void moveCurrentCell(int dCol, int dRow);
    void followGameState();
    void updateMinimumSize();
    // The client area at which the numbers read and the score panel's texts stand apart.
    QSize smallestClient();
    QString widestNumber() const;
    QFont fittedFont(int rowHeight, int colWidth, const QString &widest) const;
    // The pixel size of the window font whose character cell (ascent plus descent) fills a row
    // of rowHeight pixels, the cell being cellPerPixel times the size.
    int heightFontPixels(int rowHeight, double cellPerPixel) const;
    // The height of the window font's character cell per pixel of its size.
    double cellPerPixel() const;
    void setAccessKeysShown(bool shown);
    // Beeps and returns true while the computer thinks: the game cannot change then.
    bool refusedWhileThinking();
    // Takes back the hint's frame and its word.
    void clearHint();
    // Clears the hint when the current cell is no longer the hinted one.
    void keepHintOnCurrentCell();
    // Enables the commands that depend on the game's state.
    void updateCommands();
    // The end of a command that may have thought: the commands follow the game, and a close
    // asked for meanwhile takes place.
    void commandDone();

    // The game's events, turned into what the player sees.
    void GameStarted() override;
    void Picked(numbrax::Side side, int col, int row, std::int32_t value) override;
    void MustPass(numbrax::Side side) override;
    void GameOver(numbrax::GameResult result, std::int64_t playerScore, std::int64_t compScore) override;
    void BoardChanged() override;
    void ScoresChanged() override;
    void TookBack() override;

    numbrax::TNumbraxGame FGame;
    // The cells' font, built by FitCells whenever what it depends on changes, never while
    // painting: the row height, the column width and the widest number.
    QFont FCellFont;
    int FFontRowHeight = 0;
    int FFontColWidth = 0;
    QString FFontWidest;
    bool FFitting = false;
    QSize FSmallestClient;
    std::tuple<int, std::int32_t, bool, QString> FSmallestFor;
    QProxyStyle *FMenuStyle = nullptr;
    std::optional<numbrax::Cell> FHint;
    int FThinking = 0; // jobs under way, nested ones included
    bool FCloseWhenThought = false;
};
