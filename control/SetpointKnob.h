#pragma once

#include "KnobStepping.h"

#include <qwt_knob.h>

#include <optional>

// A rotary knob for one channel's voltage or current set-point, 0 to a maximum, showing its
// position with 3 decimals and the unit under the dial.
//
// The knob applies three step sizes itself: the arrow step (Right/Up add, Left/Down subtract),
// the page step (Page Up adds, Page Down subtracts) and the wheel step (per notch); Home goes to 0
// and End to the maximum; a mouse drag turns it freely, at the resolution it displays.
// QwtAbstractSlider's own key and wheel stepping is replaced, so the step sizes act exactly.
//
// positionChangeFinished is raised once per finished operator gesture that moved the knob: at
// the mouse release ending a drag, at the key release ending a key press (however long the key
// auto-repeated), and at each wheel notch. A gesture cut short by the knob losing focus or being
// disabled ends there. Setting the position from the program never raises it.
class SetpointKnob : public QwtKnob
{
    Q_OBJECT
public:
    // Voltage knobs carry 6 evenly spaced major ticks and the unit "V"; current knobs a
    // division of round values and the unit "A". Tick labels have 1 decimal.
    enum class Quantity
    {
        Voltage,
        Current
    };

    SetpointKnob(Quantity quantity, double maximum, QWidget* parent = nullptr);

    double position() const { return m_position.value(); }
    double maximum() const { return m_position.maximum(); }
    // The position as displayed, e.g. "5.010 V" (decimal separator of the current locale).
    QString positionText() const;

    double keyArrowStepSize() const { return m_arrowStep; }
    double keyPageStepSize() const { return m_pageStep; }
    double mouseWheelStepSize() const { return m_wheelStep; }
    // A step size that is not a positive finite number is refused and the old one kept.
    void setKeyArrowStepSize(double step);
    void setKeyPageStepSize(double step);
    void setMouseWheelStepSize(double step);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    // Moves the knob as the program's choice: clamped into the range, no signal.
    void setPosition(double position);

Q_SIGNALS:
    void positionChangeFinished(double position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void drawFocusIndicator(QPainter* painter) const override;

private:
    // The base class's value only mirrors the position for drawing; position() is what counts.
    using QwtKnob::setValue;
    using QwtKnob::value;

    void applyScale(Quantity quantity);
    void useCompactTickLabels();
    QRect textRect() const;
    void showPosition();
    // Where a key moves the knob, or nothing for keys the knob leaves alone.
    std::optional<double> keyTarget(int key) const;
    void dragTo(double value);
    void beginGesture();
    void finishGesture();

    KnobPosition m_position;
    QString m_unit;
    QFont m_positionFont;
    double m_arrowStep = 0.1;
    double m_pageStep = 1.0;
    double m_wheelStep = 0.1;
    WheelNotchCounter m_wheel;
    std::optional<double> m_gestureStart;
};
