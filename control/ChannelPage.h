#pragma once

#include "PresetCaption.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class SetpointKnob;
class SevenSegmentReadout;
class TextTable;

// One tab of the channel page control: a "Voltage Setting" and a "Current Setting" group,
// each with its knob, the measured value ("Present Value") and the set-point ("Setup Value").
class ChannelPage : public QWidget
{
    Q_OBJECT
public:
    explicit ChannelPage(int channel, QWidget* parent = nullptr);

    void LoadCaptions(const TextTable& texts);

    SetpointKnob* knob(PresetQuantity quantity) const;
    // the measured value of the channel, repeated from the summary read-outs
    SevenSegmentReadout* present(PresetQuantity quantity) const;
    // what the knob last sent or the instrument reported
    SevenSegmentReadout* setup(PresetQuantity quantity) const;

private:
    struct Group
    {
        QGroupBox* box = nullptr;
        SetpointKnob* knob = nullptr;
        SevenSegmentReadout* present = nullptr;
        SevenSegmentReadout* setup = nullptr;
        QLabel* presentLabel = nullptr;
        QLabel* setupLabel = nullptr;
        QLabel* hint = nullptr;
    };
    Group buildGroup(int channel, PresetQuantity quantity);
    const Group& group(PresetQuantity quantity) const;

    Group m_voltage;
    Group m_current;
};
