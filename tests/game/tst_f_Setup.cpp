// SPDX-License-Identifier: MIT
#include "f_Numbrax.h"
#include "f_Setup.h"

#include "BoardText.h"
#include "DrawGrid.h"
#include "KavoBtns.h"
#include "KavoSpin.h"
#include "KvChkBox.h"
#include "KvCtrls.h"
#include "Panel.h"
#include "RecordingDesktop.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Works the options dialog while the command shows it: when a dialog appears, the step runs
// from inside its modal loop, as a user would act on it.
class DialogDriver : public QObject
{
public:
    explicit DialogDriver(std::function<void(TfNumbraxOptions &)> step)
        : FStep(std::move(step))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<TfNumbraxOptions *>(watched);
        if (dialog && event->type() == QEvent::Show) {
            ++shown;
            last = dialog;
            QTimer::singleShot(0, dialog, [this, dialog] {
                seen = {dialog->edFldSize->text(), dialog->edMaxNum->text()};
                checks = {dialog->cbNegativNum->Checked(), dialog->cbUseNullCells->Checked(),
                          dialog->cbGoByCols->Checked()};
                FStep(*dialog);
            });
        }
        return false;
    }

    int shown = 0;
    QPointer<TfNumbraxOptions> last;
    QStringList seen;          // the spin edits' texts as the dialog opened
    QList<bool> checks;        // negative, empty cells, by columns, as it opened

private:
    std::function<void(TfNumbraxOptions &)> FStep;
};

void pressOk(TfNumbraxOptions &d)
{
    QTest::mouseClick(d.kavoBitBtn1, Qt::LeftButton);
}

void pressCancel(TfNumbraxOptions &d)
{
    QTest::mouseClick(d.kavoBitBtn2, Qt::LeftButton);
}

void type(TkavoSpinEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

numbrax::Board board(const char *text)
{
    return *numbrax::BoardFromText(text);
}

} // namespace

class tst_f_Setup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void texts();
    void tabOrder();
    void labelsFocusTheirEdits();
    void noKeepsTheGame();
    void yesThenCancelAbortsTheGame();
    void okAfterAFinishedGame();
    void boardSizes_data();
    void boardSizes();
    void outOfRangeValuesConfirmedWithEnter_data();
    void outOfRangeValuesConfirmedWithEnter();
    void closeBoxIsCancel();
    void directionSwitch();
    void newGameUsesTheSettings();

private:
    std::unique_ptr<RecordingDesktop> boxes;
    std::unique_ptr<TfNumbrax> window;
};

void tst_f_Setup::init()
{
    boxes = std::make_unique<RecordingDesktop>();
    window = std::make_unique<TfNumbrax>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_f_Setup::cleanup()
{
    window.reset();
    boxes.reset();
}

void tst_f_Setup::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("edFldSize") << "edFldSize" << QRect(139, 40, 62, 21);
    QTest::newRow("edMaxNum") << "edMaxNum" << QRect(139, 72, 62, 21);
    QTest::newRow("kavoLabel1") << "kavoLabel1" << QRect(32, 40, 105, 21);
    QTest::newRow("kavoLabel2") << "kavoLabel2" << QRect(32, 72, 105, 21);
    QTest::newRow("Bevel1") << "Bevel1" << QRect(16, 16, 353, 17);
    QTest::newRow("Bevel2") << "Bevel2" << QRect(16, 120, 353, 17);
    QTest::newRow("kavoBitBtn1") << "kavoBitBtn1" << QRect(133, 222, 75, 24);
    QTest::newRow("kavoBitBtn2") << "kavoBitBtn2" << QRect(213, 222, 75, 24);
    QTest::newRow("kavoBitBtn3") << "kavoBitBtn3" << QRect(293, 222, 75, 24);
}

void tst_f_Setup::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, bounds);
    TfNumbraxOptions dialog;
    QCOMPARE(dialog.size(), QSize(383, 259));
    auto *component = dialog.findChild<QWidget *>(name);
    QVERIFY(component);
    QCOMPARE(component->geometry(), bounds);
}

void tst_f_Setup::texts()
{
    TfNumbraxOptions dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Настройки "));
    QCOMPARE(dialog.Label1->text(), QStringLiteral("Настройки поля"));
    QCOMPARE(dialog.Label2->text(), QStringLiteral("Настройки хода"));
    QCOMPARE(dialog.kavoLabel1->Caption(), QStringLiteral("Размер поля"));
    QCOMPARE(dialog.kavoLabel2->Caption(), QStringLiteral("Числовой предел"));
    QCOMPARE(dialog.cbNegativNum->Caption(), QStringLiteral("отрицательные числа"));
    QCOMPARE(dialog.cbUseNullCells->Caption(), QStringLiteral("пустые ячейки"));
    QCOMPARE(dialog.cbGoByCols->Caption(), QStringLiteral("Вы ходите по столбцам"));
    QCOMPARE(dialog.kavoBitBtn1->Caption(), QStringLiteral("OK"));
    QCOMPARE(dialog.kavoBitBtn2->Caption(), QStringLiteral("Отмена"));
    QCOMPARE(dialog.kavoBitBtn3->Caption(), QStringLiteral("&Help"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.kavoBitBtn3->isVisible());
    QVERIFY(!dialog.cbCompFirst->isVisible());
    QVERIFY(!dialog.cbCompFirst->isEnabled());
    QVERIFY(!dialog.cbCompFirst->Checked());
    // Every caption shows whole, whatever font the desktop uses.
    for (TkavoCheckBox *box : {dialog.cbNegativNum, dialog.cbUseNullCells, dialog.cbGoByCols})
        QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->Caption()));
}

void tst_f_Setup::tabOrder()
{
    TfNumbraxOptions dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTRY_COMPARE(QApplication::focusWidget(), dialog.edFldSize);
    const QList<QWidget *> order{dialog.cbNegativNum, dialog.edMaxNum, dialog.cbUseNullCells, dialog.cbGoByCols,
                                 dialog.kavoBitBtn1, dialog.kavoBitBtn2, dialog.edFldSize};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void tst_f_Setup::labelsFocusTheirEdits()
{
    TfNumbraxOptions dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.kavoLabel2, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), dialog.edMaxNum);
    QTest::mouseClick(dialog.kavoLabel1, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), dialog.edFldSize);
}

void tst_f_Setup::noKeepsTheGame()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("5 1 2 3\n2 4 6 7\n1 4 3 3\n8 2 6 1"));
    QTest::mouseMove(w.sgr, w.sgr->cellRect(0, 0).center());
    QTest::mouseClick(w.sgr, Qt::LeftButton);
    const numbrax::Board before = w.game().board();
    DialogDriver driver(pressOk);
    boxes->answerYes = false;

    w.a_gameoptions->trigger();
    QCOMPARE(boxes->confirmations, QStringList{"Прервать начатую игру?"});
    QCOMPARE(driver.shown, 0);
    QVERIFY(w.game().GameActive());
    QVERIFY(w.game().board() == before);
    QCOMPARE(w.lblYou->text(), QStringLiteral("5"));
    QCOMPARE(w.lblComp->text(), QStringLiteral("8"));
}

void tst_f_Setup::yesThenCancelAbortsTheGame()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("5 1 2 3\n2 4 6 7\n1 4 3 3\n8 2 6 1"));
    QTest::mouseMove(w.sgr, w.sgr->cellRect(0, 0).center());
    QTest::mouseClick(w.sgr, Qt::LeftButton);
    DialogDriver driver(pressCancel);
    boxes->answerYes = true;

    w.a_gameoptions->trigger();
    QCOMPARE(driver.shown, 1);
    QVERIFY(!driver.last); // destroyed when the command ended
    QVERIFY(!w.game().GameActive());
    QVERIFY(w.game().board().text(1, 1).empty());
    QCOMPARE(w.game().BoardSize(), 4);
    QCOMPARE(w.lblYou->text(), QStringLiteral("5"));
    QCOMPARE(w.lblComp->text(), QStringLiteral("8"));

    // No game now: the next time there is no question.
    w.a_gameoptions->trigger();
    QCOMPARE(boxes->confirmations.size(), 1);
    QCOMPARE(driver.shown, 2);
    QCOMPARE(driver.seen, (QStringList{"4", "10"}));
}

void tst_f_Setup::okAfterAFinishedGame()
{
    TfNumbrax &w = *window;
    w.game().StartGame(board("1 0 0 0\n3 0 0 0\n0 0 0 0\n0 0 0 7"));
    QTest::mouseMove(w.sgr, w.sgr->cellRect(0, 0).center());
    QTest::mouseClick(w.sgr, Qt::LeftButton);
    QVERIFY(!w.game().GameActive());
    DialogDriver driver([](TfNumbraxOptions &d) {
        type(d.edFldSize, "6");
        pressOk(d);
    });

    w.a_gameoptions->trigger();
    QVERIFY(boxes->confirmations.isEmpty());
    QCOMPARE(w.game().BoardSize(), 6);
    QCOMPARE(w.sgr->colCount(), 6);
    QVERIFY(w.game().board().text(0, 1).empty()); // the final position is gone
    QCOMPARE(w.Panel1->caption(), QStringLiteral("Очень жаль, но Вы проиграли."));
    QCOMPARE(w.lblComp->text(), QStringLiteral("3"));
}

void tst_f_Setup::boardSizes_data()
{
    QTest::addColumn<QString>("size");
    QTest::newRow("smallest") << "4";
    QTest::newRow("largest") << "50";
}

void tst_f_Setup::boardSizes()
{
    QFETCH(QString, size);
    TfNumbrax &w = *window;
    DialogDriver driver([size](TfNumbraxOptions &d) {
        type(d.edFldSize, size);
        pressOk(d);
    });
    w.a_gameoptions->trigger();
    const int n = size.toInt();
    QCOMPARE(w.sgr->rowCount(), n);
    QCOMPARE(w.sgr->colCount(), n);
    QCOMPARE(w.sgr->defaultColWidth(), std::max((w.sgr->width() - 5) / n - 1, 1));
    QCOMPARE(w.sgr->defaultRowHeight(), std::max((w.sgr->height() - 5) / n - 1, 1));
    w.a_newgame->trigger();
    QCOMPARE(w.game().board().size(), n);
    QVERIFY(w.game().CellValue(n - 1, n - 1) != 0);
}

void tst_f_Setup::outOfRangeValuesConfirmedWithEnter_data()
{
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("limitText");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::newRow("above") << "99" << "999999" << 50 << 999999;
    QTest::newRow("below") << "1" << "1" << 4 << 2;
    QTest::newRow("unreadable") << "" << "-" << 4 << 2;
    QTest::newRow("in range") << "7" << "123" << 7 << 123;
}

void tst_f_Setup::outOfRangeValuesConfirmedWithEnter()
{
    QFETCH(QString, sizeText);
    QFETCH(QString, limitText);
    QFETCH(int, size);
    QFETCH(int, limit);
    TfNumbrax &w = *window;
    DialogDriver driver([&](TfNumbraxOptions &d) {
        type(d.edFldSize, sizeText);
        type(d.edMaxNum, limitText);
        // Enter presses OK while the number is still in the field.
        QTest::keyClick(d.edMaxNum, Qt::Key_Return);
    });
    w.a_gameoptions->trigger();
    QCOMPARE(driver.shown, 1);
    QCOMPARE(w.game().BoardSize(), size);
    QCOMPARE(w.game().settings().MaxNum, limit);
}

void tst_f_Setup::closeBoxIsCancel()
{
    TfNumbrax &w = *window;
    DialogDriver driver([](TfNumbraxOptions &d) {
        type(d.edFldSize, "20");
        d.cbNegativNum->setChecked(true);
        d.close();
    });
    w.a_gameoptions->trigger();
    QCOMPARE(driver.shown, 1);
    QCOMPARE(w.game().BoardSize(), 10);
    QVERIFY(!w.game().settings().NegativNum);
}

void tst_f_Setup::directionSwitch()
{
    TfNumbrax &w = *window;
    DialogDriver driver([](TfNumbraxOptions &d) {
        QTest::mouseClick(d.cbGoByCols, Qt::LeftButton);
        pressOk(d);
    });
    w.a_gameoptions->trigger();
    QVERIFY(w.game().settings().GoByCols);
    w.game().StartGame(board("1 2 3 4\n5 6 7 8\n9 1 2 3\n4 5 6 7"));
    QTest::mouseMove(w.sgr, w.sgr->cellRect(2, 2).center());
    QTest::mouseClick(w.sgr, Qt::LeftButton);
    // The computer answered along row 2, taking the 9 of column 0; the player now moves in
    // that column, the pointer's row choosing the cell.
    QCOMPARE(w.lblComp->text(), QStringLiteral("9"));
    QTest::mouseMove(w.sgr, w.sgr->cellRect(3, 1).center());
    QCOMPARE(w.sgr->markedCell(), QPoint(0, 1));

    // The dialog opens with the setting as it now is.
    boxes->answerYes = true;
    DialogDriver again(pressCancel);
    w.a_gameoptions->trigger();
    QCOMPARE(again.checks, (QList<bool>{false, false, true}));
}

void tst_f_Setup::newGameUsesTheSettings()
{
    TfNumbrax &w = *window;
    DialogDriver driver([](TfNumbraxOptions &d) {
        type(d.edMaxNum, "2");
        QTest::mouseClick(d.cbNegativNum, Qt::LeftButton);
        pressOk(d);
    });
    w.a_gameoptions->trigger();
    QVERIFY(w.game().settings().NegativNum);
    QCOMPARE(w.game().settings().MaxNum, 2);
    w.a_newgame->trigger();
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 10; ++col)
            QCOMPARE(std::abs(w.game().CellValue(col, row)), 1);
}

QTEST_MAIN(tst_f_Setup)
#include "tst_f_Setup.moc"
