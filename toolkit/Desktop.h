// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The one seam to the desktop: message boxes, the bell, sound output and starting programs.

#include "kavocontrols_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

namespace toolkit {

/// Everything the controls ask of the desktop itself: the bell, message boxes, sound output and
/// starting other programs.
///
/// One real implementation serves the program; tests put a recording one in its place
/// (ScopedDesktop), so that no box blocks, no sound plays and nothing starts.
///
/// @code
/// if (toolkit::desktop().confirm("Abort the game?")) newGame();
/// toolkit::desktop().messageBeep(0);
/// @endcode
///
/// @qtdiff
/// The calls go to QMessageBox, QApplication::beep(), QSoundEffect and QProcess, behind one
/// interface, so that a test of a dialog that asks, beeps or opens a link sees what was asked
/// instead of a modal box that waits for a click.
class KAVOCONTROLS_EXPORT Desktop
{
public:
    virtual ~Desktop() = default;

    /// type is the desktop's beep kind; 0 is the plain default beep.
    virtual void messageBeep(unsigned type) = 0;
    /// A plain message: the application title as caption and one OK button. Returns when the
    /// box has been closed.
    virtual void showMessage(const QString &text) = 0;
    /// The standard confirmation: a question sign, the caption "Confirm" and the buttons "&Yes"
    /// and "&No". True only for Yes; closing the box counts as No.
    virtual bool confirm(const QString &text) = 0;
    /// An error box: an error sign, the caption given and one OK button.
    virtual void showError(const QString &caption, const QString &text) = 0;

    /// Plays a wave file; with async it returns once playing has started, else when the sound
    /// has ended. False when the sound could not be played.
    virtual bool playFile(const QString &path, bool async) = 0;
    /// The same for a whole wave file held in memory.
    virtual bool playData(const QByteArray &wave, bool async) = 0;

    /// Starts the program and leaves it to itself. False when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    /// Starts the program and hands over the process to be watched. A program that could not be
    /// started comes back as a process that is not running, with the error FailedToStart.
    virtual std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments) = 0;
};

/// The desktop in use: the real one unless a ScopedDesktop stands in for it.
KAVOCONTROLS_EXPORT Desktop &desktop();

/// Puts a desktop in place of the one in use for its own lifetime and brings that one back
/// when it goes.
///
/// Overrides nest; they end in the reverse order of their making.
///
/// @code
/// TRecordingDesktop recorder; toolkit::ScopedDesktop use(recorder); // a test's own Desktop
/// spin.setReadOnly(true); spin.StepUp(&spin); // the beep reaches the recorder, not the speaker
/// @endcode
///
/// @qtdiff
/// Qt has no seam for QMessageBox and friends; this is the place a test puts its own desktop.
class KAVOCONTROLS_EXPORT ScopedDesktop
{
public:
    explicit ScopedDesktop(Desktop &replacement);
    ~ScopedDesktop();
    ScopedDesktop(const ScopedDesktop &) = delete;
    ScopedDesktop &operator=(const ScopedDesktop &) = delete;

    /// The desktop this one stands in for.
    Desktop &previous() const { return *FPrevious; }

private:
    Desktop *FPrevious;
};

/// The audio behind the real desktop's playFile and playData.
///
/// The program stays free of multimedia libraries unless it links the sound library, which
/// plugs its output in here; until then the real desktop plays nothing and says so.
///
/// @code
/// static TMyMixerOutput output; // plays through the program's own mixer
/// toolkit::plugSoundOutput(&output);
/// @endcode
///
/// @qtdiff
/// QSoundEffect is the output TkavoSound plugs in; another output (a mixer of the program's own)
/// takes its place the same way.
class KAVOCONTROLS_EXPORT SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual bool playFile(const QString &path, bool async) = 0;
    virtual bool playData(const QByteArray &wave, bool async) = 0;
};

/// Plugs in the audio the real desktop plays through. The caller keeps ownership; the output
/// must live as long as the program plays sounds.
KAVOCONTROLS_EXPORT void plugSoundOutput(SoundOutput *output);

inline void MessageBeep(unsigned type)
{
    desktop().messageBeep(type);
}

inline void ShowMessage(const QString &text)
{
    desktop().showMessage(text);
}

inline bool Confirm(const QString &text)
{
    return desktop().confirm(text);
}

} // namespace toolkit
