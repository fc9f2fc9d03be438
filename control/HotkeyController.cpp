#include "HotkeyController.h"

#include "HotkeyPanel.h"
#include "TForm_FastKey.h"

HotkeyController::HotkeyController(HotkeyPanel* panel, TForm_FastKey* dialog, PresetTarget* target,
                                   QObject* parent)
    : QObject(parent), m_panel(panel), m_dialog(dialog), m_target(target)
{
    connect(panel, &HotkeyPanel::applyRequested, this, &HotkeyController::ApplyPreset);
    connect(panel, &HotkeyPanel::editRequested, this, &HotkeyController::EditPreset);
}

void HotkeyController::ApplyPreset(int index)
{
    const QByteArray caption = captionBytes(index);
    const PresetReading reading = ReadPreset(caption);
    for (int i = 0; i < PresetChannelCount; ++i) {
        for (const PresetQuantity quantity : {PresetQuantity::Voltage, PresetQuantity::Current}) {
            if (const std::optional<double> value = reading[i].value(quantity)) {
                const double position = m_target->setKnob(i + 1, quantity, *value);
                m_target->showSetpoint(i + 1, quantity, position);
            }
        }
    }
    for (const QByteArray& command : BuildPresetCommands(caption))
        m_target->appendCommand(command);
}

void HotkeyController::EditPreset(int index)
{
    m_dialog->SetEntries(ReadPreset(captionBytes(index)));
    if (m_dialog->exec() != QDialog::Accepted)
        return;
    const QString caption = BuildPresetCaption(m_dialog->Entries());
    m_panel->setCaption(index, caption);
    m_panel->setHint(index, caption);
}

QByteArray HotkeyController::captionBytes(int index) const
{
    // The grammar reads 8-bit text; characters outside ASCII never match its letters or digits.
    return m_panel->caption(index).toLocal8Bit();
}
