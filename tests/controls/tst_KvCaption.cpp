// SPDX-License-Identifier: MIT
#include "KvChkBox.h"
#include "KvCtrls.h"

#include <QTest>

using namespace toolkit;

namespace {

// The check box and the hover label share their caption plumbing: every test here runs on both.
TkavoCaptionControl *make(const QString &kind, QWidget *parent)
{
    if (kind == QLatin1String("check box"))
        return new TkavoCheckBox(parent);
    return new TkavoLabel(parent);
}

} // namespace

class tst_KvCaption : public QObject
{
    Q_OBJECT

    static void kinds()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("check box") << QStringLiteral("check box");
        QTest::newRow("label") << QStringLiteral("label");
    }

private slots:
    void clickCountsOnlyWhenReleasedInside_data() { kinds(); }
    void clickCountsOnlyWhenReleasedInside()
    {
        QFETCH(QString, kind);
        QWidget window;
        TkavoCaptionControl *control = make(kind, &window);
        int clicks = 0;
        control->OnClick = [&](QObject *sender) {
            QCOMPARE(sender, control);
            ++clicks;
        };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(6, 5));
        QCOMPARE(clicks, 1);
        // Dragged off before letting go: no click.
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(clicks, 1);
        // A release with no press of its own is no click either.
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 1);
    }

    void backgroundFollowsParentUntilGivenAColour_data() { kinds(); }
    void backgroundFollowsParentUntilGivenAColour()
    {
        QFETCH(QString, kind);
        QWidget field;
        field.setBackgroundRole(QPalette::Base);
        QWidget form;
        TkavoCaptionControl *control = make(kind, &field);
        QVERIFY(control->ParentColor());
        QCOMPARE(control->Color(), clWindow);
        control->setParent(&form);
        QCOMPARE(control->Color(), clBtnFace);

        control->setColor(clRed);
        QVERIFY(!control->ParentColor());
        control->setParent(&field);
        QCOMPARE(control->Color(), clRed);

        control->setParentColor(true);
        QCOMPARE(control->Color(), clWindow);
    }
};

QTEST_MAIN(tst_KvCaption)
#include "tst_KvCaption.moc"
