// SPDX-License-Identifier: MIT
#pragma once

#include "Component.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The seam between the sound component and the desktop's sound output. The real one plays
// through Qt Multimedia; tests install their own, which records what would play.
class TkavoSoundOutput
{
public:
    virtual ~TkavoSoundOutput() = default;

    // Plays a wave file; with async it returns once playing has started, else when the sound
    // has ended. False when the sound could not be played.
    virtual bool playFile(const QString &path, bool async) = 0;
    // The same for a whole wave file held in memory.
    virtual bool playData(const QByteArray &wave, bool async) = 0;
    // The error box of a failed playback: a modal box with an error sign and one OK button.
    virtual void showError(const QString &caption, const QString &text) = 0;
};

// The output in use: the real one unless a test installed another.
TkavoSoundOutput &soundOutput();
// Installs an output for the rest of the run; nullptr brings the real one back. The caller
// keeps ownership.
void setSoundOutput(TkavoSoundOutput *output);

// Plays wave files from the "Sounds" folder beside the program, or wave data kept among the
// program's raw-data resources (":/rcdata/NAME", names in capitals).
class TkavoSound : public QObject, public toolkit::TComponent
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(bool Async READ Async WRITE setAsync)

public:
    explicit TkavoSound(QObject *owner = nullptr);

    bool Enabled() const { return FEnabled; }
    void setEnabled(bool enabled) { FEnabled = enabled; }
    bool Async() const { return FAsync; }
    void setAsync(bool async) { FAsync = async; }
    Q_INVOKABLE bool isEnabledStored() const { return !FEnabled; }
    Q_INVOKABLE bool isAsyncStored() const { return FAsync; }

    // Plays the wave file name: a bare name is looked for in the "Sounds" folder beside the
    // program, and ".wav" is added to a name without extension. A missing file plays nothing.
    // Returns whether the sound played.
    bool PlayFile(const QString &name);
    // Plays the raw-data resource name. A missing resource plays nothing; a resource that cannot
    // be played is reported in an error box. Returns whether the sound played.
    bool PlayResource(const QString &name);

    // The file that PlayFile looks for.
    static QString SoundFilePath(const QString &name);
    // The resource that PlayResource looks for.
    static QString SoundResourcePath(const QString &name);

    toolkit::TNotifyEvent OnSound;

private:
    void sounded();

    bool FEnabled = true;
    bool FAsync = false;
};
