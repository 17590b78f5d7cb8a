// SPDX-License-Identifier: MIT
#include "AppIcon.h"
#include "Application.h"
#include "KvAccessible.h"
#include "f_Numbrax.h"
#include "KvCtrls.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The class of the windows on X11, which the desktop entry's StartupWMClass names, and on
    // Wayland the entry itself: so the desktop shows the entry's name and icon for the window.
    QApplication::setApplicationName(QStringLiteral("numbrax"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.korvessa.numbrax"));
    toolkit::setApplicationTitle(QStringLiteral("Numbrax"));
    QApplication::setWindowIcon(ApplicationIcon());
    RegisterPointCursor();
    RegisterKavoAccessibility();

    TfNumbrax fNumbrax;
    fNumbrax.show();
    return app.exec();
}
