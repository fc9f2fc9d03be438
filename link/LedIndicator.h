#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// A small rectangular LED that shows traffic by toggling between lit and dark. At high traffic
// it toggles far faster than a screen refreshes, so repaints are paced to a steady frame rate;
// the state itself always follows every toggle.
class LedIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit LedIndicator(const QColor& litColor, QWidget* parent = nullptr);

    void setOn(bool on);
    void toggle() { setOn(!m_on); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_litColor;
    bool m_on = false;
    QTimer m_repaint;
};
