// SPDX-License-Identifier: MIT
#include "AppIcon.h"
#include "Application.h"
#include "KvAccessible.h"
#include "f_Numbrax.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("numbrax"));
    toolkit::setApplicationTitle(QStringLiteral("Numbrax"));
    QApplication::setWindowIcon(ApplicationIcon());
    RegisterKavoAccessibility();

    TfNumbrax fNumbrax;
    fNumbrax.show();
    return app.exec();
}
