#pragma once

#include "PresetCaption.h"

#include <QDialog>

#include <array>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class TextTable;

// The hotkey set-up dialog: the voltage and current of each channel for one preset. It is
// created once and keeps its entries between openings, so a channel the edited caption does not
// give shows what it showed last time.
class TForm_FastKey : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_FastKey(QWidget* parent = nullptr);

    void LoadCaptions(const TextTable& texts);

    // Puts the values a caption gives into the entries; entries without a value keep theirs.
    void SetEntries(const PresetReading& reading);
    PresetValues Entries() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct ChannelRow
    {
        QLabel* voltageLabel = nullptr;
        QDoubleSpinBox* voltage = nullptr;
        QLabel* currentLabel = nullptr;
        QDoubleSpinBox* current = nullptr;
    };

    void buildLayout();
    void centreOnScreen();

    std::array<ChannelRow, PresetChannelCount> m_rows;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
