// SPDX-License-Identifier: MIT
#include "Application.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace toolkit {

namespace {
QString title;
}

QString applicationTitle()
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void setApplicationTitle(const QString &newTitle)
{
    title = newTitle;
}

QFont desktopFont(int pixelSize)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    return font;
}

void centreOnScreen(QWidget &window)
{
    if (const QScreen *screen = window.screen()) {
        QRect placed(QPoint(), window.frameGeometry().size());
        placed.moveCenter(screen->availableGeometry().center());
        window.move(placed.topLeft());
    }
}

} // namespace toolkit
