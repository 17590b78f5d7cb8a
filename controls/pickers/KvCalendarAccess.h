// SPDX-License-Identifier: MIT
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// The month grid tells assistive technology that it is a table of days: seven columns headed
// by the day names, six weeks of rows, each cell named by its date, the chosen day selected.
// Installed by the grid itself the first time one is made.
QAccessibleInterface *MonthGridAccessibleFactory(const QString &className, QObject *object);
