// SPDX-License-Identifier: MIT
#pragma once

#include "Beeps.h"

#include <QLocale>

// Counts beeps for the time it lives instead of ringing the bell.
class CountingBeeps final : public toolkit::Beeps
{
public:
    CountingBeeps() { toolkit::setBeeps(this); }
    ~CountingBeeps() override { toolkit::setBeeps(nullptr); }
    CountingBeeps(const CountingBeeps &) = delete;
    CountingBeeps &operator=(const CountingBeeps &) = delete;

    void messageBeep(unsigned) override { ++count; }

    int count = 0;
};

// The pickers speak Russian and read decimal commas, as their users' desktops do.
inline void useRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}
