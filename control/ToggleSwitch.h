#pragma once

#include <QAbstractButton>

// A two-position toggle switch: a vertical slot whose lever sits up (lit) when on and down
// (dark) when off. It is a checkable button, off at start; a click or the space key flips it,
// and toggled(bool) follows every change of state, the program's setChecked included.
class ToggleSwitch : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF slotRect() const;
    QRectF leverRect(const QRectF& slot) const;
};
