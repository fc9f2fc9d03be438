#include "ChannelPage.h"

#include "SetpointKnob.h"
#include "SevenSegmentReadout.h"
#include "TextTable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// The form's element names, per channel (index 0..2) and quantity (voltage, current).
struct GroupNames
{
    const char* box;
    const char* presentLabel;
    const char* setupLabel;
    const char* hint;
};

constexpr GroupNames kNames[3][2] = {
    {{"TeThemeGroupBoxVoltage", "TeThemeLabelVoltagePreset", "TeThemeLabelVoltageSetup",
      "TeThemeLabel13"},
     {"TeThemeGroupBoxCurrent", "TeThemeLabelCurrentPreset", "TeThemeLabelCurrentSetup",
      "TeThemeLabel14"}},
    {{"TeThemeGroupBox1", "TeThemeLabel2", "TeThemeLabel1", "TeThemeLabel3"},
     {"TeThemeGroupBox2", "TeThemeLabel5", "TeThemeLabel4", "TeThemeLabel6"}},
    {{"TeThemeGroupBox3", "TeThemeLabel8", "TeThemeLabel7", "TeThemeLabel9"},
     {"TeThemeGroupBox4", "TeThemeLabel11", "TeThemeLabel10", "TeThemeLabel12"}}};

template <typename Widget>
Widget* Named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

ChannelPage::ChannelPage(int channel, QWidget* parent) : QWidget(parent)
{
    m_voltage = buildGroup(channel, PresetQuantity::Voltage);
    m_current = buildGroup(channel, PresetQuantity::Current);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(m_voltage.box);
    row->addWidget(m_current.box);
}

ChannelPage::Group ChannelPage::buildGroup(int channel, PresetQuantity quantity)
{
    const bool voltage = quantity == PresetQuantity::Voltage;
    const GroupNames& names = kNames[channel - 1][voltage ? 0 : 1];
    const QString suffix = QStringLiteral("_%1").arg(channel);
    const double maximum = voltage ? (channel == 3 ? 6.0 : 31.0) : 3.1;
    const QString unit = voltage ? QStringLiteral("V") : QStringLiteral("A");

    Group g;
    g.box = Named(new QGroupBox(voltage ? tr("Voltage Setting") : tr("Current Setting")),
                  QLatin1String(names.box));
    g.knob = Named(new SetpointKnob(voltage ? SetpointKnob::Quantity::Voltage
                                            : SetpointKnob::Quantity::Current,
                                    maximum),
                   (voltage ? QStringLiteral("iKnobVoltage") : QStringLiteral("iKnobCurrent")) +
                       suffix);
    g.knob->setMinimumSize(110, 110);
    g.present = Named(new SevenSegmentReadout,
                      (voltage ? QStringLiteral("iSevenSegmentAnalogVoltage")
                               : QStringLiteral("iSevenSegmentAnalogCurrent")) +
                          suffix);
    g.setup = Named(new SevenSegmentReadout, (voltage ? QStringLiteral("iSevenSegmentAnalogPresetV")
                                                      : QStringLiteral("iSevenSegmentAnalogPresetA")) +
                                                 suffix);
    g.presentLabel = Named(new QLabel(tr("Present Value")), QLatin1String(names.presentLabel));
    g.setupLabel = Named(new QLabel(tr("Setup Value")), QLatin1String(names.setupLabel));
    g.hint = Named(new QLabel(tr("You can use the Mouse wheel ,Arrow or Page Up/Down key to "
                                 "change the setup value.")),
                   QLatin1String(names.hint));
    g.hint->setWordWrap(true);
    QFont small = g.hint->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    g.hint->setFont(small);

    auto* grid = new QGridLayout(g.box);
    grid->addWidget(g.knob, 0, 0, 5, 1);
    grid->addWidget(g.presentLabel, 0, 1, 1, 2);
    grid->addWidget(g.present, 1, 1);
    grid->addWidget(new QLabel(unit), 1, 2);
    grid->addWidget(g.setupLabel, 2, 1, 1, 2);
    grid->addWidget(g.setup, 3, 1);
    grid->addWidget(new QLabel(unit), 3, 2);
    grid->addWidget(g.hint, 5, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    return g;
}

void ChannelPage::LoadCaptions(const TextTable& texts)
{
    for (Group* g : {&m_voltage, &m_current}) {
        g->box->setTitle(texts.text(g == &m_voltage ? 13 : 17, g->box->title()));
        g->presentLabel->setText(texts.text(14, g->presentLabel->text()));
        g->setupLabel->setText(texts.text(15, g->setupLabel->text()));
        g->hint->setText(texts.text(16, g->hint->text()));
    }
}

const ChannelPage::Group& ChannelPage::group(PresetQuantity quantity) const
{
    return quantity == PresetQuantity::Voltage ? m_voltage : m_current;
}

SetpointKnob* ChannelPage::knob(PresetQuantity quantity) const
{
    return group(quantity).knob;
}

SevenSegmentReadout* ChannelPage::present(PresetQuantity quantity) const
{
    return group(quantity).present;
}

SevenSegmentReadout* ChannelPage::setup(PresetQuantity quantity) const
{
    return group(quantity).setup;
}
