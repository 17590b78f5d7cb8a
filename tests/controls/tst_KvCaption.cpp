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

    void followedBackgroundIsWhatTheParentShows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QPalette::ColorRole>("parentRole");
        QTest::addColumn<bool>("following");
        QTest::addColumn<QRgb>("expected");
        // A dark scheme whose buttons are lighter than its windows: no band of button colour on
        // a dialog's face.
        for (const char *kind : {"check box", "label"}) {
            QTest::addRow("%s, dialog", kind) << QString::fromLatin1(kind) << QPalette::Window << true << 0xFF202428u;
            QTest::addRow("%s, panel", kind) << QString::fromLatin1(kind) << QPalette::Button << true << 0xFF3C4044u;
            QTest::addRow("%s, own colour", kind) << QString::fromLatin1(kind) << QPalette::Window << false << 0xFFFF0000u;
        }
    }
    void followedBackgroundIsWhatTheParentShows()
    {
        QFETCH(QString, kind);
        QFETCH(QPalette::ColorRole, parentRole);
        QFETCH(bool, following);
        QFETCH(QRgb, expected);
        QWidget parent;
        QPalette dark = parent.palette();
        dark.setColor(QPalette::Window, QColor(0x20, 0x24, 0x28));
        dark.setColor(QPalette::Button, QColor(0x3C, 0x40, 0x44));
        parent.setPalette(dark);
        parent.setBackgroundRole(parentRole);
        TkavoCaptionControl *control = make(kind, &parent);
        if (auto *label = qobject_cast<TkavoLabel *>(control)) {
            label->setAutoSize(false);
            label->setTransparent(false); // a transparent label paints no background at all
        }
        control->setCaption(QStringLiteral("Caption"));
        control->setGeometry(10, 10, 139, 14);
        if (!following)
            control->setColor(clRed);
        const QImage image = control->grab().toImage();
        // Along the caption's line past its end, inside any frame.
        for (const QPoint &p : {QPoint(110, 5), QPoint(120, 7), QPoint(130, 8)})
            QCOMPARE(image.pixel(p), expected);
    }
};

QTEST_MAIN(tst_KvCaption)
#include "tst_KvCaption.moc"
