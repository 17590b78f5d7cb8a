// SPDX-License-Identifier: MIT
#include "Desktop.h"

#include "Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace toolkit {

namespace {

SoundOutput *pluggedSound = nullptr;

void configure(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setProgram(program);
    process.setArguments(arguments);
    // The programs we start read nothing; what they have to say goes where our own messages go.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
}

class RealDesktop final : public Desktop
{
public:
    void messageBeep(unsigned) override { QApplication::beep(); }

    void showMessage(const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    bool confirm(const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }

    void showError(const QString &caption, const QString &text) override
    {
        QMessageBox::critical(nullptr, caption, text);
    }

    bool playFile(const QString &path, bool async) override
    {
        return pluggedSound && pluggedSound->playFile(path, async);
    }

    bool playData(const QByteArray &wave, bool async) override
    {
        return pluggedSound && pluggedSound->playData(wave, async);
    }

    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        QProcess process;
        configure(process, program, arguments);
        return process.startDetached();
    }

    std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments) override
    {
        auto process = std::make_unique<QProcess>();
        configure(*process, program, arguments);
        process->start();
        process->waitForStarted();
        return process;
    }
};

RealDesktop realDesktop;
Desktop *current = &realDesktop;

} // namespace

Desktop &desktop()
{
    return *current;
}

ScopedDesktop::ScopedDesktop(Desktop &replacement)
    : FPrevious(current)
{
    current = &replacement;
}

ScopedDesktop::~ScopedDesktop()
{
    current = FPrevious;
}

void plugSoundOutput(SoundOutput *output)
{
    pluggedSound = output;
}

} // namespace toolkit
