#include "ToggleSwitch.h"

#include <QSignalSpy>
#include <QtTest>

// The output switch: a checkable button that reports every change of state, whoever makes it.
class TestToggleSwitch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsOffWithHandCursor();
    void clickAndKeyFlipAndReport();
    void programChangesReportOnlyRealChanges();
    void disabledSwitchIgnoresClicks();
};

void TestToggleSwitch::startsOffWithHandCursor()
{
    ToggleSwitch toggle;
    QVERIFY(toggle.isCheckable());
    QVERIFY(!toggle.isChecked());
    QCOMPARE(toggle.cursor().shape(), Qt::PointingHandCursor);
}

void TestToggleSwitch::clickAndKeyFlipAndReport()
{
    ToggleSwitch toggle;
    toggle.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toggle));
    QSignalSpy toggled(&toggle, &QAbstractButton::toggled);
    QTest::mouseClick(&toggle, Qt::LeftButton);
    QVERIFY(toggle.isChecked());
    QTest::keyClick(&toggle, Qt::Key_Space);
    QVERIFY(!toggle.isChecked());
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
    QCOMPARE(toggled.at(1).at(0).toBool(), false);
}

void TestToggleSwitch::programChangesReportOnlyRealChanges()
{
    ToggleSwitch toggle;
    QSignalSpy toggled(&toggle, &QAbstractButton::toggled);
    toggle.setChecked(true);
    toggle.setChecked(true);
    toggle.setChecked(false);
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
    QCOMPARE(toggled.at(1).at(0).toBool(), false);
}

void TestToggleSwitch::disabledSwitchIgnoresClicks()
{
    ToggleSwitch toggle;
    toggle.setEnabled(false);
    toggle.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toggle));
    QSignalSpy toggled(&toggle, &QAbstractButton::toggled);
    QTest::mouseClick(&toggle, Qt::LeftButton);
    QVERIFY(!toggle.isChecked());
    QCOMPARE(toggled.count(), 0);
}

QTEST_MAIN(TestToggleSwitch)
#include "tst_toggleswitch.moc"
