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
    QApplication::setApplicationName(QStringLiteral("numbrax"));
    toolkit::setApplicationTitle(QStringLiteral("Numbrax"));
    QApplication::setWindowIcon(ApplicationIcon());
    RegisterPointCursor();
    RegisterKavoAccessibility();

    TfNumbrax fNumbrax;
    fNumbrax.show();
    return app.exec();
}
