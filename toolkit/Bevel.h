// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace toolkit {

// A bevel that is a single lowered line along its top edge: the etched line under a group
// heading. It draws nothing else and takes no input.
class TBevel : public QWidget
{
    Q_OBJECT

public:
    explicit TBevel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace toolkit
