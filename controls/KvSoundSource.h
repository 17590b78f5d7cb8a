// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TkavoSoundSource, what a button plays its click sound through.

#include "kavocontrols_export.h"

#include <QObject>
#include <QString>

/// Something a control plays its click sound through.
///
/// The control library only names it: the sound library's TkavoSound is the real one, so that
/// a program that links no sound library plays nothing and needs no audio libraries at all. A
/// source of your own (a mixer, a test's recorder) derives from it.
///
/// @code
/// struct TSilence : TkavoSoundSource { bool PlayFile(const QString &) override { return true; }
///     bool PlayResource(const QString &) override { return true; } };
/// @endcode
///
/// @qtdiff
/// An interface where Qt has the concrete QSoundEffect: TkavoCustomButton::Sound names the
/// interface, so Kavo::Controls links no Qt Multimedia.
class KAVOCONTROLS_EXPORT TkavoSoundSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    /// Plays the wave file name; returns whether the sound played.
    virtual bool PlayFile(const QString &name) = 0;
    /// Plays the raw-data resource name; returns whether the sound played.
    virtual bool PlayResource(const QString &name) = 0;
};
