// SPDX-License-Identifier: MIT
#include "Application.h"
#include "f_Numbrax.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("numbrax"));
    toolkit::setApplicationTitle(QStringLiteral("Numbrax"));

    TfNumbrax fNumbrax;
    fNumbrax.show();
    return app.exec();
}
