// SPDX-License-Identifier: MIT
#include "Beeps.h"

#include <QApplication>

namespace toolkit {

namespace {

class QtBeeps final : public Beeps
{
public:
    void messageBeep(unsigned) override { QApplication::beep(); }
};

QtBeeps realBeeps;
Beeps *installed = nullptr;

} // namespace

Beeps &beeps()
{
    return installed ? *installed : realBeeps;
}

void setBeeps(Beeps *newBeeps)
{
    installed = newBeeps;
}

} // namespace toolkit
