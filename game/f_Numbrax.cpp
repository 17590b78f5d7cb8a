// SPDX-License-Identifier: MIT
#include "f_Numbrax.h"

#include "BoardAccessible.h"
#include "about.h"
#include "Application.h"
#include "DrawGrid.h"
#include "KvShell.h"
#include "Maker.h"
#include "Desktop.h"
#include "Panel.h"
#include "f_Setup.h"
#include "GameTexts.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QRawFont>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// The window's layout at its design size, in pixels.
constexpr int kClientWidth = 332;
constexpr int kClientHeight = 251;
constexpr int kPanelHeight = 41;
// The score panel's right group keeps this distance from the panel's right edge. The
// computer's heading and score both end where the score's design-time box ends: the desktop
// font is wider than the classic dialog font, and a heading placed by its left edge would run
// into the panel's border.
constexpr int kCompRightMargin = kClientWidth - (286 + 36);
constexpr int kYouLeftMargin = 8;
// Between a score and its last pick, and between the panel's groups and the result text.
constexpr int kPanelGap = 8;
// Below this height of their digits' ink, in pixels, numbers are hard to read; the window grows
// (within the screen) to keep them at least this tall.
constexpr int kMinDigitHeight = 9;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
// The hint's frame: dark blue, apart from the red frame in hue and for every kind of colour
// blindness, at contrast 13.9:1 on the white of the hinted cell, 3.5:1 on the grey of taken
// cells and on the red frame beside it, and 7.7:1 on the silver grid lines.
const QColor kHintBlue(0, 0, 160);

QString number(std::int64_t value)
{
    return QString::number(qint64(value));
}

QString words(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
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


// The menus' access letters stay hidden until asked for, as desktops show them: the captions
// look exactly as they always did until Alt is held or the menus are worked from the keys.
class AccessKeyStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_UnderlineShortcut)
            return shown ? 1 : 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    bool shown = false;
};

// The number of decimal digits of a magnitude.
int digitCount(std::int64_t magnitude)
{
    int digits = 1;
    for (; magnitude >= 10; magnitude /= 10)
        ++digits;
    return digits;
}

// The widest text of this many digits (and a sign) in the font: digits need not share a width.
// Compared a digit at a time, which needs no text shaping: a start-up measures this several
// times over.
QString widestText(const QFontMetricsF &metrics, int digits, bool sign)
{
    QChar widest = u'0';
    qreal widestAdvance = -1;
    for (QChar digit = u'0'; digit <= u'9'; digit = QChar(digit.unicode() + 1)) {
        if (const qreal advance = metrics.horizontalAdvance(digit); advance > widestAdvance) {
            widestAdvance = advance;
            widest = digit;
        }
    }
    return (sign ? QStringLiteral("-") : QString()) + QString(digits, widest);
}

// A font at another pixel size, for measuring. Where the face scales, the face already
// loaded is sized: a QFont of a new size asks the desktop's font matching anew, and at start-up
// every size measured that way cost about as much as laying out the whole score panel. Both
// ways give the same metrics; a face that does not scale (a bitmap font) is measured through
// QFont.
class SizedFont
{
public:
    SizedFont(const QFont &font, int pixels)
        : FFace(QRawFont::fromFont(font))
        , FFont(font)
    {
        if (FFace.isValid())
            FFace.setPixelSize(pixels);
        FFont.setPixelSize(pixels);
    }

    // Ascent plus descent.
    qreal cellHeight() const
    {
        if (FFace.isValid())
            return FFace.ascent() + FFace.descent();
        const QFontMetricsF metrics(FFont);
        return metrics.ascent() + metrics.descent();
    }

    // The height of the text's ink as QFontMetrics::tightBoundingRect gives it: from the
    // highest to the lowest glyph pixel, the baseline counted in.
    int inkHeight(const QString &text) const
    {
        if (!FFace.isValid())
            return QFontMetrics(FFont).tightBoundingRect(text).height();
        qreal top = 0;
        qreal bottom = 0;
        for (quint32 glyph : FFace.glyphIndexesForString(text)) {
            const QRectF box = FFace.boundingRect(glyph);
            top = std::min(top, box.top());
            bottom = std::max(bottom, box.bottom());
        }
        return qRound(bottom - top);
    }

    qreal advance(const QString &text) const
    {
        if (!FFace.isValid())
            return QFontMetricsF(FFont).horizontalAdvance(text);
        qreal width = 0;
        for (QPointF step : FFace.advancesForGlyphIndexes(FFace.glyphIndexesForString(text)))
            width += step.x();
        return width;
    }

private:
    QRawFont FFace;
    QFont FFont;
};

// A frame of whole pixels along the inside of rect: sharp at any device pixel ratio, where a
// pen's line would straddle two device pixels.
void frameInside(QPainter &painter, const QRect &rect, int width, const QColor &colour)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    painter.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
}

// A job on a thread of its own. The thread starts with the object and is joined when it goes;
// a failure of the job is kept and passed on by rethrow(). When the job has finished the thread
// posts an empty call to the GUI thread, which wakes an event loop waiting for it.
class AsideJob
{
public:
    explicit AsideJob(const std::function<void()> &job)
        : FJob(job)
        , FThread([this] { run(); })
    {
    }
    ~AsideJob()
    {
        if (FThread.joinable())
            FThread.join();
    }
    AsideJob(const AsideJob &) = delete;
    AsideJob &operator=(const AsideJob &) = delete;

    bool waitFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(FMutex);
        return FFinished.wait_for(lock, timeout, [this] { return FDone; });
    }
    bool done()
    {
        const std::lock_guard lock(FMutex);
        return FDone;
    }
    void rethrow()
    {
        if (FThread.joinable())
            FThread.join();
        if (FError)
            std::rethrow_exception(FError);
    }

private:
    void run()
    {
        try {
            FJob();
        } catch (...) {
            FError = std::current_exception();
        }
        {
            const std::lock_guard lock(FMutex);
            FDone = true;
        }
        FFinished.notify_all();
        QMetaObject::invokeMethod(&FWaker, [] {}, Qt::QueuedConnection);
    }

    const std::function<void()> &FJob;
    // Gone after the thread: its destructor drops a wake-up that nothing waited for.
    QObject FWaker;
    std::mutex FMutex;
    std::condition_variable FFinished;
    bool FDone = false;
    std::exception_ptr FError;
    std::thread FThread; // last, so that it starts once everything it uses is there
};

} // namespace

TfNumbrax::TfNumbrax(QWidget *parent)
    : QMainWindow(parent)
    , FGame(this)
{
    FGame.setThinkRunner([this](const std::function<void()> &job) { thinkAside(job); });
    // The window shows the application's icon, which start-up sets once for every window:
    // setting it here too would decode the icon's pictures a second time.
    setWindowTitle(QStringLiteral("Numbrax (Korvessa)"));

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
    // The window decides whether the current cell is framed: also unfocused during a game.
    sgr->setMarkedAlwaysReported(true);
    sgr->installEventFilter(this);
    connect(sgr, &toolkit::TDrawGrid::markedCellChanged, this, [this] { TBoardAccessible::currentCellMoved(*this); });
    TBoardAccessible::install();
    sgr->setAccessibleName(QStringLiteral("Игровое поле"));
    layout->addWidget(sgr, 1);

    setCentralWidget(client);
    createMenu();
    FormCreate();

    // The design size is the client area's; the menu bar comes on top of it.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    toolkit::centreOnScreen(*this);
    sgr->setFocus();
    qApp->installEventFilter(this);
}

TfNumbrax::~TfNumbrax()
{
    qApp->removeEventFilter(this);
    // The game outlives nothing that listens to it.
    FGame.setListener(nullptr);
    // The board's accessible interface reads the game: both go before the game does.
    delete sgr;
    sgr = nullptr;
}

void TfNumbrax::createMenu()
{
    auto action = [this](const QString &caption, const char *name, auto slot) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    // "&" marks each entry's access letter; the style shows it only on demand.
    a_newgame = action(QStringLiteral("&Новая игра"), "a_newgame", &TfNumbrax::a_newgameExecute);
    a_newgame->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::Key_F2)});
    a_toplist = action(QStringLiteral("Top list..."), "a_toplist", &TfNumbrax::a_toplistExecute);
    a_toplist->setEnabled(false);
    a_toplist->setVisible(false);
    a_gameoptions = action(QStringLiteral("Н&астройки..."), "a_gameoptions", &TfNumbrax::a_gameoptionsExecute);
    a_exit = action(QStringLiteral("&Выход"), "a_exit", &TfNumbrax::a_exitExecute);
    a_about = action(QStringLiteral("&О программе..."), "a_about", &TfNumbrax::a_aboutExecute);
    a_hint = action(QStringLiteral("&Подсказка"), "a_hint", &TfNumbrax::a_hintExecute);
    a_hint->setShortcut(QKeySequence(Qt::Key_H));
    a_undo = action(QStringLiteral("&Отменить ход"), "a_undo", &TfNumbrax::a_undoExecute);
    a_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    a_undo->setEnabled(false);
    a_minimize = action(QStringLiteral("a_minimize"), "a_minimize", &TfNumbrax::a_minimizeExecute);
    a_minimize->setShortcut(QKeySequence(Qt::Key_Escape));
    a_minimize->setShortcutContext(Qt::WindowShortcut);
    addAction(a_minimize); // on no menu: reached through its shortcut only

    Howtoplay1 = action(QStringLiteral("&Правила игры"), "Howtoplay1", &TfNumbrax::Howtoplay1Click);
    Howtoplay1->setShortcut(QKeySequence(Qt::Key_F1));
    Readmetxt1 = action(QStringLiteral("&Readme.txt"), "Readmetxt1", &TfNumbrax::Readmetxt1Click);
    N4 = action(QStringLiteral("Наш &сайт: ") + QLatin1String(maker::WebCaption), "N4", &TfNumbrax::N4Click);
    letterlink1 = action(QStringLiteral("Наш &e-mail: ") + QLatin1String(maker::ContactMail), "letterlink1",
                         &TfNumbrax::letterlink1Click);
    N5 = action(QStringLiteral("&Буквоплёт - решатель головоломок"), "N5", &TfNumbrax::N5Click);
    // Their keys work wherever the window has the focus, not only while their menu is open.
    addAction(Howtoplay1);
    addAction(a_newgame);
    addAction(a_hint);
    addAction(a_undo);

    File1 = menuBar()->addMenu(QStringLiteral("&Игра"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(a_newgame);
    File1->addAction(a_undo);
    File1->addAction(a_hint);
    File1->addSeparator();
    createStrengthMenu();
    File1->addAction(a_gameoptions);
    File1->addAction(a_toplist);
    File1->addSeparator();
    File1->addAction(a_exit);

    Help1 = menuBar()->addMenu(QStringLiteral("&Помощь"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help1->addAction(Howtoplay1);
    Help1->addAction(Readmetxt1);
    Help1->addSeparator();
    Help1->addAction(N4);
    Help1->addAction(letterlink1);
    Help1->addAction(N5);
    Help1->addSeparator();
    Help1->addAction(a_about);

    // Made after the menu bar, so that the menus go first when the window's children go.
    auto *style = new AccessKeyStyle;
    style->setParent(this);
    FMenuStyle = style;
    for (QWidget *w : std::initializer_list<QWidget *>{menuBar(), File1, Strength1, Help1})
        w->setStyle(style);
    for (QMenu *menu : {File1, Strength1, Help1})
        connect(menu, &QMenu::aboutToHide, this, [this] {
            // The menu bar takes the focus back only after the menu has gone.
            QTimer::singleShot(0, this, [this] {
                if (!menuBar()->hasFocus() && !QApplication::activePopupWidget())
                    setAccessKeysShown(false);
            });
        });
}

void TfNumbrax::createStrengthMenu()
{
    Strength1 = File1->addMenu(QStringLiteral("&Сила компьютера"));
    Strength1->setObjectName(QStringLiteral("Strength1"));
    auto *group = new QActionGroup(this); // exclusive: the entries are radio entries
    auto entry = [this, group](const QString &caption, const char *name, numbrax::Strength strength) {
        auto *a = new QAction(caption, group);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setChecked(strength == FGame.strength());
        connect(a, &QAction::triggered, this, [this, strength] { FGame.SetStrength(strength); });
        Strength1->addAction(a);
        return a;
    };
    a_novice = entry(QStringLiteral("&Новичок"), "a_novice", numbrax::Strength::Novice);
    a_normal = entry(QStringLiteral("&Обычный"), "a_normal", numbrax::Strength::Normal);
    a_strong = entry(QStringLiteral("&Сильный"), "a_strong", numbrax::Strength::Strong);
    a_master = entry(QStringLiteral("&Мастер"), "a_master", numbrax::Strength::Master);
}

bool TfNumbrax::accessKeysShown() const
{
    return static_cast<const AccessKeyStyle *>(FMenuStyle)->shown;
}

void TfNumbrax::setAccessKeysShown(bool shown)
{
    auto *style = static_cast<AccessKeyStyle *>(FMenuStyle);
    if (style->shown == shown)
        return;
    style->shown = shown;
    for (QWidget *w : std::initializer_list<QWidget *>{menuBar(), File1, Strength1, Help1})
        w->update();
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
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Вы:"), {8, 5}, false);
    lblYou = label("lblYou", QStringLiteral("lblYou"), {8, 20}, true);
    // The last picks stand on the score line beside the scores, outside the middle of the
    // panel where the result text is centred.
    lblYouLast = label("lblYouLast", QStringLiteral("lblYouLast"), {40, 20}, false);
    lblYouLast->setToolTip(QStringLiteral("Ваш последний ход"));
    Label3 = label("Label3", QStringLiteral("Компьютер:"), {260, 5}, false);
    lblComp = label("lblComp", QStringLiteral("lblComp"), {286, 20}, true);
    lblCompLast = label("lblCompLast", QStringLiteral("lblCompLast"), {224, 20}, false);
    lblCompLast->setToolTip(QStringLiteral("Последний ход компьютера"));
    // The numbers are sized once they show numbers; their names are never seen.
    Label1->adjustSize();
    Label3->adjustSize();
    Panel1->setAccessibleName(QStringLiteral("Счёт"));
}

void TfNumbrax::layoutScorePanel()
{
    const int w = Panel1->width();
    Label3->move(w - kCompRightMargin - Label3->width(), Label3->y());
    // Sized to its text with its right edge fixed: a longer score grows to the left.
    lblComp->adjustSize();
    lblComp->move(w - kCompRightMargin - lblComp->width(), lblComp->y());
    lblYou->adjustSize();
    lblYouLast->adjustSize();
    lblYouLast->move(lblYou->geometry().right() + 1 + kPanelGap, lblYou->y());
    lblCompLast->adjustSize();
    lblCompLast->move(lblComp->x() - kPanelGap - lblCompLast->width(), lblComp->y());

    // What a screen reader says: each number with its heading.
    lblYou->setAccessibleName(QStringLiteral("Вы: ") + lblYou->text());
    lblComp->setAccessibleName(QStringLiteral("Компьютер: ") + lblComp->text());
    lblYouLast->setAccessibleName(QStringLiteral("Ваш последний ход: ") + lblYouLast->text());
    lblCompLast->setAccessibleName(QStringLiteral("Последний ход компьютера: ") + lblCompLast->text());
}

bool TfNumbrax::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == Panel1)
            layoutScorePanel();
        break;
    case QEvent::KeyPress: {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (key.key() == Qt::Key_Alt && !key.isAutoRepeat())
            setAccessKeysShown(true);
        else if (watched == sgr && sgrKeyDown(key))
            return true;
        break;
    }
    case QEvent::KeyRelease:
        if (static_cast<const QKeyEvent &>(*event).key() == Qt::Key_Alt)
            // Alt released alone puts the menu bar in keyboard mode once Qt has seen the release.
            QTimer::singleShot(0, this, [this] {
                if (!menuBar()->hasFocus() && !QApplication::activePopupWidget())
                    setAccessKeysShown(false);
            });
        break;
    case QEvent::FocusIn:
        if (watched == sgr)
            setAccessKeysShown(false);
        break;
    case QEvent::WindowDeactivate:
        // Alt+Tab leaves the window before Alt is released.
        if (watched == this && !QApplication::activePopupWidget())
            setAccessKeysShown(false);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfNumbrax::sgrKeyDown(const QKeyEvent &event)
{
    // Keys with Ctrl, Alt or Shift are the window's shortcuts, not moves.
    if (event.modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event.key()) {
    case Qt::Key_Left:
        moveCurrentCell(-1, 0);
        return true;
    case Qt::Key_Right:
        moveCurrentCell(1, 0);
        return true;
    case Qt::Key_Up:
        moveCurrentCell(0, -1);
        return true;
    case Qt::Key_Down:
        moveCurrentCell(0, 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A held key must not take one cell after another.
        if (!event.isAutoRepeat())
            sgrMouseDown();
        return true;
    default:
        return false;
    }
}

void TfNumbrax::moveCurrentCell(int dCol, int dRow)
{
    if (thinking())
        return;
    // The pointer's rule moves the cell: a key is a pointer move onto the neighbouring cell.
    // A current cell left beyond a board made smaller starts from the marked one.
    QPoint from(FGame.CurCol(), FGame.CurRow());
    if (!FGame.board().contains(from.x(), from.y()))
        from = sgr->markedCell();
    if (FGame.PointerMove(from.x() + dCol, from.y() + dRow)) {
        keepHintOnCurrentCell();
        sgr->setMarkedCell(FGame.CurCol(), FGame.CurRow());
    }
}

void TfNumbrax::FormCreate()
{
    for (QLabel *l : {lblComp, lblYou, lblCompLast, lblYouLast})
        l->setText(QStringLiteral("0"));
    lblYou->adjustSize();
    layoutScorePanel();
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
    const int colWidth = std::max((sgr->width() - 5) / n - 1, 1);
    sgr->setDefaultColWidth(colWidth);
    sgr->setDefaultRowHeight(rowHeight);

    const QString widest = widestNumber();
    if (FCellFont.pixelSize() <= 0 || rowHeight != FFontRowHeight || colWidth != FFontColWidth
        || widest != FFontWidest) {
        FCellFont = fittedFont(rowHeight, colWidth, widest);
        FFontRowHeight = rowHeight;
        FFontColWidth = colWidth;
        FFontWidest = widest;
        sgr->update();
    }
    updateMinimumSize();
}

int TfNumbrax::heightFontPixels(int rowHeight, double cellPerPixel) const
{
    // The digits fill the row: the point size follows the row height, and that size is taken
    // as the height of the whole character cell (ascent plus descent).
    const int dpi = std::max(sgr->logicalDpiY(), 1);
    const int points = 72 * rowHeight / dpi;
    const double cellPixels = std::round(points * dpi / 72.0);
    return std::max(int(cellPixels / cellPerPixel), 1);
}

double TfNumbrax::cellPerPixel() const
{
    // Measured at a size large enough that the metrics' rounding does not count.
    return std::max(SizedFont(sgr->font(), 100).cellHeight() / 100.0, 0.01);
}

QFont TfNumbrax::fittedFont(int rowHeight, int colWidth, const QString &widest) const
{
    int pixels = heightFontPixels(rowHeight, cellPerPixel());
    // The widest number stays a pixel clear of the grid line after its cell. Glyph widths do
    // not scale exactly with the size, so the estimate is checked and stepped down. Measured
    // on the sized face: the board shows no numbers before the first game, and the font
    // itself is loaded when they are first painted.
    auto width = [this, &widest](int size) { return SizedFont(sgr->font(), size).advance(widest); };
    if (const qreal full = width(pixels); full > colWidth - 1) {
        pixels = std::max(int(pixels * (colWidth - 1) / full), 1);
        while (pixels > 1 && width(pixels) > colWidth - 1)
            --pixels;
    }
    QFont font = sgr->font();
    font.setPixelSize(pixels);
    return font;
}

QString TfNumbrax::widestNumber() const
{
    // The widest number the settings let the board hold; a board given whole (a scripted
    // game) may hold longer ones.
    int digits = digitCount(FGame.settings().MaxNum - 1);
    bool sign = FGame.settings().NegativNum;
    const numbrax::Board &board = FGame.board();
    for (int row = 0; row < board.size(); ++row)
        for (int col = 0; col < board.size(); ++col) {
            const std::string &text = board.text(col, row);
            const bool negative = !text.empty() && text.front() == '-';
            digits = std::max(digits, int(text.size()) - int(negative));
            sign = sign || negative;
        }
    return widestText(QFontMetricsF(sgr->font()), digits, sign);
}

void TfNumbrax::updateMinimumSize()
{
    if (FFitting)
        return;
    const QScopedValueRollback<bool> fitting(FFitting, true);
    const QSize client = smallestClient();
    const QSize chrome(0, menuBar()->sizeHint().height());
    QSize wanted = client + chrome;
    if (const QScreen *s = screen()) {
        // Never beyond the screen: there the numbers are as large as the screen allows.
        const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
        wanted = wanted.boundedTo(s->availableGeometry().size() - frame);
    }
    const QSize before = size();
    setMinimumSize(wanted); // grows the window when it is smaller; never shrinks it
    if (isVisible() && size() != before) {
        if (const QScreen *s = screen()) {
            // Grown toward the right and bottom, it may now stand partly off the screen.
            const QRect available = s->availableGeometry();
            QRect frame = frameGeometry();
            frame.moveRight(std::min(frame.right(), available.right()));
            frame.moveBottom(std::min(frame.bottom(), available.bottom()));
            frame.moveLeft(std::max(frame.left(), available.left()));
            frame.moveTop(std::max(frame.top(), available.top()));
            move(frame.topLeft());
        }
    }
}

QSize TfNumbrax::smallestClient()
{
    // Measured once for each board size and each widest number, not at every resize.
    const QString widest = widestNumber();
    const int n = FGame.BoardSize();
    const auto key = std::make_tuple(n, FGame.settings().MaxNum, FGame.settings().NegativNum, widest);
    if (key == FSmallestFor)
        return FSmallestClient;

    // The smallest cells whose widest number reads with digits kMinDigitHeight pixels tall.
    // Every size tried loads the digits' outlines anew, a cost paid at start-up: the search
    // starts just below the size that the ink at 100 pixels foretells, since the ink grows with
    // the size.
    const QString digits = QStringLiteral("0123456789");
    const int ink100 = std::max(SizedFont(sgr->font(), 100).inkHeight(digits), 1);
    int pixels = std::max(kMinDigitHeight, kMinDigitHeight * 100 / ink100 - 1);
    SizedFont font(sgr->font(), pixels);
    while (pixels < 200 && font.inkHeight(digits) < kMinDigitHeight)
        font = SizedFont(sgr->font(), ++pixels);
    const double cell = cellPerPixel();
    int rowHeight = 1;
    while (rowHeight < 1000 && heightFontPixels(rowHeight, cell) < pixels)
        ++rowHeight;
    const int colWidth = int(std::ceil(font.advance(widest))) + 1;
    const QSize board(n * (colWidth + 1) + 5, n * (rowHeight + 1) + 5);

    // The score panel: the result text centred between the two groups of the score line, the
    // headings apart from each other. Scores and last picks are measured at their widest.
    const std::int64_t largestTotal = std::int64_t(n) * n * (FGame.settings().MaxNum - 1);
    QFont bold = lblYou->font();
    const QString score = widestText(QFontMetricsF(bold), digitCount(largestTotal), FGame.settings().NegativNum);
    const qreal scoreWidth = QFontMetricsF(bold).horizontalAdvance(score);
    const QFontMetricsF plain(lblYouLast->font());
    const qreal lastWidth = plain.horizontalAdvance(widestText(plain, digitCount(FGame.settings().MaxNum - 1), FGame.settings().NegativNum));
    const qreal group = std::max(kYouLeftMargin, kCompRightMargin) + scoreWidth + kPanelGap + lastWidth;
    const QFontMetricsF captionMetrics(Panel1->font());
    qreal result = 0;
    for (auto outcome : {numbrax::GameResult::Draw, numbrax::GameResult::ComputerWon, numbrax::GameResult::PlayerWon})
        result = std::max(result, captionMetrics.horizontalAdvance(words(numbrax::texts::ResultText(outcome))));
    const qreal headings = kYouLeftMargin + Label1->width() + kPanelGap + Label3->width() + kCompRightMargin;
    const int panelWidth = int(std::ceil(std::max({2 * (group + kPanelGap) + result, headings, 2 * group + kPanelGap})));

    FSmallestFor = key;
    FSmallestClient = QSize(std::max(panelWidth, board.width()), kPanelHeight + board.height());
    return FSmallestClient;
}

void TfNumbrax::sgrDrawCell(QPainter &painter, int col, int row, const QRect &rect, bool markedFocused)
{
    const numbrax::Board &board = FGame.board();
    if (!board.contains(col, row))
        return;
    const std::string &text = board.text(col, row);
    const bool taken = board.taken(col, row);
    painter.fillRect(rect, taken ? kGrey : kWhite);

    // Two pixels wide inside the red frame's line, and under the number, which the row's
    // height leaves no room beside.
    if (FHint && FHint->col == col && FHint->row == row)
        frameInside(painter, rect.adjusted(1, 1, -1, -1), 2, kHintBlue);

    if (!text.empty() && !taken) {
        painter.setFont(FCellFont);
        painter.setPen(kBlack);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(text));
    }
    // During a game the current cell stays framed while the board is not focused (a message
    // box, another window), so the computer's last pick stays in sight.
    if (markedFocused && (sgr->hasFocus() || FGame.GameActive()))
        frameInside(painter, rect, 1, kRed);
}

void TfNumbrax::sgrMouseMove(QPoint pos)
{
    const QPoint cell = sgr->mouseToCell(pos);
    if (!thinking() && FGame.PointerMove(cell.x(), cell.y())) {
        keepHintOnCurrentCell();
        sgr->setMarkedCell(FGame.CurCol(), FGame.CurRow());
    }
}

void TfNumbrax::sgrMouseDown()
{
    pickCurrentCell();
}

void TfNumbrax::pickCurrentCell()
{
    if (refusedWhileThinking())
        return;
    FGame.Press();
    commandDone();
}

void TfNumbrax::a_newgameExecute()
{
    if (refusedWhileThinking())
        return;
    FGame.NewGame();
    commandDone();
}

void TfNumbrax::a_hintExecute()
{
    if (refusedWhileThinking())
        return;
    const std::optional<numbrax::Cell> hint = FGame.Hint();
    const auto done = qScopeGuard([this] { commandDone(); });
    if (!hint) {
        // No game, or nothing for the player to pick: like any refused input, a beep.
        toolkit::MessageBeep(0);
        return;
    }
    clearHint();
    FHint = hint;
    sgr->invalidateCell(hint->col, hint->row);
    // The hinted cell becomes the current one, by the pointer's own rule (a hint is a pick the
    // player could make): Enter takes it, and a screen reader hears it as the focused cell.
    const QPoint before = sgr->markedCell();
    FGame.PointerMove(hint->col, hint->row);
    sgr->setMarkedCell(FGame.CurCol(), FGame.CurRow());
    if (sgr->markedCell() == before)
        TBoardAccessible::cellChanged(*this, hint->col, hint->row);
}

void TfNumbrax::a_undoExecute()
{
    if (refusedWhileThinking() || !FGame.CanUndo())
        return;
    const numbrax::Board before = FGame.board();
    FGame.Undo();
    // Every cell given back reads its number again.
    const numbrax::Board &after = FGame.board();
    for (int row = 0; row < after.size(); ++row)
        for (int col = 0; col < after.size(); ++col)
            if (before.size() != after.size() || before.text(col, row) != after.text(col, row))
                TBoardAccessible::cellChanged(*this, col, row);
    commandDone();
}

bool TfNumbrax::refusedWhileThinking()
{
    if (!thinking())
        return false;
    toolkit::MessageBeep(0);
    return true;
}

void TfNumbrax::clearHint()
{
    if (!FHint)
        return;
    const numbrax::Cell was = *FHint;
    FHint.reset();
    if (FGame.board().contains(was.col, was.row)) {
        sgr->invalidateCell(was.col, was.row);
        TBoardAccessible::cellChanged(*this, was.col, was.row);
    }
}

void TfNumbrax::keepHintOnCurrentCell()
{
    if (FHint && (FHint->col != FGame.CurCol() || FHint->row != FGame.CurRow()))
        clearHint();
}

void TfNumbrax::updateCommands()
{
    a_undo->setEnabled(!thinking() && FGame.CanUndo());
}

void TfNumbrax::commandDone()
{
    updateCommands();
    if (FCloseWhenThought && !thinking()) {
        FCloseWhenThought = false;
        close();
    }
}

void TfNumbrax::thinkAside(const std::function<void()> &job)
{
    const QScopedValueRollback<int> nested(FThinking, FThinking + 1);
    std::optional<AsideJob> aside;
    try {
        aside.emplace(job);
    } catch (const std::system_error &) {
        // No thread to be had: the job runs here, as it would without a runner.
        job();
        return;
    }
    if (!aside->waitFor(std::chrono::milliseconds(kQuickThinkMs))) {
        // Long enough to notice: the window keeps painting (and answers assistive technology)
        // under a busy cursor, while presses and keys stay queued until the job is done.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        updateCommands();
        while (!aside->done())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    aside->rethrow();
}

void TfNumbrax::closeEvent(QCloseEvent *event)
{
    // The job under way works for the game that the window owns, from inside a call of the
    // window: the window closes once the command that asked for the job is done.
    if (thinking()) {
        FCloseWhenThought = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TfNumbrax::a_gameoptionsExecute()
{
    if (refusedWhileThinking())
        return;
    if (FGame.GameActive()) {
        if (!toolkit::Confirm(QStringLiteral("Прервать начатую игру?")))
            return;
        FGame.AbortGame();
    }

    // A fresh dialog each time, gone on every way out of this handler.
    TfNumbraxOptions dialog;
    dialog.setSettings(FGame.settings());
    if (dialog.ShowModal() != toolkit::mrOk)
        return;
    FGame.SetSettings(dialog.settings());
    FGame.ClearBoard();
    FitCells();
    commandDone();
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

void TfNumbrax::GameStarted()
{
    // The last game's result stays in the panel until now.
    Panel1->setCaption(QString());
    clearHint();
}

void TfNumbrax::Picked(numbrax::Side side, int col, int row, std::int32_t)
{
    clearHint();
    if (side == numbrax::Side::Computer)
        sgr->setMarkedCell(col, row);
    sgr->invalidateCell(col, row);
    TBoardAccessible::cellChanged(*this, col, row);
}

void TfNumbrax::MustPass(numbrax::Side side)
{
    toolkit::ShowMessage(words(numbrax::texts::PassMessage(side)));
}

void TfNumbrax::GameOver(numbrax::GameResult result, std::int64_t, std::int64_t)
{
    clearHint();
    // The game is over: an unfocused board drops its frame.
    const QPoint marked = sgr->markedCell();
    sgr->invalidateCell(marked.x(), marked.y());
    toolkit::ShowMessage(words(numbrax::texts::GameOverMessage(result)));
    Panel1->setCaption(words(numbrax::texts::ResultText(result)));
}

void TfNumbrax::BoardChanged()
{
    // A hinted cell may be gone, taken back or blank.
    clearHint();
    const int n = FGame.BoardSize();
    const bool resized = sgr->colCount() != n || sgr->rowCount() != n;
    sgr->setRowCount(n);
    sgr->setColCount(n);
    // Also for a board of the same size: new settings may hold wider numbers.
    FitCells();
    sgr->update();
    if (resized)
        TBoardAccessible::boardResized(*this);
    updateCommands();
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

void TfNumbrax::TookBack()
{
    sgr->setMarkedCell(FGame.CurCol(), FGame.CurRow());
    // A finished game taken back goes on: its result leaves the panel.
    if (FGame.GameActive())
        Panel1->setCaption(QString());
    updateCommands();
}
