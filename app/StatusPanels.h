#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

// The main window's status bar with its four fixed panels (power type, spare, communication
// status, spare).
class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int PanelCount = 4;

    explicit StatusPanels(QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

private:
    std::array<QLabel*, PanelCount> m_panels{};
};
