// SPDX-License-Identifier: MIT
#include "Desktop.h"

#include "RecordingDesktop.h"

#include <QTest>

using namespace toolkit;

class tst_Desktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void overridesNestAndRestore();
    void realDesktopWithoutSoundOutputPlaysNothing();
};

void tst_Desktop::overridesNestAndRestore()
{
    Desktop *real = &desktop();
    {
        RecordingDesktop outer;
        QCOMPARE(&desktop(), &outer);
        QCOMPARE(&outer.previous(), real);
        {
            RecordingDesktop inner;
            QCOMPARE(&inner.previous(), &outer);
            ShowMessage(QStringLiteral("inner"));
            MessageBeep(0);
            QVERIFY(inner.messages == QStringList{"inner"});
            QCOMPARE(inner.beeps.size(), 1);
        }
        // The inner one gone, calls reach the outer one again.
        outer.answerYes = true;
        QVERIFY(Confirm(QStringLiteral("outer")));
        QCOMPARE(outer.confirmations, QStringList{"outer"});
        QVERIFY(outer.messages.isEmpty());
    }
    QCOMPARE(&desktop(), real);
}

void tst_Desktop::realDesktopWithoutSoundOutputPlaysNothing()
{
    // No sound library here: the real desktop says nothing played, and nothing fails.
    QVERIFY(!desktop().playFile(QStringLiteral("/nonexistent/click.wav"), false));
    QVERIFY(!desktop().playData(QByteArray("RIFF"), true));
}

QTEST_MAIN(tst_Desktop)
#include "tst_Desktop.moc"
