// SPDX-License-Identifier: MIT
// The floor of the game's start-up: the least Qt Widgets program that shows what the game shows
// at start, a window with the same menu bar over a painted, blank 10 x 10 grid. The start-up
// script times it against the game.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

namespace {

class Grid : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        constexpr int n = 10;
        QPainter p(this);
        p.fillRect(rect(), QColor(192, 192, 192));
        const int w = (width() - 1) / n, h = (height() - 1) / n;
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col)
                p.fillRect(1 + col * w, 1 + row * h, w - 1, h - 1, Qt::white);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Numbrax floor"));
    QMenu *game = window.menuBar()->addMenu(QStringLiteral("Игра"));
    game->addAction(QStringLiteral("Новая игра"));
    game->addAction(QStringLiteral("Настройки..."));
    game->addSeparator();
    game->addAction(QStringLiteral("Выход"), &app, &QApplication::quit);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("Помощь"));
    help->addAction(QStringLiteral("Правила игры"));
    help->addAction(QStringLiteral("Readme.txt"));
    help->addSeparator();
    help->addAction(QStringLiteral("Наш сайт: korvessa.example"));
    help->addAction(QStringLiteral("Наш e-mail: info@korvessa.example"));
    help->addAction(QStringLiteral("Буквоплёт - решатель головоломок"));
    help->addSeparator();
    help->addAction(QStringLiteral("О программе..."));
    window.setCentralWidget(new Grid);
    window.resize(332, 251 + window.menuBar()->sizeHint().height());
    window.show();
    return app.exec();
}
