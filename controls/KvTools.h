// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TkavoSound, the click sounds of the library's buttons (Kavo::Sound).

#include "kavosound_export.h"

#include "Component.h"
#include "KvSoundSource.h"

#include <QString>

/// The click-sound component of the sound library Kavo::Sound, the only part of the library
/// that links Qt Multimedia.
///
/// It plays wave files from the "Sounds" folder beside the program, or wave data kept among the
/// program's raw-data resources (":/rcdata/NAME", names in capitals). A bitmap button given it
/// as its Sound plays its ClickSound when clicked: a leading "#" names a resource.
///
/// @code
/// auto *sound = new TkavoSound(window);
/// button->setSound(sound); button->setClickSound("#CLICK");
/// @endcode
///
/// @qtdiff
/// A thin layer over QSoundEffect that finds its sounds by name, beside the program or among
/// the resources, and goes through the desktop seam (toolkit::Desktop), so that tests hear
/// nothing. Async off (the default) returns only once the sound has ended.
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
    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isEnabledStored() const { return !FEnabled; }
    Q_INVOKABLE bool isAsyncStored() const { return FAsync; }
    ///@}

    /// Plays the wave file name. A bare name is looked for in the "Sounds" folder beside the
    /// program, and ".wav" is added to a name without extension. A missing file plays nothing.
    /// Returns whether the sound played.
    bool PlayFile(const QString &name) override;
    /// Plays the raw-data resource name. A missing resource plays nothing; one that cannot
    /// be played is reported in an error box. Returns whether the sound played.
    bool PlayResource(const QString &name) override;

    /// The file that PlayFile looks for.
    static QString SoundFilePath(const QString &name);
    /// The resource that PlayResource looks for.
    static QString SoundResourcePath(const QString &name);

    toolkit::TNotifyEvent OnSound;

private:
    void sounded();

    bool FEnabled = true;
    bool FAsync = false;
};
