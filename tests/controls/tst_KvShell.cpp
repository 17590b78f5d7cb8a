// SPDX-License-Identifier: MIT
#include "KvShell.h"

#include "RecordingDesktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <climits>

namespace {

const QString UnknownError = QStringLiteral("Неизвестная ошибочка!");
const QString FileNotFound = QStringLiteral("Файл не найден");

bool writeScript(const QString &path, const QByteArray &body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n" + body);
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class tst_KvShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void errorText_data();
    void errorText();
    void handsOverTarget_data();
    void handsOverTarget();
    void params_data();
    void params();
    void failureToStart_data();
    void failureToStart();
    void emptyTargetStartsNothing();
    void exitStatus_data();
    void exitStatus();
    void waitKeepsEventsFlowingUntilProcessEnds();
    void waitEndsWhenApplicationQuits_data();
    void waitEndsWhenApplicationQuits();
    void realDesktopStartsXdgOpen_data();
    void realDesktopStartsXdgOpen();
    void realDesktopReportsMissingOpener_data();
    void realDesktopReportsMissingOpener();

    void fileFound_data();
    void fileFound();

private:
    QTemporaryDir scripts;
    QTemporaryDir files;
    // Records what is handed over. Detached starts only report the configured result; a watched
    // process is a stand-in that the real desktop starts in place of the opener.
    std::unique_ptr<RecordingDesktop> desktop;
    QString FStandIn;
    QStringList FStandInArguments;
    QList<QStringList> starts() const { return desktop->detached + desktop->waited; }
    // A wait that never ends would hang the run; this ends it instead.
    QTimer watchdog;
};

void tst_KvShell::initTestCase()
{
    watchdog.setSingleShot(true);
    watchdog.setInterval(15000);
    connect(&watchdog, &QTimer::timeout, this,
            [] { qFatal("%s", "a wait did not end: ShellOpen hangs"); });

    QVERIFY(scripts.isValid());
    QVERIFY(writeScript(scripts.filePath("status"), "exit \"$1\"\n"));
    // Killed by signal 2, which must not pass for the status 2; by signal 9 where a parent made
    // it ignore signal 2.
    QVERIFY(writeScript(scripts.filePath("crash"), "kill -INT $$\nkill -KILL $$\n"));
    // Stands in for the desktop's opener: writes the count of its arguments and each of them on
    // a line of its own, then lingers and ends as the test asks.
    QVERIFY(writeScript(scripts.filePath("xdg-open"),
                        "out=\"$KVSHELL_TEST_OUT\"\n"
                        "printf '%s\\n' \"$#\" \"$@\" > \"$out.part\"\n"
                        "mv \"$out.part\" \"$out\"\n"
                        "sleep \"${KVSHELL_TEST_LINGER:-0}\"\n"
                        "exit \"${KVSHELL_TEST_STATUS:-0}\"\n"));

    QVERIFY(files.isValid());
    const QDir dir(files.path());
    for (const char *folder : {"folder.txt", "subdir", "onlydirs/inner", "hiddenonly", "danglingonly"})
        QVERIFY(dir.mkpath(QLatin1String(folder)));
    for (const char *name : {"rules.txt", ".hidden", "readonly.txt", "a[1].txt", "subdir/x",
                             "hiddenonly/.secret"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("text\n");
    }
    QVERIFY(QFile::setPermissions(dir.filePath("readonly.txt"), QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(QFile::link(dir.filePath("subdir"), dir.filePath("link-to-dir")));
    QVERIFY(QFile::link(dir.filePath("rules.txt"), dir.filePath("link-to-file")));
    QVERIFY(QFile::link(dir.filePath("missing.txt"), dir.filePath("danglingonly/link")));
}

void tst_KvShell::init()
{
    desktop = std::make_unique<RecordingDesktop>();
    FStandIn = scripts.filePath("status");
    FStandInArguments = {QStringLiteral("0")};
    desktop->startProcess = [this] { return desktop->previous().start(FStandIn, FStandInArguments); };
    watchdog.start();
}

void tst_KvShell::cleanup()
{
    watchdog.stop();
    desktop.reset();
}

void tst_KvShell::errorText_data()
{
    QTest::addColumn<unsigned int>("code");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0u << QStringLiteral("У Вас память кончилась!");
    QTest::newRow("2") << 2u << FileNotFound;
    QTest::newRow("3") << 3u << QStringLiteral("Каталог не найден");
    QTest::newRow("4") << 4u << QStringLiteral("Слишком много открытых файлов");
    QTest::newRow("5") << 5u << QStringLiteral("Ошибка защиты");
    QTest::newRow("6") << 6u
                       << QStringLiteral("Библиотека требует отдельные сегменты данных для каждой задачи");
    QTest::newRow("8") << 8u << QStringLiteral("Нет памяти для запуска");
    QTest::newRow("10") << 10u << QStringLiteral("Неправильная версия WINDOWS");
    QTest::newRow("11") << 11u << QStringLiteral("Испорченный файл");
    QTest::newRow("12") << 12u << QStringLiteral("Не Windows файл");
    QTest::newRow("13") << 13u << QStringLiteral("MS-DOS 4.0. файл");
    QTest::newRow("14") << 14u << QStringLiteral("Неизвестен тип файла");
    QTest::newRow("15") << 15u << QStringLiteral("Устаревший тип файла (WINDOWS 3.0)");
    QTest::newRow("16") << 16u << QStringLiteral("Недопустим повторный запуск данной программы");
    QTest::newRow("19") << 19u << QStringLiteral("Попытка запустить упакованный файл");
    QTest::newRow("20") << 20u << QStringLiteral("Испорчена одна из библиотек");
    QTest::newRow("21") << 21u << QStringLiteral("Нужна 32-бит поддержка");
    for (unsigned int code : {1u, 7u, 9u, 17u, 18u, 22u, 31u, 87u, 1155u, UINT_MAX})
        QTest::addRow("unknown %u", code) << code << UnknownError;
}

void tst_KvShell::errorText()
{
    QFETCH(unsigned int, code);
    QFETCH(QString, text);
    QCOMPARE(ShellErrorText(code), text);
}

void tst_KvShell::handsOverTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("handedOver");

    const QString here = QDir::currentPath();
    const QString web = QStringLiteral("https://korvessa.example/numbrax/");
    const QString mail = QStringLiteral("mailto:support@korvessa.example?subject=numbrax");
    const QString spaced = QStringLiteral("/opt/numbrax/правила игры.txt");
    const QString hostile = QStringLiteral("/tmp/a b; rm -rf ~ && echo $(id) `id` | cat > 'x' \"y\"");
    QTest::newRow("web page") << web << web;
    QTest::newRow("mail link") << mail << mail;
    QTest::newRow("path with spaces") << spaced << spaced;
    QTest::newRow("shell metacharacters") << hostile << hostile;
    QTest::newRow("short option") << "-rf" << here + "/-rf";
    QTest::newRow("long option") << "--help" << here + "/--help";
    QTest::newRow("option-like folder") << "-x/readme.txt" << here + "/-x/readme.txt";
}

void tst_KvShell::handsOverTarget()
{
    QFETCH(QString, target);
    QFETCH(QString, handedOver);

    for (bool wait : {false, true}) {
        desktop->detached.clear();
        desktop->waited.clear();
        QCOMPARE(ShellOpen(target, QString(), 5, wait), QString());
        const QList<QStringList> expected{{QStringLiteral("xdg-open"), handedOver}};
        QCOMPARE(wait ? desktop->waited : desktop->detached, expected);
        QCOMPARE(starts().size(), 1);
    }
}

void tst_KvShell::params_data()
{
    QTest::addColumn<QString>("params");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<bool>("refused");

    QTest::newRow("none") << QString() << QStringList() << false;
    QTest::newRow("words") << "one two" << QStringList{"one", "two"} << false;
    QTest::newRow("quoted, no shell") << "\"a b\" $(id);" << QStringList{"a b", "$(id);"} << false;
    QTest::newRow("option") << "--manual" << QStringList() << true;
    QTest::newRow("option after a word") << "a -x" << QStringList() << true;
}

void tst_KvShell::params()
{
    QFETCH(QString, params);
    QFETCH(QStringList, extra);
    QFETCH(bool, refused);

    const QString target = QStringLiteral("/opt/numbrax/readme.txt");
    const QString error = ShellOpen(target, params, 5, false);
    if (refused) {
        QCOMPARE(error, UnknownError);
        QVERIFY(starts().isEmpty());
    } else {
        QCOMPARE(error, QString());
        const QList<QStringList> expected{QStringList{QStringLiteral("xdg-open"), target} + extra};
        QCOMPARE(starts(), expected);
    }
}

void tst_KvShell::failureToStart_data()
{
    QTest::addColumn<bool>("wait");
    QTest::newRow("no wait") << false;
    QTest::newRow("wait") << true;
}

void tst_KvShell::failureToStart()
{
    QFETCH(bool, wait);
    desktop->detachedStarts = false;
    FStandIn = scripts.filePath("no-such-program");

    QCOMPARE(ShellOpen(QStringLiteral("https://korvessa.example/numbrax/"), QString(), 5, wait),
             FileNotFound);
    QCOMPARE(starts().size(), 1);
}

void tst_KvShell::emptyTargetStartsNothing()
{
    for (bool wait : {false, true})
        QCOMPARE(ShellOpen(QString(), QString(), 5, wait), FileNotFound);
    QVERIFY(starts().isEmpty());
}

void tst_KvShell::exitStatus_data()
{
    QTest::addColumn<QString>("standIn");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("error");

    QTest::newRow("success") << "status" << "0" << QString();
    QTest::newRow("syntax error") << "status" << "1" << UnknownError;
    QTest::newRow("file not found") << "status" << "2" << FileNotFound;
    QTest::newRow("no tool") << "status" << "3" << QStringLiteral("Неизвестен тип файла");
    QTest::newRow("action failed") << "status" << "4" << UnknownError;
    QTest::newRow("other status") << "status" << "127" << UnknownError;
    QTest::newRow("crash") << "crash" << QString() << UnknownError;
}

void tst_KvShell::exitStatus()
{
    QFETCH(QString, standIn);
    QFETCH(QString, status);
    QFETCH(QString, error);

    FStandIn = scripts.filePath(standIn);
    FStandInArguments = {status};
    QCOMPARE(ShellOpen(QStringLiteral("/opt/numbrax/numbrax.txt"), QString(), 5, true), error);
    // Without the wait nothing is watched, so no status can be heard of.
    QCOMPARE(ShellOpen(QStringLiteral("/opt/numbrax/numbrax.txt"), QString(), 5, false), QString());
}

void tst_KvShell::waitKeepsEventsFlowingUntilProcessEnds()
{
    FStandIn = QStringLiteral("sleep");
    FStandInArguments = {QStringLiteral("0.3")};
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ShellOpen(QStringLiteral("https://korvessa.example/numbrax/"), QString(), 5, true),
             QString());
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 250, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
}

void tst_KvShell::waitEndsWhenApplicationQuits_data()
{
    QTest::addColumn<bool>("quitLoop");
    QTest::newRow("quit") << true;
    QTest::newRow("about to quit") << false;
}

void tst_KvShell::waitEndsWhenApplicationQuits()
{
    QFETCH(bool, quitLoop);
    // The stand-in outlives the quit by far, yet ends on its own, so a wait that ignored the quit
    // would still return, only too late.
    FStandIn = QStringLiteral("sleep");
    FStandInArguments = {QStringLiteral("5")};

    bool returned = false;
    QString error = QStringLiteral("not called");
    qint64 elapsed = -1;
    const auto openAndWait = [&] {
        QElapsedTimer clock;
        clock.start();
        error = ShellOpen(QStringLiteral("mailto:support@korvessa.example?subject=numbrax"),
                          QString(), 5, true);
        elapsed = clock.elapsed();
        returned = true;
    };
    if (quitLoop) {
        // quit() acts only on a running application loop.
        QTimer::singleShot(0, this, openAndWait);
        QTimer::singleShot(200, qApp, &QCoreApplication::quit);
        QTimer::singleShot(20000, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    } else {
        QTimer::singleShot(200, qApp, [] { QMetaObject::invokeMethod(qApp, "aboutToQuit"); });
        openAndWait();
    }

    QVERIFY(returned);
    QCOMPARE(error, QString());
    QVERIFY2(elapsed >= 150 && elapsed < 3000, qPrintable(QString::number(elapsed)));
}

void tst_KvShell::realDesktopStartsXdgOpen_data()
{
    QTest::addColumn<bool>("wait");
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QString>("error");

    QTest::newRow("no wait") << false << QByteArray("0") << QString();
    QTest::newRow("wait") << true << QByteArray("0") << QString();
    QTest::newRow("wait, file not found") << true << QByteArray("2") << FileNotFound;
}

void tst_KvShell::realDesktopStartsXdgOpen()
{
    QFETCH(bool, wait);
    QFETCH(QByteArray, status);
    QFETCH(QString, error);

    desktop.reset();
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString record = out.filePath("arguments");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(scripts.path()) + ':' + path);
    qputenv("KVSHELL_TEST_OUT", QFile::encodeName(record));
    qputenv("KVSHELL_TEST_STATUS", status);
    // Lingering shows that a call without the wait does not wait.
    qputenv("KVSHELL_TEST_LINGER", wait ? "0" : "2");
    const auto restore = qScopeGuard([&] {
        qputenv("PATH", path);
        qunsetenv("KVSHELL_TEST_OUT");
        qunsetenv("KVSHELL_TEST_STATUS");
        qunsetenv("KVSHELL_TEST_LINGER");
    });

    const QString target = QStringLiteral("/tmp/правила игры; echo $HOME `id` > x.txt");
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ShellOpen(target, QString(), 5, wait), error);
    if (!wait)
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 5000);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{QStringLiteral("1"), target}));
}

void tst_KvShell::realDesktopReportsMissingOpener_data()
{
    QTest::addColumn<bool>("wait");
    QTest::newRow("no wait") << false;
    QTest::newRow("wait") << true;
}

void tst_KvShell::realDesktopReportsMissingOpener()
{
    QFETCH(bool, wait);
    desktop.reset();
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(empty.path()));
    const auto restore = qScopeGuard([&] { qputenv("PATH", path); });

    QCOMPARE(ShellOpen(QStringLiteral("https://korvessa.example/numbrax/"), QString(), 5, wait),
             FileNotFound);
}

void tst_KvShell::fileFound_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");

    QTest::newRow("plain file") << "rules.txt" << true;
    QTest::newRow("hidden file") << ".hidden" << true;
    QTest::newRow("read-only file") << "readonly.txt" << true;
    QTest::newRow("link to a file") << "link-to-file" << true;
    QTest::newRow("name holding brackets") << "a[1].txt" << true;
    QTest::newRow("directory named like a file") << "folder.txt" << false;
    QTest::newRow("directory with a trailing slash") << "subdir/" << false;
    QTest::newRow("link to a directory") << "link-to-dir" << false;
    QTest::newRow("missing") << "missing.txt" << false;
    QTest::newRow("dangling link") << "danglingonly/link" << false;
    QTest::newRow("below a file") << "rules.txt/x" << false;
    QTest::newRow("other case") << "RULES.TXT" << false;
    QTest::newRow("star matching files") << "*.txt" << true;
    QTest::newRow("question mark") << "rules.tx?" << true;
    QTest::newRow("bracket set") << "rules.[st]xt" << true;
    QTest::newRow("star matching a hidden file only") << "hiddenonly/*" << true;
    QTest::newRow("star matching a directory only") << "fold*.txt" << false;
    QTest::newRow("folder holding only a directory") << "onlydirs/*" << false;
    QTest::newRow("star matching a dangling link only") << "danglingonly/*" << false;
    QTest::newRow("star matching nothing") << "*.doc" << false;
    QTest::newRow("star in other case") << "*.TXT" << false;
    QTest::newRow("star in a missing folder") << "missing/*" << false;
    QTest::newRow("wildcard in the folder part") << "sub*/x" << false;
    QTest::newRow("empty path") << QString() << false;
}

void tst_KvShell::fileFound()
{
    QFETCH(QString, name);
    QFETCH(bool, found);
    QCOMPARE(FileFound(name.isEmpty() ? name : QDir(files.path()).filePath(name)), found);
}

QTEST_MAIN(tst_KvShell)
#include "tst_KvShell.moc"
