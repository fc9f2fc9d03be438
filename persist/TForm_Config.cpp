#include "TForm_Config.h"

#include "TextTable.h"

#include <QCollator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

const QStringList kBaudRates = {QStringLiteral("4800"), QStringLiteral("9600"),
                                QStringLiteral("19200"), QStringLiteral("38400")};

} // namespace

QStringList ProbeSerialPorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        // Only a port that opens now is offered; one in use (also by this program) is not.
        QSerialPort port(info);
        if (port.open(QIODevice::ReadWrite)) {
            ports << info.portName();
            port.close();
        }
    }
    QCollator byNumber;
    byNumber.setNumericMode(true);
    std::sort(ports.begin(), ports.end(), byNumber);
    return ports;
}

TForm_Config::TForm_Config(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Config"));
    setWindowTitle(tr("Config"));
    setModal(true);

    TeThemeComboBoxRaudRate = new QComboBox;
    TeThemeComboBoxRaudRate->setObjectName(QStringLiteral("TeThemeComboBoxRaudRate"));
    TeThemeComboBoxRaudRate->addItems(kBaudRates);
    TeThemeComboBoxRaudRate->setMaxVisibleItems(kBaudRates.size());
    TeThemeComboBoxComm = new QComboBox;
    TeThemeComboBoxComm->setObjectName(QStringLiteral("TeThemeComboBoxComm"));
    TeThemeComboBoxComm->setEditable(true);
    TeThemeComboBoxComm->setInsertPolicy(QComboBox::NoInsert);

    const char* names[] = {"iAnalogOutputKA1", "iAnalogOutputKP1", "iAnalogOutputMW1",
                           "iAnalogOutputKA2", "iAnalogOutputKP2", "iAnalogOutputMW2"};
    for (size_t i = 0; i < m_steps.size(); ++i)
        m_steps[i] = stepEntry(names[i], i < 3 ? QStringLiteral(" V") : QStringLiteral(" A"));

    const QStringList labelTexts = {tr("BaudRate"),  tr("CommPort"),  tr("Key--Arrow"),
                                    tr("Key--Page"), tr("Mouse--wheel"), tr("Key--Arrow"),
                                    tr("Key--Page"), tr("Mouse--wheel")};
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i] = new QLabel(labelTexts[static_cast<int>(i)]);

    m_commGroup = new QGroupBox(tr("Comm"));
    auto* comm = new QFormLayout(m_commGroup);
    comm->addRow(m_labels[0], TeThemeComboBoxRaudRate);
    comm->addRow(m_labels[1], TeThemeComboBoxComm);
    m_voltageGroup = new QGroupBox(tr("VoltageStep"));
    m_currentGroup = new QGroupBox(tr("CurrentStep"));
    for (size_t group = 0; group < 2; ++group) {
        auto* rows = new QFormLayout(group == 0 ? m_voltageGroup : m_currentGroup);
        for (size_t i = 0; i < 3; ++i)
            rows->addRow(m_labels[2 + 3 * group + i], m_steps[3 * group + i]);
    }

    auto* buttons = new QDialogButtonBox;
    m_ok = buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* steps = new QHBoxLayout;
    steps->addWidget(m_voltageGroup);
    steps->addWidget(m_currentGroup);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_commGroup);
    column->addLayout(steps);
    column->addWidget(buttons);
    resize(385, 257);
}

QDoubleSpinBox* TForm_Config::stepEntry(const char* name, const QString& unit)
{
    auto* entry = new QDoubleSpinBox;
    entry->setObjectName(QLatin1String(name));
    entry->setDecimals(3);
    entry->setSuffix(unit);
    // no practical limits: the steps are stored as entered
    entry->setRange(-std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
    return entry;
}

void TForm_Config::LoadCaptions(const TextTable& texts)
{
    setWindowTitle(texts.text(1, windowTitle()));
    m_commGroup->setTitle(texts.text(62, m_commGroup->title()));
    m_voltageGroup->setTitle(texts.text(66, m_voltageGroup->title()));
    m_currentGroup->setTitle(texts.text(70, m_currentGroup->title()));
    const int labelIndices[] = {63, 64, 67, 68, 69, 67, 68, 69};
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(texts.text(labelIndices[i], m_labels[i]->text()));
    m_ok->setText(texts.text(71, m_ok->text()));
    m_cancel->setText(texts.text(72, m_cancel->text()));
}

std::optional<TCommConfig> TForm_Config::Edit(const TCommConfig& config)
{
    Load(config, ProbeSerialPorts());
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Result(config);
}

void TForm_Config::Load(const TCommConfig& config, const QStringList& ports)
{
    TeThemeComboBoxComm->clear();
    TeThemeComboBoxComm->addItems(ports);
    TeThemeComboBoxComm->setMaxVisibleItems(qMax(1, ports.size()));
    TeThemeComboBoxRaudRate->setCurrentIndex(config.BaudRateIndex);
    // the port in use shows although it could not be opened for the list
    TeThemeComboBoxComm->setEditText(config.portNameText());
    const double steps[] = {config.VoltageKeyArrowStep, config.VoltageKeyPageStep,
                            config.VoltageMouseWheelStep, config.CurrentKeyArrowStep,
                            config.CurrentKeyPageStep, config.CurrentMouseWheelStep};
    for (size_t i = 0; i < m_steps.size(); ++i)
        m_steps[i]->setValue(steps[i]);
}

std::optional<TCommConfig> TForm_Config::Result(const TCommConfig& config) const
{
    const QString portName = TeThemeComboBoxComm->currentText();
    if (portName.isEmpty())
        return std::nullopt;
    TCommConfig edited = config;
    // the selected list item counts; text typed into the field is not read
    if (TeThemeComboBoxRaudRate->currentIndex() >= 0)
        edited.BaudRateIndex = TeThemeComboBoxRaudRate->currentIndex();
    edited.setPortName(portName);
    double* steps[] = {&edited.VoltageKeyArrowStep, &edited.VoltageKeyPageStep,
                       &edited.VoltageMouseWheelStep, &edited.CurrentKeyArrowStep,
                       &edited.CurrentKeyPageStep, &edited.CurrentMouseWheelStep};
    for (size_t i = 0; i < m_steps.size(); ++i)
        *steps[i] = m_steps[i]->value();
    return edited;
}
