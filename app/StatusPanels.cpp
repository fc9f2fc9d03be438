#include "StatusPanels.h"

#include <QLabel>

namespace {

constexpr std::array<int, StatusPanels::PanelCount> kPanelWidths = {400, 0, 400, 250};

} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (size_t i = 0; i < m_panels.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setVisible(kPanelWidths[i] > 0);
        addWidget(panel, kPanelWidths[i]);
        m_panels[i] = panel;
    }
}

void StatusPanels::setPanelText(int panel, const QString& text)
{
    m_panels.at(static_cast<size_t>(panel))->setText(text);
}

QString StatusPanels::panelText(int panel) const
{
    return m_panels.at(static_cast<size_t>(panel))->text();
}
