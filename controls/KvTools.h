// SPDX-License-Identifier: MIT
#pragma once

#include "kavosound_export.h"

#include "Component.h"
#include "KvSoundSource.h"

#include <QString>

// The click-sound component of the sound library (numbrax_sound), the only part of ours that
// links Qt Multimedia. Plays wave files from the "Sounds" folder beside the program, or wave data kept among the
// program's raw-data resources (":/rcdata/NAME", names in capitals).
class KAVOSOUND_EXPORT TkavoSound : public TkavoSoundSource, public toolkit::TComponent
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
    bool PlayFile(const QString &name) override;
    // Plays the raw-data resource name. A missing resource plays nothing; a resource that cannot
    // be played is reported in an error box. Returns whether the sound played.
    bool PlayResource(const QString &name) override;

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
