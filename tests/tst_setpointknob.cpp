#include "KnobStepping.h"
#include "ScpiCommands.h"
#include "SetpointKnob.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <qwt_scale_div.h>

#include <cmath>
#include <limits>
#include <memory>

using Quantity = SetpointKnob::Quantity;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// QCOMPARE on doubles is fuzzy; positions must be the very double of the decimal, so they are
// compared by all 17 significant digits.
QByteArray exact(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// A shown window holding the knob (focused) and a line edit the focus can move to.
struct KnobWindow
{
    KnobWindow(Quantity quantity, double maximum, double start)
    {
        auto* column = new QVBoxLayout(&window);
        knob = new SetpointKnob(quantity, maximum);
        other = new QLineEdit;
        column->addWidget(knob);
        column->addWidget(other);
        knob->setPosition(start);
        window.show();
        window.activateWindow();
        knob->setFocus();
        finished = std::make_unique<QSignalSpy>(knob, &SetpointKnob::positionChangeFinished);
    }

    bool exposed() { return QTest::qWaitForWindowExposed(&window); }

    QList<double> finishedPositions() const
    {
        QList<double> positions;
        for (const QList<QVariant>& arguments : *finished)
            positions.append(arguments.at(0).toDouble());
        return positions;
    }

    void sendKey(QEvent::Type type, int key, bool autoRepeat)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(knob, &event);
    }

    void sendWheel(int angleDelta)
    {
        const QPointF at = knob->knobRect().center();
        QWheelEvent event(at, knob->mapToGlobal(at.toPoint()), QPoint(0, angleDelta / 8),
                          QPoint(0, angleDelta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(knob, &event);
    }

    // A point on the dial at `degrees` counter-clockwise from 3 o'clock, in window coordinates:
    // mouse events go through the window system and reach the knob as the one under the cursor.
    QPoint onDial(double degrees) const
    {
        const QRect dial = knob->knobRect();
        const double radius = dial.width() * 0.35;
        const double radians = degrees * M_PI / 180;
        const QPoint offset(qRound(radius * std::cos(radians)),
                            -qRound(radius * std::sin(radians)));
        return knob->mapTo(&window, dial.center() + offset);
    }

    void mouse(QTest::MouseAction action, Qt::MouseButton button, double degrees)
    {
        QTest::mouseEvent(action, window.windowHandle(), button, Qt::NoModifier, onDial(degrees));
    }

    // Presses the left button at one angle and moves in 10-degree steps to another, as a hand
    // turning the knob does; the button stays down.
    void pressAndTurn(double fromDegrees, double toDegrees)
    {
        mouse(QTest::MousePress, Qt::LeftButton, fromDegrees);
        const double step = toDegrees > fromDegrees ? 10 : -10;
        for (double degrees = fromDegrees + step; (toDegrees - degrees) * step > 0; degrees += step)
            mouse(QTest::MouseMove, Qt::NoButton, degrees);
        mouse(QTest::MouseMove, Qt::NoButton, toDegrees);
    }

    QWidget window;
    SetpointKnob* knob = nullptr;
    QLineEdit* other = nullptr;
    std::unique_ptr<QSignalSpy> finished;
};

} // namespace

// The set-point knob: exact stepping inside its range, and one finished-change signal per
// operator gesture, driven by real key, wheel and mouse events.
class TestSetpointKnob : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void positionStaysOnDecimalsAndInRange_data();
    void positionStaysOnDecimalsAndInRange();
    void manyStepsDoNotDrift();
    void wheelNotchesAddUp_data();
    void wheelNotchesAddUp();

    void keysStepAndFinishOnRelease_data();
    void keysStepAndFinishOnRelease();
    void heldKeyFinishesOnceAtFinalRelease();
    void keyGestureEndsWhenFocusOrEnableIsLost_data();
    void keyGestureEndsWhenFocusOrEnableIsLost();
    void wheelFinishesEveryNotch_data();
    void wheelFinishesEveryNotch();
    void dragFinishesOnceWithFinalPosition();
    void dragPastAnEndStopsThere_data();
    void dragPastAnEndStopsThere();
    void clickWithoutTurningFinishesNothing();
    void programPositionIsClampedAndSilent_data();
    void programPositionIsClampedAndSilent();
    void invalidStepSizesAreRefused();
    void ticksAndPositionText();
};

void TestSetpointKnob::positionStaysOnDecimalsAndInRange_data()
{
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("delta");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("changed");
    QTest::newRow("hundredth up") << 31.0 << 5.0 << 0.01 << 5.01 << true;
    QTest::newRow("tenths sum") << 31.0 << 0.1 << 0.2 << 0.3 << true;
    QTest::newRow("thousandth down") << 3.1 << 1.0 << -0.001 << 0.999 << true;
    QTest::newRow("past the top") << 6.0 << 5.95 << 0.1 << 6.0 << true;
    QTest::newRow("at the top") << 3.1 << 3.1 << 0.1 << 3.1 << false;
    QTest::newRow("past zero") << 31.0 << 0.05 << -0.1 << 0.0 << true;
    QTest::newRow("at zero") << 31.0 << 0.0 << -1.0 << 0.0 << false;
    QTest::newRow("not a number") << 31.0 << 2.0 << kNaN << 2.0 << false;
    QTest::newRow("infinite") << 31.0 << 2.0 << kInf << 31.0 << true;
}

void TestSetpointKnob::positionStaysOnDecimalsAndInRange()
{
    QFETCH(double, maximum);
    QFETCH(double, start);
    QFETCH(double, delta);
    QFETCH(double, expected);
    QFETCH(bool, changed);
    KnobPosition position(maximum);
    position.moveTo(start);
    QCOMPARE(position.moveBy(delta), changed);
    QCOMPARE(exact(position.value()), exact(expected));
}

void TestSetpointKnob::manyStepsDoNotDrift()
{
    KnobPosition position(31.0);
    for (int i = 1; i <= 310; ++i) {
        QVERIFY(position.moveBy(0.1));
        QCOMPARE(exact(position.value()), exact(i / 10.0));
    }
    QVERIFY(!position.moveBy(0.1));
    for (int i = 1; i <= 100; ++i)
        position.moveBy(-0.01);
    QCOMPARE(exact(position.value()), exact(30.0));
}

void TestSetpointKnob::wheelNotchesAddUp_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QList<int>>("notches");
    QTest::newRow("mouse notch") << QList<int>{120, -120} << QList<int>{1, -1};
    QTest::newRow("two notches at once") << QList<int>{240} << QList<int>{2};
    QTest::newRow("touchpad quarters")
        << QList<int>{30, 30, 30, 30, 30} << QList<int>{0, 0, 0, 1, 0};
    QTest::newRow("remainder carried") << QList<int>{100, 100, 40} << QList<int>{0, 1, 1};
    QTest::newRow("reversal drops fraction") << QList<int>{90, -60, -60} << QList<int>{0, 0, -1};
}

void TestSetpointKnob::wheelNotchesAddUp()
{
    QFETCH(QList<int>, deltas);
    QFETCH(QList<int>, notches);
    WheelNotchCounter counter;
    QList<int> counted;
    for (const int delta : deltas)
        counted.append(counter.add(delta));
    QCOMPARE(counted, notches);
}

void TestSetpointKnob::keysStepAndFinishOnRelease_data()
{
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("finishes");
    QTest::newRow("up") << 31.0 << 5.0 << int(Qt::Key_Up) << 5.1 << true;
    QTest::newRow("right") << 31.0 << 5.0 << int(Qt::Key_Right) << 5.1 << true;
    QTest::newRow("down") << 31.0 << 5.0 << int(Qt::Key_Down) << 4.9 << true;
    QTest::newRow("left") << 3.1 << 0.05 << int(Qt::Key_Left) << 0.0 << true;
    QTest::newRow("page up 0.5") << 31.0 << 1.0 << int(Qt::Key_PageUp) << 1.5 << true;
    QTest::newRow("page down") << 31.0 << 1.0 << int(Qt::Key_PageDown) << 0.5 << true;
    QTest::newRow("home") << 6.0 << 4.2 << int(Qt::Key_Home) << 0.0 << true;
    QTest::newRow("end") << 3.1 << 1.0 << int(Qt::Key_End) << 3.1 << true;
    QTest::newRow("up at 31") << 31.0 << 31.0 << int(Qt::Key_Up) << 31.0 << false;
    QTest::newRow("right at 6") << 6.0 << 6.0 << int(Qt::Key_Right) << 6.0 << false;
    QTest::newRow("page up at 3.1") << 3.1 << 3.1 << int(Qt::Key_PageUp) << 3.1 << false;
    QTest::newRow("end at the top") << 31.0 << 31.0 << int(Qt::Key_End) << 31.0 << false;
    QTest::newRow("down at 0") << 31.0 << 0.0 << int(Qt::Key_Down) << 0.0 << false;
}

void TestSetpointKnob::keysStepAndFinishOnRelease()
{
    QFETCH(double, maximum);
    QFETCH(double, start);
    QFETCH(int, key);
    QFETCH(double, expected);
    QFETCH(bool, finishes);
    KnobWindow w(Quantity::Voltage, maximum, start);
    QVERIFY(w.exposed());
    w.knob->setKeyPageStepSize(0.5);

    QTest::keyPress(w.knob, Qt::Key(key));
    QCOMPARE(exact(w.knob->position()), exact(expected));
    QCOMPARE(w.finished->count(), 0);
    QTest::keyRelease(w.knob, Qt::Key(key));
    QCOMPARE(w.finishedPositions(), finishes ? QList<double>{expected} : QList<double>{});
}

void TestSetpointKnob::heldKeyFinishesOnceAtFinalRelease()
{
    KnobWindow w(Quantity::Voltage, 31.0, 5.0);
    QVERIFY(w.exposed());
    w.sendKey(QEvent::KeyPress, Qt::Key_Up, false);
    for (int repeat = 0; repeat < 3; ++repeat) {
        w.sendKey(QEvent::KeyRelease, Qt::Key_Up, true);
        w.sendKey(QEvent::KeyPress, Qt::Key_Up, true);
    }
    QCOMPARE(exact(w.knob->position()), exact(5.4));
    QCOMPARE(w.finished->count(), 0);
    w.sendKey(QEvent::KeyRelease, Qt::Key_Up, false);
    QCOMPARE(w.finishedPositions(), QList<double>{5.4});
    QCOMPARE(BuildVoltCommand(w.finishedPositions().first()), QByteArray("VOLT 5.4;:Syst:Err?\n"));
}

void TestSetpointKnob::keyGestureEndsWhenFocusOrEnableIsLost_data()
{
    QTest::addColumn<bool>("disable");
    QTest::newRow("focus moves away") << false;
    QTest::newRow("knob disabled") << true;
}

void TestSetpointKnob::keyGestureEndsWhenFocusOrEnableIsLost()
{
    QFETCH(bool, disable);
    KnobWindow w(Quantity::Current, 3.1, 1.0);
    QVERIFY(w.exposed());
    QTRY_VERIFY(w.knob->hasFocus());
    QTest::keyPress(w.knob, Qt::Key_Down);
    if (disable)
        w.knob->setEnabled(false);
    else
        w.other->setFocus();
    QCOMPARE(w.finishedPositions(), QList<double>{0.9});
    QTest::keyRelease(w.other, Qt::Key_Down);
    QCOMPARE(w.finished->count(), 1);
}

void TestSetpointKnob::wheelFinishesEveryNotch_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QList<double>>("finished");
    QTest::addColumn<QByteArray>("lastCommand");
    QTest::newRow("notch forward")
        << 5.0 << QList<int>{120} << QList<double>{5.01} << QByteArray("VOLT 5.01;:Syst:Err?\n");
    QTest::newRow("notch back") << 5.0 << QList<int>{-120} << QList<double>{4.99}
                                << QByteArray("VOLT 4.99;:Syst:Err?\n");
    QTest::newRow("touchpad eighths")
        << 5.0 << QList<int>{15, 15, 15, 15, 15, 15, 15, 15} << QList<double>{5.01}
        << QByteArray("VOLT 5.01;:Syst:Err?\n");
    QTest::newRow("two notches in one event") << 5.0 << QList<int>{240} << QList<double>{5.01, 5.02}
                                              << QByteArray("VOLT 5.02;:Syst:Err?\n");
    QTest::newRow("stops at the top") << 30.995 << QList<int>{120, 120} << QList<double>{31.0}
                                      << QByteArray("VOLT 31;:Syst:Err?\n");
    QTest::newRow("at zero") << 0.0 << QList<int>{-120} << QList<double>{} << QByteArray();
}

void TestSetpointKnob::wheelFinishesEveryNotch()
{
    QFETCH(double, start);
    QFETCH(QList<int>, deltas);
    QFETCH(QList<double>, finished);
    QFETCH(QByteArray, lastCommand);
    KnobWindow w(Quantity::Voltage, 31.0, start);
    QVERIFY(w.exposed());
    w.knob->setMouseWheelStepSize(0.01);
    for (const int delta : deltas)
        w.sendWheel(delta);
    QCOMPARE(w.finishedPositions(), finished);
    QCOMPARE(exact(w.knob->position()), exact(finished.isEmpty() ? start : finished.last()));
    if (!finished.isEmpty())
        QCOMPARE(BuildVoltCommand(finished.last()), lastCommand);
}

void TestSetpointKnob::dragFinishesOnceWithFinalPosition()
{
    KnobWindow w(Quantity::Voltage, 31.0, 15.5); // pointing straight up
    QVERIFY(w.exposed());
    w.pressAndTurn(90, 20);
    const double turned = w.knob->position();
    QVERIFY2(turned > 20 && turned < 25, qPrintable(QString::number(turned)));
    QCOMPARE(exact(turned), exact(std::round(turned * 1000) / 1000)); // displayed resolution
    QCOMPARE(w.finished->count(), 0);
    w.mouse(QTest::MouseRelease, Qt::LeftButton, 20);
    QCOMPARE(w.finishedPositions(), QList<double>{turned});
}

void TestSetpointKnob::dragPastAnEndStopsThere_data()
{
    // The dial spans 270 degrees, clockwise from 0 at 225 degrees to the maximum at -45 degrees;
    // a turn of 180 degrees from near an end crosses the gap between the ends.
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("fromDegrees");
    QTest::addColumn<double>("toDegrees");
    QTest::addColumn<double>("end");
    QTest::newRow("below 0") << 2.0 << 210.0 << 390.0 << 0.0;
    QTest::newRow("above 31") << 29.0 << -30.0 << -210.0 << 31.0;
}

void TestSetpointKnob::dragPastAnEndStopsThere()
{
    QFETCH(double, start);
    QFETCH(double, fromDegrees);
    QFETCH(double, toDegrees);
    QFETCH(double, end);
    KnobWindow w(Quantity::Voltage, 31.0, start);
    QVERIFY(w.exposed());
    w.pressAndTurn(fromDegrees, toDegrees);
    QCOMPARE(exact(w.knob->position()), exact(end));
    w.mouse(QTest::MouseRelease, Qt::LeftButton, toDegrees);
    QCOMPARE(w.finishedPositions(), QList<double>{end});
}

void TestSetpointKnob::clickWithoutTurningFinishesNothing()
{
    KnobWindow w(Quantity::Current, 3.1, 1.25);
    QVERIFY(w.exposed());
    w.mouse(QTest::MouseClick, Qt::LeftButton, 30);
    w.mouse(QTest::MousePress, Qt::RightButton, 90);
    w.mouse(QTest::MouseMove, Qt::NoButton, 0);
    w.mouse(QTest::MouseRelease, Qt::RightButton, 0);
    QCOMPARE(exact(w.knob->position()), exact(1.25));
    QCOMPARE(w.finished->count(), 0);
}

void TestSetpointKnob::programPositionIsClampedAndSilent_data()
{
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("requested");
    QTest::addColumn<double>("expected");
    QTest::newRow("40 on 31 V") << 31.0 << 40.0 << 31.0;
    QTest::newRow("7 on 6 V") << 6.0 << 7.0 << 6.0;
    QTest::newRow("3.2 on 3.1 A") << 3.1 << 3.2 << 3.1;
    QTest::newRow("negative") << 31.0 << -1.0 << 0.0;
    QTest::newRow("inside") << 31.0 << 12.345 << 12.345;
    QTest::newRow("not a number keeps it") << 31.0 << kNaN << 2.5;
}

void TestSetpointKnob::programPositionIsClampedAndSilent()
{
    QFETCH(double, maximum);
    QFETCH(double, requested);
    QFETCH(double, expected);
    KnobWindow w(Quantity::Voltage, maximum, 2.5);
    QVERIFY(w.exposed());
    w.knob->setPosition(requested);
    QCOMPARE(exact(w.knob->position()), exact(expected));
    QCOMPARE(w.finished->count(), 0);
}

void TestSetpointKnob::invalidStepSizesAreRefused()
{
    SetpointKnob knob(Quantity::Voltage, 31.0);
    QCOMPARE(knob.keyArrowStepSize(), 0.1);
    QCOMPARE(knob.keyPageStepSize(), 1.0);
    QCOMPARE(knob.mouseWheelStepSize(), 0.1);
    for (const double bad : {0.0, -0.5, kNaN, kInf}) {
        knob.setKeyArrowStepSize(bad);
        knob.setKeyPageStepSize(bad);
        knob.setMouseWheelStepSize(bad);
    }
    QCOMPARE(knob.keyArrowStepSize(), 0.1);
    QCOMPARE(knob.keyPageStepSize(), 1.0);
    QCOMPARE(knob.mouseWheelStepSize(), 0.1);
    knob.setKeyArrowStepSize(0.05);
    QCOMPARE(knob.keyArrowStepSize(), 0.05);
}

void TestSetpointKnob::ticksAndPositionText()
{
    SetpointKnob voltage(Quantity::Voltage, 31.0);
    QCOMPARE(voltage.scaleDiv().ticks(QwtScaleDiv::MajorTick),
             (QList<double>{0, 6.2, 12.4, 18.6, 24.8, 31}));
    SetpointKnob current(Quantity::Current, 3.1);
    const QList<double> majors = current.scaleDiv().ticks(QwtScaleDiv::MajorTick);
    QVERIFY(majors.size() >= 4);
    for (const double tick : majors) // round values, so the 1-decimal labels are exact
        QCOMPARE(std::round(tick * 10) / 10, tick);

    current.setPosition(1.5);
    QCOMPARE(current.positionText(), QStringLiteral("1.500 A"));
    QLocale::setDefault(QLocale(QLocale::German));
    voltage.setPosition(5.01);
    QCOMPARE(voltage.positionText(), QStringLiteral("5,010 V"));
}

QTEST_MAIN(TestSetpointKnob)
#include "tst_setpointknob.moc"
