// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>

// What data/every-control.ui gives each control, however the form is built: the control's
// class and one property value, as its text.
inline void everyControlRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("value");
    QTest::newRow("label") << "kavoLabel" << "TkavoLabel" << QByteArray("Light") << "lpRight";
    // Type and limits arrive before the value, so it stays a fraction inside them.
    QTest::newRow("spin edit") << "kavoSpinEdit" << "TkavoSpinEdit" << QByteArray("text") << "3.25";
    QTest::newRow("check box") << "kavoCheckBox" << "TkavoCheckBox" << QByteArray("Style") << "btRadioButton";
    QTest::newRow("bitmap button") << "kavoBitBtn" << "TkavoBitBtn" << QByteArray("ModalResult") << "1";
    QTest::newRow("calculator edit") << "kavoCalcEdit" << "TkavoCalcEdit" << QByteArray("Value") << "12.5";
    QTest::newRow("date edit") << "kavoDateEdit" << "TkavoDateEdit" << QByteArray("Date") << "2001-02-03";
    QTest::newRow("period edit") << "kavoPeriodEdit" << "TkavoPeriodEdit" << QByteArray("ButtonVisible") << "false";
    QTest::newRow("bitmap view") << "kavoBitmapView" << "TkavoBitmapView" << QByteArray("Stretch") << "true";
}
