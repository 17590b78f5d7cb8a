// SPDX-License-Identifier: MIT
#include "KvTools.h"

#include "Desktop.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <stdexcept>

namespace {

// The longest a synchronous playback may hold the program: click sounds last a fraction of it.
constexpr int kLongestWaitMs = 10000;

class QtSoundOutput final : public toolkit::SoundOutput
{
public:
    bool playFile(const QString &path, bool async) override { return play(QUrl::fromLocalFile(path), async); }

    bool playData(const QByteArray &wave, bool async) override
    {
        // The sound effect reads from a URL: the data goes to a file that lives as long as the
        // effect may still read it.
        auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/numbrax-XXXXXX.wav"));
        if (!file->open() || file->write(wave) != wave.size() || !file->flush())
            throw std::runtime_error("cannot hold the wave data for playing");
        const QUrl url = QUrl::fromLocalFile(file->fileName());
        FData = std::move(file);
        return play(url, async);
    }

private:
    bool play(const QUrl &url, bool async)
    {
        if (async) {
            // One sound at a time, as with the desktop's simple sound call: a new one ends the last.
            // The effect belongs to the application, which outlives every playback.
            delete FEffect.data();
            FEffect = new QSoundEffect(QCoreApplication::instance());
            FEffect->setSource(url);
            FEffect->play();
            return FEffect->status() != QSoundEffect::Error;
        }
        QSoundEffect effect;
        effect.setSource(url);
        if (!waitWhile(effect, [&effect] { return effect.status() == QSoundEffect::Loading; }))
            return false;
        if (effect.status() != QSoundEffect::Ready)
            return false;
        effect.play();
        waitWhile(effect, [&effect] { return effect.isPlaying(); });
        return true;
    }

    // Runs the event loop, without user input, while busy says so; false on timeout.
    template<class Busy>
    static bool waitWhile(QSoundEffect &effect, Busy busy)
    {
        if (!busy())
            return true;
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
        auto check = [&loop, busy] {
            if (!busy())
                loop.exit(0);
        };
        QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, check);
        QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, check);
        timeout.start(kLongestWaitMs);
        return loop.exec(QEventLoop::ExcludeUserInputEvents) == 0;
    }

    QPointer<QSoundEffect> FEffect;
    std::unique_ptr<QTemporaryFile> FData;
};

QtSoundOutput &realOutput()
{
    // Made on first use: the sound effect needs the application object.
    static QtSoundOutput output;
    return output;
}

// A whole RIFF wave file, as far as its header tells.
bool looksLikeWave(const QByteArray &data)
{
    return data.size() >= 44 && data.startsWith("RIFF") && data.mid(8, 4) == "WAVE";
}

} // namespace

TkavoSound::TkavoSound(QObject *owner)
    : TkavoSoundSource(owner)
{
    // The desktop plays through Qt Multimedia from the first sound component on.
    toolkit::plugSoundOutput(&realOutput());
}

void TkavoSound::sounded()
{
    if (OnSound)
        OnSound(this);
}

QString TkavoSound::SoundFilePath(const QString &name)
{
    QString path = name;
    if (!path.contains(QLatin1Char('/'))) {
        QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
        if (folder.isEmpty())
            folder = QDir::currentPath();
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        path = folder + QStringLiteral("Sounds/") + path;
    }
    // The extension is what follows the last dot of the last path part; "name." has one.
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < path.lastIndexOf(QLatin1Char('/')))
        path += QStringLiteral(".wav");
    return path;
}

QString TkavoSound::SoundResourcePath(const QString &name)
{
    return QStringLiteral(":/rcdata/") + name.toUpper();
}

bool TkavoSound::PlayFile(const QString &name)
{
    if (!FEnabled)
        return false;
    const QString path = SoundFilePath(name);
    const QFileInfo file(path);
    if (!file.exists() || file.isDir())
        return false;
    const bool played = toolkit::desktop().playFile(path, FAsync);
    sounded();
    return played;
}

bool TkavoSound::PlayResource(const QString &name)
{
    if (!FEnabled)
        return false;
    try {
        QFile resource(SoundResourcePath(name));
        if (!resource.exists())
            return false;
        if (!resource.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read the wave resource");
        const QByteArray wave = resource.readAll();
        if (!looksLikeWave(wave))
            throw std::runtime_error("the resource holds no wave data");
        const bool played = toolkit::desktop().playData(wave, FAsync);
        sounded();
        return played;
    } catch (const std::exception &) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        toolkit::desktop().showError(QStringLiteral("Ошибка"),
                                QStringLiteral("Ошибка при проигрывании resource WAV-data!") + QStringLiteral(": ")
                                    + objectName());
        return false;
    }
}
