// SPDX-License-Identifier: MIT
#pragma once

#include "Desktop.h"

#include <QByteArrayList>
#include <QList>
#include <QProcess>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

// The desktop for tests, in place of the real one for its lifetime: records every box, beep,
// sound and program start instead of showing, sounding or starting anything. Confirmations are
// answered as told, and a step can run while a box would be open (the program waits inside the
// box).
class RecordingDesktop : public toolkit::Desktop
{
public:
    RecordingDesktop()
        : FInstalled(*this)
    {
    }

    void messageBeep(unsigned type) override { beeps << type; }
    void showMessage(const QString &text) override
    {
        messages << text;
        if (whileOpen)
            whileOpen();
    }
    bool confirm(const QString &text) override
    {
        confirmations << text;
        if (whileOpen)
            whileOpen();
        return answerYes;
    }
    void showError(const QString &caption, const QString &text) override { errors << caption + u'|' + text; }

    bool playFile(const QString &path, bool async) override
    {
        soundFiles << path;
        soundAsync << async;
        return soundsPlay;
    }
    bool playData(const QByteArray &wave, bool async) override
    {
        if (soundFails)
            throw std::runtime_error("no sound");
        soundData << wave;
        soundAsync << async;
        return soundsPlay;
    }

    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        detached << (QStringList{program} + arguments);
        return detachedStarts;
    }
    // A watched start gets the process that startProcess gives, or none: then there is nothing
    // to wait for.
    std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments) override
    {
        waited << (QStringList{program} + arguments);
        return startProcess ? startProcess() : nullptr;
    }

    // The desktop this one stands in for: the real one, unless overrides nest.
    toolkit::Desktop &previous() const { return FInstalled.previous(); }

    QList<unsigned> beeps;
    QStringList messages;
    QStringList confirmations;
    bool answerYes = false;
    std::function<void()> whileOpen;
    // "caption|text" of each error box.
    QStringList errors;

    QStringList soundFiles;
    QByteArrayList soundData;
    QList<bool> soundAsync;
    bool soundsPlay = true;
    // Playing data throws, as an output that cannot hold the data does.
    bool soundFails = false;

    // Each start as the program followed by its arguments.
    QList<QStringList> detached;
    QList<QStringList> waited;
    bool detachedStarts = true;
    std::function<std::unique_ptr<QProcess>()> startProcess;

private:
    toolkit::ScopedDesktop FInstalled;
};
