// SPDX-License-Identifier: MIT
#pragma once

#include "kavocontrols_export.h"

#include <QObject>
#include <QString>

// Something a control plays its click sound through. The control library only names it: the
// sound library (TkavoSound) is the real one, so that a program that links no sound library
// plays nothing and needs no audio libraries at all.
class KAVOCONTROLS_EXPORT TkavoSoundSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Plays the wave file name; returns whether the sound played.
    virtual bool PlayFile(const QString &name) = 0;
    // Plays the raw-data resource name; returns whether the sound played.
    virtual bool PlayResource(const QString &name) = 0;
};
