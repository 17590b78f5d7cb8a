// SPDX-License-Identifier: MIT
#include "f_Numbrax.h"

#include "AppIcon.h"
#include "about.h"
#include "Application.h"
#include "DrawGrid.h"
#include "KavoSpin.h"
#include "KvChkBox.h"
#include "KvShell.h"
#include "Maker.h"
#include "Desktop.h"
#include "Panel.h"
#include "f_Setup.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The window's layout at its design size, in pixels.
constexpr int kClientWidth = 332;
constexpr int kClientHeight = 251;
constexpr int kPanelHeight = 41;
// The score panel's right group keeps these distances from the panel's right edge. The
// computer's heading and score both end where the score's design-time box ends: the desktop
// font is wider than the classic dialog font, and a heading placed by its left edge would run
// into the panel's border.
constexpr int kCompLastFromRight = kClientWidth - 224;
constexpr int kCompRightMargin = kClientWidth - (286 + 36);

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);

QString number(std::int64_t value)
{
    return QString::number(qint64(value));
}

// Opens a text that lies beside the program, or says which file is missing. The help
// commands never wait for the viewer and ignore what the desktop reports.
void openText(const QString &path)
{
    if (FileFound(path))
        ShellOpen(path);
    else
        toolkit::ShowMessage(QStringLiteral("Не найден файл описания \"%1\".").arg(QDir::toNativeSeparators(path)));
}


} // namespace

TfNumbrax::TfNumbrax(QWidget *parent)
    : QMainWindow(parent)
    , FGame(this)
{
    setWindowTitle(QStringLiteral("Numbrax (Korvessa)"));
    setWindowIcon(ApplicationIcon());

    auto *client = new QWidget(this);
    client->setFont(toolkit::desktopFont());
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new toolkit::TPanel(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setBevelOuter(toolkit::bvLowered);
    Panel1->setFixedHeight(kPanelHeight);
    Panel1->installEventFilter(this);
    layout->addWidget(Panel1);
    createScorePanel();

    sgr = new toolkit::TDrawGrid(client);
    sgr->setObjectName(QStringLiteral("sgr"));
    sgr->setColCount(FGame.BoardSize());
    sgr->setRowCount(FGame.BoardSize());
    sgr->setDefaultColWidth(32);
    sgr->setDefaultRowHeight(32);
    sgr->setDrawCellHandler([this](QPainter &p, int col, int row, const QRect &rect, bool markedFocused) {
        sgrDrawCell(p, col, row, rect, markedFocused);
    });
    connect(sgr, &toolkit::TDrawGrid::mouseMoved, this, [this](QPoint pos) { sgrMouseMove(pos); });
    connect(sgr, &toolkit::TDrawGrid::mousePressed, this, [this] { sgrMouseDown(); });
    connect(sgr, &toolkit::TDrawGrid::resized, this, &TfNumbrax::FormResize);
    layout->addWidget(sgr, 1);

    setCentralWidget(client);
    createMenu();
    FormCreate();

    // The design size is the client area's; the menu bar comes on top of it.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    toolkit::centreOnScreen(*this);
    sgr->setFocus();
}

TfNumbrax::~TfNumbrax()
{
    // The game outlives nothing that listens to it.
    FGame.setListener(nullptr);
}

void TfNumbrax::createMenu()
{
    auto action = [this](const QString &caption, const char *name, auto slot) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    a_newgame = action(QStringLiteral("Новая игра"), "a_newgame", &TfNumbrax::a_newgameExecute);
    a_toplist = action(QStringLiteral("Top list..."), "a_toplist", &TfNumbrax::a_toplistExecute);
    a_toplist->setEnabled(false);
    a_toplist->setVisible(false);
    a_gameoptions = action(QStringLiteral("Настройки..."), "a_gameoptions", &TfNumbrax::a_gameoptionsExecute);
    a_exit = action(QStringLiteral("Выход"), "a_exit", &TfNumbrax::a_exitExecute);
    a_about = action(QStringLiteral("О программе..."), "a_about", &TfNumbrax::a_aboutExecute);
    a_minimize = action(QStringLiteral("a_minimize"), "a_minimize", &TfNumbrax::a_minimizeExecute);
    a_minimize->setShortcut(QKeySequence(Qt::Key_Escape));
    a_minimize->setShortcutContext(Qt::WindowShortcut);
    addAction(a_minimize); // on no menu: reached through its shortcut only

    Howtoplay1 = action(QStringLiteral("Правила игры"), "Howtoplay1", &TfNumbrax::Howtoplay1Click);
    Readmetxt1 = action(QStringLiteral("Readme.txt"), "Readmetxt1", &TfNumbrax::Readmetxt1Click);
    N4 = action(QStringLiteral("Наш сайт: ") + QLatin1String(maker::WebCaption), "N4", &TfNumbrax::N4Click);
    letterlink1 = action(QStringLiteral("Наш e-mail: ") + QLatin1String(maker::ContactMail), "letterlink1",
                         &TfNumbrax::letterlink1Click);
    N5 = action(QStringLiteral("Буквоплёт - решатель головоломок"), "N5", &TfNumbrax::N5Click);

    File1 = menuBar()->addMenu(QStringLiteral("Игра"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(a_newgame);
    File1->addAction(a_gameoptions);
    File1->addAction(a_toplist);
    File1->addSeparator();
    File1->addAction(a_exit);

    Help1 = menuBar()->addMenu(QStringLiteral("Помощь"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help1->addAction(Howtoplay1);
    Help1->addAction(Readmetxt1);
    Help1->addSeparator();
    Help1->addAction(N4);
    Help1->addAction(letterlink1);
    Help1->addAction(N5);
    Help1->addSeparator();
    Help1->addAction(a_about);
}

void TfNumbrax::createScorePanel()
{
    auto label = [this](const char *name, const QString &text, QPoint at, bool bold) {
        auto *l = new QLabel(text, Panel1);
        l->setObjectName(QString::fromLatin1(name));
        if (bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        l->move(at);
        l->adjustSize();
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Вы:"), {8, 5}, false);
    lblYou = label("lblYou", QStringLiteral("lblYou"), {8, 20}, true);
    lblYouLast = label("lblYouLast", QStringLiteral("lblYouLast"), {40, 3}, false);
    lblYouLast->hide();
    Label3 = label("Label3", QStringLiteral("Компьютер:"), {260, 5}, false);
    lblComp = label("lblComp", QStringLiteral("lblComp"), {286, 20}, true);
    lblCompLast = label("lblCompLast", QStringLiteral("lblCompLast"), {224, 3}, false);
    lblCompLast->hide();
}

void TfNumbrax::layoutScorePanel()
{
    const int w = Panel1->width();
    Label3->move(w - kCompRightMargin - Label3->width(), Label3->y());
    lblCompLast->move(w - kCompLastFromRight, lblCompLast->y());
    // Sized to its text with its right edge fixed: a longer score grows to the left.
    lblComp->adjustSize();
    lblComp->move(w - kCompRightMargin - lblComp->width(), lblComp->y());
}

bool TfNumbrax::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        layoutScorePanel();
    return QMainWindow::eventFilter(watched, event);
}

void TfNumbrax::FormCreate()
{
    FGame.SetMaxNum(numbrax::kDefaultNumberLimit);
    for (QLabel *l : {lblComp, lblYou, lblCompLast, lblYouLast})
        l->setText(QStringLiteral("0"));
    lblYou->adjustSize();
    layoutScorePanel();
    FGame.SetGoByCols(false);
    FGame.SetNegativNum(false);
    FGame.SetUseNullCells(false);
}

void TfNumbrax::FormResize()
{
    FitCells();
}

void TfNumbrax::FitCells()
{
    const int n = FGame.BoardSize();
    // Each cell is followed by its 1-pixel grid line; 5 pixels go to the border. A cell never
    // gets smaller than a pixel, however small the window.
    const int rowHeight = std::max((sgr->height() - 5) / n - 1, 1);
    sgr->setDefaultColWidth(std::max((sgr->width() - 5) / n - 1, 1));
    if (rowHeight == sgr->defaultRowHeight() && FCellFont.pixelSize() > 0)
        return;
    sgr->setDefaultRowHeight(rowHeight);

    // The digits fill the row: the point size follows the row height, and that size is taken
    // as the height of the whole character cell (ascent plus descent).
    const int dpi = std::max(sgr->logicalDpiY(), 1);
    const int points = 72 * rowHeight / dpi;
    const double cellPixels = std::round(points * dpi / 72.0);
    QFont font = sgr->font();
    font.setPixelSize(100);
    const QFontMetricsF metrics(font);
    const double cellPerPixel = (metrics.ascent() + metrics.descent()) / 100.0;
    font.setPixelSize(std::max(int(cellPixels / cellPerPixel), 1));
    FCellFont = font;
}

void TfNumbrax::sgrDrawCell(QPainter &painter, int col, int row, const QRect &rect, bool markedFocused)
{
    const numbrax::Board &board = FGame.board();
    if (!board.contains(col, row))
        return;
    const std::string &text = board.text(col, row);
    const bool taken = text == "0";
    painter.fillRect(rect, taken ? kGrey : kWhite);

    if (!text.empty() && !taken) {
        painter.setFont(FCellFont);
        painter.setPen(kBlack);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(text));
    }
    if (markedFocused) {
        painter.setPen(kRed);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void TfNumbrax::sgrMouseMove(QPoint pos)
{
    const QPoint cell = sgr->mouseToCell(pos);
    if (FGame.PointerMove(cell.x(), cell.y()))
        sgr->setMarkedCell(FGame.CurCol(), FGame.CurRow());
}

void TfNumbrax::sgrMouseDown()
{
    FGame.Press();
}

void TfNumbrax::a_newgameExecute()
{
    FGame.NewGame();
}

void TfNumbrax::a_gameoptionsExecute()
{
    if (FGame.GameActive()) {
        if (!toolkit::Confirm(QStringLiteral("Прервать начатую игру?")))
            return;
        FGame.AbortGame();
    }

    // A fresh dialog each time, gone on every way out of this handler.
    TfNumbraxOptions dialog;
    dialog.edMaxNum->setValue(FGame.MaxNum());
    dialog.cbGoByCols->setChecked(FGame.GoByCols());
    dialog.cbNegativNum->setChecked(FGame.NegativNum());
    dialog.cbUseNullCells->setChecked(FGame.UseNullCells());
    dialog.edFldSize->setValue(FGame.BoardSize());
    if (dialog.ShowModal() != toolkit::mrOk)
        return;

    // A number still being typed when Enter presses OK has not been clamped by leaving its
    // field; the game's setters bring it into range.
    auto integerPart = [](const TkavoSpinEdit *edit) { return std::int32_t(std::trunc(edit->Value())); };
    FGame.SetMaxNum(integerPart(dialog.edMaxNum));
    FGame.SetGoByCols(dialog.cbGoByCols->Checked());
    FGame.SetNegativNum(dialog.cbNegativNum->Checked());
    FGame.SetUseNullCells(dialog.cbUseNullCells->Checked());
    FGame.SetBoardSize(integerPart(dialog.edFldSize));
    FGame.ClearBoard();
    FitCells();
}

void TfNumbrax::a_exitExecute()
{
    close();
}

void TfNumbrax::a_aboutExecute()
{
    // Running out of memory for the version reader is the one error the about box passes on;
    // shown like any error that escapes a command, it leaves the program running.
    try {
        ShowAboutBox(QString());
    } catch (const std::exception &error) {
        toolkit::ShowMessage(QString::fromLocal8Bit(error.what()));
    }
}

void TfNumbrax::a_minimizeExecute()
{
    showMinimized();
}

void TfNumbrax::Howtoplay1Click()
{
    // The rules text takes the program file's name, its extension (if any) replaced by ".txt".
    // The program's path is the resolved one, so a link to the program finds the real folder.
    const QFileInfo program(QCoreApplication::applicationFilePath());
    openText(program.dir().filePath(program.completeBaseName() + QStringLiteral(".txt")));
}

void TfNumbrax::Readmetxt1Click()
{
    openText(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("readme.txt")));
}

void TfNumbrax::N4Click()
{
    ShellOpen(QLatin1String(maker::WebPage));
}

void TfNumbrax::letterlink1Click()
{
    ShellOpen(maker::MailLink());
}

void TfNumbrax::N5Click()
{
    ShellOpen(QLatin1String(maker::WebPage));
}

void TfNumbrax::Picked(numbrax::Side side, int col, int row, std::int32_t)
{
    if (side == numbrax::Side::Computer)
        sgr->setMarkedCell(col, row);
    sgr->invalidateCell(col, row);
}

void TfNumbrax::BoardChanged()
{
    const int n = FGame.BoardSize();
    if (sgr->colCount() != n || sgr->rowCount() != n) {
        sgr->setRowCount(n);
        sgr->setColCount(n);
        FitCells();
    }
    sgr->update();
}

void TfNumbrax::ScoresChanged()
{
    lblYou->setText(number(FGame.PlayerScore()));
    lblYou->adjustSize();
    lblComp->setText(number(FGame.CompScore()));
    lblYouLast->setText(number(FGame.PlayerLast()));
    lblCompLast->setText(number(FGame.CompLast()));
    layoutScorePanel();
}

void TfNumbrax::ResultTextChanged()
{
    Panel1->setCaption(QString::fromStdString(FGame.ResultText()));
}

void TfNumbrax::Message(const std::string &text)
{
    toolkit::ShowMessage(QString::fromStdString(text));
}
