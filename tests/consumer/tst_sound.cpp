// SPDX-License-Identifier: MIT
// The click sound, linked from the installed package. A program of its own stands in for the
// desktop, as tests do: the sound library, the controls and the program must share that one
// desktop, or the button's click would reach a desktop the program never sees.
#include <KavoControls/Desktop.h>
#include <KavoControls/KavoBtns.h>
#include <KavoControls/KvTools.h>

#include <QProcess>
#include <QTest>

namespace {

class RecordedDesktop final : public toolkit::Desktop
{
public:
    void messageBeep(unsigned) override {}
    void showMessage(const QString &) override {}
    bool confirm(const QString &) override { return false; }
    void showError(const QString &caption, const QString &text) override { Errors << caption + QStringLiteral(": ") + text; }
    bool playFile(const QString &path, bool) override
    {
        Files << path;
        return true;
    }
    bool playData(const QByteArray &wave, bool) override
    {
        Waves << wave;
        return true;
    }
    bool startDetached(const QString &, const QStringList &) override { return false; }
    std::unique_ptr<QProcess> start(const QString &, const QStringList &) override { return nullptr; }

    QStringList Errors;
    QStringList Files;
    QList<QByteArray> Waves;
};

} // namespace

class tst_Sound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonPlaysTheLibrarysClick();
};

// The click is a resource of the sound library: it must come with it, as a whole wave file.
void tst_Sound::buttonPlaysTheLibrarysClick()
{
    RecordedDesktop recorded;
    toolkit::ScopedDesktop scoped(recorded);
    TkavoSound sound;
    TkavoBitBtn button;
    button.setSound(&sound);
    button.setClickSound(QStringLiteral("#click"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(recorded.Errors, QStringList());
    QCOMPARE(recorded.Waves.size(), 1);
    QVERIFY(recorded.Waves.first().startsWith("RIFF"));
    QCOMPARE(recorded.Waves.first().mid(8, 4), QByteArray("WAVE"));
}

QTEST_MAIN(tst_Sound)
#include "tst_sound.moc"
