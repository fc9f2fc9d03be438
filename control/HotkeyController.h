#pragma once

#include "PresetCaption.h"

#include <QByteArray>
#include <QObject>

class HotkeyPanel;
class TForm_FastKey;

// What applying a preset acts on: the six set-point knobs with their read-outs, and the command
// queue. Channels are 1 to 3.
class PresetTarget
{
public:
    virtual ~PresetTarget() = default;

    // Moves the knob without raising its change-finished event and returns the position it took,
    // which the knob limits to its range.
    virtual double setKnob(int channel, PresetQuantity quantity, double value) = 0;
    virtual void showSetpoint(int channel, PresetQuantity quantity, double value) = 0;
    virtual void appendCommand(const QByteArray& command) = 0;
};

// The two hotkey gestures. A left press applies the button's preset: knobs and read-outs move to
// its values and "APP:VOLT" and "APP:CURR" are queued with the texts as written in the caption.
// Any other press edits it in the set-up dialog; OK makes the entries the new caption and hint,
// and nothing is sent.
class HotkeyController : public QObject
{
    Q_OBJECT
public:
    // Connects to the panel's requests. The panel, dialog and target must outlive the controller.
    HotkeyController(HotkeyPanel* panel, TForm_FastKey* dialog, PresetTarget* target,
                     QObject* parent = nullptr);

    void ApplyPreset(int index);
    void EditPreset(int index);

private:
    QByteArray captionBytes(int index) const;

    HotkeyPanel* m_panel;
    TForm_FastKey* m_dialog;
    PresetTarget* m_target;
};
