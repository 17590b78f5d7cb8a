// SPDX-License-Identifier: MIT
#include "KvTools.h"

#include "KavoBtns.h"
#include "RecordingDesktop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

class tst_KvTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void soundFilePath_data();
    void soundFilePath();
    void playFile_data();
    void playFile();
    void playResource_data();
    void playResource();
    void failedResourceShowsTheErrorBox_data();
    void failedResourceShowsTheErrorBox();
    void buttonClickPlaysTheResource();

private:
    QString soundsFolder() const { return QCoreApplication::applicationDirPath() + QStringLiteral("/Sounds"); }

    // A wave file of our own in the program's Sounds folder, and a folder that looks like one.
    QString FName;
    bool FMadeFolder = false;
};

void tst_KvTools::initTestCase()
{
    FName = QStringLiteral("tst_KvTools_%1").arg(QCoreApplication::applicationPid());
    QDir folder(soundsFolder());
    if (!folder.exists()) {
        QVERIFY(QDir().mkpath(soundsFolder()));
        FMadeFolder = true;
    }
    QFile file(folder.filePath(FName + QStringLiteral(".wav")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
    QVERIFY(folder.mkpath(FName + QStringLiteral("-folder.wav")));
}

void tst_KvTools::cleanupTestCase()
{
    QDir folder(soundsFolder());
    folder.remove(FName + QStringLiteral(".wav"));
    folder.rmdir(FName + QStringLiteral("-folder.wav"));
    if (FMadeFolder)
        QDir().rmdir(soundsFolder());
}

void tst_KvTools::soundFilePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path"); // "~" stands for the program's folder
    QTest::newRow("bare name") << "click" << "~/Sounds/click.wav";
    QTest::newRow("with extension") << "click.wav" << "~/Sounds/click.wav";
    QTest::newRow("other extension kept") << "click.snd" << "~/Sounds/click.snd";
    QTest::newRow("a final dot is an extension") << "click." << "~/Sounds/click.";
    QTest::newRow("absolute path") << "/usr/share/sounds/ding" << "/usr/share/sounds/ding.wav";
    QTest::newRow("dot in a folder name only") << "my.sounds/ding" << "my.sounds/ding.wav";
    QTest::newRow("relative path with extension") << "a/b.c" << "a/b.c";
}

void tst_KvTools::soundFilePath()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    path.replace(QLatin1Char('~'), QCoreApplication::applicationDirPath());
    QCOMPARE(TkavoSound::SoundFilePath(name), path);
}

void tst_KvTools::playFile_data()
{
    QTest::addColumn<QString>("suffix"); // appended to the test's own file name
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("async");
    QTest::addColumn<bool>("outputResult");
    QTest::addColumn<bool>("played");
    QTest::newRow("bare name, synchronous") << "" << true << false << true << true;
    QTest::newRow("with extension, asynchronous") << ".wav" << true << true << true << true;
    QTest::newRow("output fails") << "" << true << false << false << true;
    QTest::newRow("disabled") << "" << false << false << true << false;
    QTest::newRow("missing file") << "-missing" << true << false << true << false;
    QTest::newRow("a folder is no file") << "-folder" << true << false << true << false;
}

void tst_KvTools::playFile()
{
    QFETCH(QString, suffix);
    QFETCH(bool, enabled);
    QFETCH(bool, async);
    QFETCH(bool, outputResult);
    QFETCH(bool, played);
    RecordingDesktop output;
    output.soundsPlay = outputResult;
    TkavoSound sound;
    sound.setEnabled(enabled);
    sound.setAsync(async);
    int sounded = 0;
    sound.OnSound = [&](QObject *sender) {
        QCOMPARE(sender, &sound);
        ++sounded;
    };

    QCOMPARE(sound.PlayFile(FName + suffix), played && outputResult);
    if (played) {
        QCOMPARE(output.soundFiles, QStringList{soundsFolder() + QLatin1Char('/') + FName + QStringLiteral(".wav")});
        QCOMPARE(output.soundAsync, QList<bool>{async});
        QCOMPARE(sounded, 1);
    } else {
        QVERIFY(output.soundFiles.isEmpty());
        QCOMPARE(sounded, 0);
    }
    QVERIFY(output.errors.isEmpty());
}

void tst_KvTools::playResource_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("played");
    QTest::newRow("our click, in any case") << "click" << true << true;
    QTest::newRow("capitals") << "CLICK" << true << true;
    QTest::newRow("disabled") << "click" << false << false;
    QTest::newRow("missing resource") << "nothing" << true << false;
}

void tst_KvTools::playResource()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    QFETCH(bool, played);
    RecordingDesktop output;
    TkavoSound sound;
    sound.setEnabled(enabled);
    int sounded = 0;
    sound.OnSound = [&](QObject *) { ++sounded; };
    QCOMPARE(sound.PlayResource(name), played);
    QCOMPARE(sounded, played ? 1 : 0);
    QCOMPARE(output.soundData.size(), played ? 1 : 0);
    if (played) {
        const QByteArray wave = output.soundData.first();
        QVERIFY(wave.startsWith("RIFF"));
        QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(output.soundAsync, QList<bool>{false});
    }
    QVERIFY(output.errors.isEmpty());
}

void tst_KvTools::failedResourceShowsTheErrorBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("outputFails");
    QTest::newRow("output raises an error") << "click" << true;
    QTest::newRow("resource holds no wave") << "notwave" << false;
}

void tst_KvTools::failedResourceShowsTheErrorBox()
{
    QFETCH(QString, name);
    QFETCH(bool, outputFails);
    RecordingDesktop output;
    output.soundFails = outputFails;
    TkavoSound sound;
    sound.setObjectName(QStringLiteral("kavoSound1"));
    int sounded = 0;
    sound.OnSound = [&](QObject *) { ++sounded; };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);

    QVERIFY(!sound.PlayResource(name));
    QCOMPARE(output.errors,
             QStringList{QStringLiteral("Ошибка|Ошибка при проигрывании resource WAV-data!: kavoSound1")});
    QCOMPARE(sounded, 0);
    QVERIFY(!QApplication::overrideCursor());
}

void tst_KvTools::buttonClickPlaysTheResource()
{
    RecordingDesktop output;
    QWidget form;
    new TkavoSound(&form);
    auto *button = new TkavoBitBtn(&form);
    button->setClickSound(QStringLiteral("#click"));
    button->click();
    QCOMPARE(output.soundData.size(), 1);
    QVERIFY(output.soundData.first().startsWith("RIFF"));
    // A file name is looked for beside the program; a missing file is silent.
    button->setClickSound(QStringLiteral("no such sound"));
    button->click();
    QVERIFY(output.soundFiles.isEmpty());
    QCOMPARE(output.soundData.size(), 1);
}

QTEST_MAIN(tst_KvTools)
#include "tst_KvTools.moc"
