#pragma once

// The set-point a knob holds. It always lies inside 0..maximum, and every value it takes is
// rounded to a 1e-9 grid, so that any run of steps lands exactly on the decimal value an
// operator expects: 5.0 + 0.01 is the double 5.01, not 5.0099999..., and a hundred steps of
// 0.1 add up to exactly 10.
class KnobPosition
{
public:
    explicit KnobPosition(double maximum);

    double maximum() const { return m_maximum; }
    double value() const { return m_value; }

    // Both return whether the value changed. A target beyond an end stops at that end; a target
    // that is not a number leaves the value as it is.
    bool moveTo(double target);
    bool moveBy(double delta) { return moveTo(m_value + delta); }

private:
    double m_maximum;
    double m_value = 0;
};

// Turns wheel rotation into whole notches. A classic mouse reports 120 units (one notch) per
// event; high-resolution wheels and touchpads report fractions of a notch that only count once
// they add up to a whole one. Turning back discards a fraction gathered in the other direction,
// so a reversal answers at the first full notch.
class WheelNotchCounter
{
public:
    static constexpr int kUnitsPerNotch = 120;

    // Adds one event's rotation; returns the whole notches now complete (negative = backwards).
    int add(int angleDelta);

private:
    int m_pending = 0;
};
