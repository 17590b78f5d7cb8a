// SPDX-License-Identifier: MIT
#include "KvShell.h"

#include "Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

#include <new>

namespace {

// The desktop's own opener: it hands a file or a URL to the program the user chose for its type.
const QString Opener = QStringLiteral("xdg-open");

// How a failure maps onto the codes of ShellErrorText. xdg-open ends with 1 for a syntax error in
// its arguments, 2 when the file to open does not exist, 3 when no tool to open it was found,
// 4 when the opening action failed.
//   no memory for the request itself                   -> 0  "У Вас память кончилась!"
//   an empty target, xdg-open missing or not runnable  -> 2  "Файл не найден" (the file that
//                                                             does the opening is not found)
//   xdg-open status 2                                  -> 2  "Файл не найден"
//   xdg-open status 3                                  -> 14 "Неизвестен тип файла": nothing on
//                                                             this desktop opens that type
//   xdg-open status 1, parameters read as options     -> 87, invalid parameter
//   xdg-open status 4, any other status, a crash       -> 31, general failure
// 87 and 31 are not in the table and so give its text for unknown errors.
constexpr unsigned int ErrorOutOfMemory = 0;
constexpr unsigned int ErrorFileNotFound = 2;
constexpr unsigned int ErrorUnknownType = 14;
constexpr unsigned int ErrorGeneralFailure = 31;
constexpr unsigned int ErrorInvalidParameter = 87;

// xdg-open reads an argument that starts with "-" as an option. As an absolute path the same
// name can only be a file.
QString safeTarget(const QString &target)
{
    return target.startsWith(u'-') ? QFileInfo(target).absoluteFilePath() : target;
}

bool isFile(const QFileInfo &info)
{
    return info.exists() && !info.isDir();
}

// Runs the event loop until the process ends. False when the application was told to quit
// before that.
bool waitForEnd(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        if (QCoreApplication *app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
        // QCoreApplication::exit() ends every running event loop, this one included, and one
        // started after it returns at once: a quit requested before or during the wait ends it.
        loop.exec();
    }
    return process.state() == QProcess::NotRunning;
}

QString statusText(const QProcess &process)
{
    if (process.exitStatus() == QProcess::CrashExit)
        return ShellErrorText(ErrorGeneralFailure);
    switch (process.exitCode()) {
    case 0:
        return {};
    case 1:
        return ShellErrorText(ErrorInvalidParameter);
    case 2:
        return ShellErrorText(ErrorFileNotFound);
    case 3:
        return ShellErrorText(ErrorUnknownType);
    default:
        return ShellErrorText(ErrorGeneralFailure);
    }
}

QString open(const QString &target, const QString &params, bool wait)
{
    if (target.isEmpty())
        return ShellErrorText(ErrorFileNotFound);

    QStringList arguments{safeTarget(target)};
    // xdg-open opens one target and accepts nothing after it: extra arguments end it with its
    // syntax status. They are still handed over, split as a command line is but without a shell,
    // so that a waiting caller hears of the failure instead of having them dropped silently. One
    // that would be read as an option is refused before anything is started.
    const QStringList extra = QProcess::splitCommand(params);
    for (const QString &argument : extra) {
        if (argument.startsWith(u'-'))
            return ShellErrorText(ErrorInvalidParameter);
    }
    arguments += extra;

    if (!wait) {
        return toolkit::desktop().startDetached(Opener, arguments) ? QString()
                                                                : ShellErrorText(ErrorFileNotFound);
    }

    std::unique_ptr<QProcess> process = toolkit::desktop().start(Opener, arguments);
    if (!process || process->error() == QProcess::FailedToStart)
        return ShellErrorText(ErrorFileNotFound);
    if (waitForEnd(*process))
        return statusText(*process);

    // The application is quitting while the opener still runs. It is left to finish on its own
    // rather than killed; what is still running when the application object goes is ended then.
    if (QCoreApplication *app = QCoreApplication::instance()) {
        QProcess *left = process.release();
        left->setParent(app);
        QObject::connect(left, &QProcess::finished, left, &QObject::deleteLater);
    }
    return {};
}

} // namespace

QString ShellOpen(const QString &target, const QString &params, int showCommand, bool wait)
{
    // A Linux desktop has no show command to pass on: the program that opens the target places
    // and shows its own window. The value is accepted for the callers' sake and ignored.
    Q_UNUSED(showCommand);
    try {
        return open(target, params, wait);
    } catch (const std::bad_alloc &) {
        return ShellErrorText(ErrorOutOfMemory);
    } catch (...) {
        return ShellErrorText(ErrorGeneralFailure);
    }
}

QString ShellErrorText(unsigned int code)
{
    // Literals only: the texts take no memory, so even the out-of-memory report cannot fail.
    switch (code) {
    case 0:
        return QStringLiteral("У Вас память кончилась!");
    case 2:
        return QStringLiteral("Файл не найден");
    case 3:
        return QStringLiteral("Каталог не найден");
    case 4:
        return QStringLiteral("Слишком много открытых файлов");
    case 5:
        return QStringLiteral("Ошибка защиты");
    case 6:
        return QStringLiteral("Библиотека требует отдельные сегменты данных для каждой задачи");
    case 8:
        return QStringLiteral("Нет памяти для запуска");
    case 10:
        return QStringLiteral("Неправильная версия WINDOWS");
    case 11:
        return QStringLiteral("Испорченный файл");
    case 12:
        return QStringLiteral("Не Windows файл");
    case 13:
        return QStringLiteral("MS-DOS 4.0. файл");
    case 14:
        return QStringLiteral("Неизвестен тип файла");
    case 15:
        return QStringLiteral("Устаревший тип файла (WINDOWS 3.0)");
    case 16:
        return QStringLiteral("Недопустим повторный запуск данной программы");
    case 19:
        return QStringLiteral("Попытка запустить упакованный файл");
    case 20:
        return QStringLiteral("Испорчена одна из библиотек");
    case 21:
        return QStringLiteral("Нужна 32-бит поддержка");
    default:
        return QStringLiteral("Неизвестная ошибочка!");
    }
}

bool FileFound(const QString &path)
{
    try {
        if (path.isEmpty())
            return false;
        const QFileInfo info(path);
        // Checked as it stands first, so that a file whose name holds "[" is found as itself.
        if (isFile(info))
            return true;
        // Wildcards count in the last part only; a folder part is taken as it stands.
        const QString pattern = info.fileName();
        if (!pattern.contains(u'*') && !pattern.contains(u'?') && !pattern.contains(u'['))
            return false;
        QDirIterator it(info.path(), {pattern},
                        QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
        while (it.hasNext()) {
            it.next();
            if (isFile(it.fileInfo()))
                return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}
