#pragma once

#include <QGroupBox>
#include <QVector>

class HotkeyButton;
class QAbstractButton;

// The hotkey group: ten latching preset buttons in two columns (1, 3, 5, 7, 9 on the left,
// 2, 4, 6, 8, 10 on the right). At most one button is down: a left click latches a button and
// releases the others, a left click on the latched one releases it. A press with the left mouse
// button asks for the preset to be applied, a press with any other button for it to be edited.
// Captions that do not fit at the group's font are shown in a smaller one, the same on all
// buttons, down to 70 % of it; beyond that they are elided.
// Buttons are addressed by index 0 to 9 (tbFastKey1 to tbFastKey10).
class HotkeyPanel : public QGroupBox
{
    Q_OBJECT
public:
    static constexpr int ButtonCount = 10;
    static const QString DefaultCaption;

    explicit HotkeyPanel(QWidget* parent = nullptr);

    QAbstractButton* button(int index) const;

    QString caption(int index) const;
    void setCaption(int index, const QString& caption);

    // Edited presets set the hint as well; a caption loaded from a file leaves it as it was.
    QString hint(int index) const;
    void setHint(int index, const QString& hint);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

Q_SIGNALS:
    void applyRequested(int index);
    void editRequested(int index);

private:
    void tbFastKey1MouseDown(HotkeyButton* pressed, Qt::MouseButton mouseButton);
    void latch(HotkeyButton* clicked, bool down);
    void fitCaptionFont();
    bool allCaptionsFit(const QFont& font) const;

    QVector<HotkeyButton*> m_buttons;
};
