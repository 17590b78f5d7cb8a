// SPDX-License-Identifier: MIT
#pragma once

#include "KvTools.h"

#include <QByteArrayList>
#include <QStringList>

#include <stdexcept>

// Sound output for tests: records what would play and every error box instead of making a
// sound or opening a box.
class RecordingSoundOutput : public TkavoSoundOutput
{
public:
    RecordingSoundOutput() { setSoundOutput(this); }
    ~RecordingSoundOutput() override { setSoundOutput(nullptr); }
    RecordingSoundOutput(const RecordingSoundOutput &) = delete;
    RecordingSoundOutput &operator=(const RecordingSoundOutput &) = delete;

    bool playFile(const QString &path, bool async) override
    {
        files << path;
        asyncFlags << async;
        return result;
    }
    bool playData(const QByteArray &wave, bool async) override
    {
        if (failPlaying)
            throw std::runtime_error("no sound");
        waves << wave;
        asyncFlags << async;
        return result;
    }
    void showError(const QString &caption, const QString &text) override { errors << caption + QLatin1Char('|') + text; }

    QStringList files;
    QByteArrayList waves;
    QList<bool> asyncFlags;
    QStringList errors;
    bool result = true;
    bool failPlaying = false;
};
