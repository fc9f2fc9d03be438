#pragma once

#include "CommConfig.h"

#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TextTable;

// Serial ports that can be opened now, in ascending order, named as the connection opens them.
QStringList ProbeSerialPorts();

// The configuration dialog: serial port, baud rate and the knobs' step sizes. It edits a copy
// of the live settings; the caller stores them, gives the knobs their steps and reconnects.
class TForm_Config : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Config(QWidget* parent = nullptr);

    void LoadCaptions(const TextTable& texts);

    // Probes the ports, shows `config` and lets the operator edit it. Returns the edited
    // settings when confirmed with a port name, nothing when cancelled or the name is empty.
    std::optional<TCommConfig> Edit(const TCommConfig& config);

    // the steps of Edit around the modal run, for driving the dialog without blocking
    void Load(const TCommConfig& config, const QStringList& ports);
    std::optional<TCommConfig> Result(const TCommConfig& config) const;

private:
    QDoubleSpinBox* stepEntry(const char* name, const QString& unit);

    QGroupBox* m_commGroup;
    QGroupBox* m_voltageGroup;
    QGroupBox* m_currentGroup;
    QComboBox* TeThemeComboBoxRaudRate;
    QComboBox* TeThemeComboBoxComm;
    // voltage arrow, page, wheel; current arrow, page, wheel
    std::array<QDoubleSpinBox*, 6> m_steps{};
    std::array<QLabel*, 8> m_labels{};
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
