// SPDX-License-Identifier: MIT
#pragma once

#include "Frame3D.h"

#include <QWidget>

namespace toolkit {

// A plain panel: a face-coloured area with an optional outer and inner bevel and a caption
// centred in it. Children are placed on it freely.
class TPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    explicit TPanel(QWidget *parent = nullptr);

    QString caption() const { return FCaption; }
    void setCaption(const QString &caption);

    TBevelCut bevelOuter() const { return FBevelOuter; }
    void setBevelOuter(TBevelCut cut);
    TBevelCut bevelInner() const { return FBevelInner; }
    void setBevelInner(TBevelCut cut);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString FCaption;
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
};

} // namespace toolkit
