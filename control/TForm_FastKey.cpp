#include "TForm_FastKey.h"

#include "TextTable.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr QSize kDesignClientSize(353, 156);
constexpr int kTitleText = 28;
constexpr int kOkText = 71;
constexpr int kCancelText = 72;
constexpr int kFirstVoltageLabelText = 153;
constexpr int kFirstCurrentLabelText = 156;
constexpr int kDecimals = 3;
// Presets are never negative: the caption grammar reads no sign back. Upwards there is no
// practical limit for a bench supply; the bound also keeps the entries a sensible width.
constexpr double kMaximumEntry = 99999.999;

QDoubleSpinBox* newEntry(const QString& name, const QString& unitSuffix)
{
    auto* entry = new QDoubleSpinBox;
    entry->setObjectName(name);
    entry->setDecimals(kDecimals);
    entry->setRange(0, kMaximumEntry);
    entry->setSuffix(unitSuffix);
    entry->setAlignment(Qt::AlignRight);
    return entry;
}

QString voltageLabelDefault(int channel)
{
    return TForm_FastKey::tr("CH%1 Voltage").arg(channel);
}

QString currentLabelDefault(int channel)
{
    return TForm_FastKey::tr("CH%1 Current").arg(channel);
}

} // namespace

TForm_FastKey::TForm_FastKey(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_FastKey"));
    setWindowTitle(tr("HotKey(Right-click button to Setup)"));
    setModal(true);
    buildLayout();
}

void TForm_FastKey::buildLayout()
{
    auto* entries = new QGridLayout;
    entries->setHorizontalSpacing(6);
    entries->setColumnMinimumWidth(2, 12);
    for (int i = 0; i < PresetChannelCount; ++i) {
        const int channel = i + 1;
        ChannelRow& row = m_rows[i];
        const QString prefix = QStringLiteral("iAnalogOutput_Ch%1FastKey").arg(channel);
        row.voltageLabel = new QLabel(voltageLabelDefault(channel));
        row.voltage = newEntry(prefix + QLatin1Char('V'), QStringLiteral(" V"));
        row.currentLabel = new QLabel(currentLabelDefault(channel));
        row.current = newEntry(prefix + QLatin1Char('A'), QStringLiteral(" A"));
        row.voltageLabel->setBuddy(row.voltage);
        row.currentLabel->setBuddy(row.current);
        entries->addWidget(row.voltageLabel, i, 0);
        entries->addWidget(row.voltage, i, 1);
        entries->addWidget(row.currentLabel, i, 3);
        entries->addWidget(row.current, i, 4);
    }

    m_okButton = new QPushButton(tr("OK"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* column = new QVBoxLayout(this);
    column->addLayout(entries);
    column->addStretch();
    column->addLayout(buttons);
    // A fixed dialog of its design size, grown only when longer texts need more room.
    setMinimumSize(kDesignClientSize);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm_FastKey::LoadCaptions(const TextTable& texts)
{
    setWindowTitle(texts.text(kTitleText, windowTitle()));
    for (int i = 0; i < PresetChannelCount; ++i) {
        ChannelRow& row = m_rows[i];
        row.voltageLabel->setText(
            texts.text(kFirstVoltageLabelText + i, voltageLabelDefault(i + 1)));
        row.currentLabel->setText(
            texts.text(kFirstCurrentLabelText + i, currentLabelDefault(i + 1)));
    }
    m_okButton->setText(texts.text(kOkText, m_okButton->text()));
    m_cancelButton->setText(texts.text(kCancelText, m_cancelButton->text()));
}

void TForm_FastKey::SetEntries(const PresetReading& reading)
{
    for (int i = 0; i < PresetChannelCount; ++i) {
        if (reading[i].voltage)
            m_rows[i].voltage->setValue(*reading[i].voltage);
        if (reading[i].current)
            m_rows[i].current->setValue(*reading[i].current);
    }
}

PresetValues TForm_FastKey::Entries() const
{
    PresetValues values;
    for (int i = 0; i < PresetChannelCount; ++i)
        values[i] = {m_rows[i].voltage->value(), m_rows[i].current->value()};
    return values;
}

void TForm_FastKey::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen();
}

void TForm_FastKey::centreOnScreen()
{
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(shownOn->availableGeometry().center());
    move(frame.topLeft());
}
