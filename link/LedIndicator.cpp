#include "LedIndicator.h"

#include <QPainter>

namespace {

constexpr int kFrameMs = 20;

} // namespace

LedIndicator::LedIndicator(const QColor& litColor, QWidget* parent)
    : QWidget(parent), m_litColor(litColor)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(kFrameMs);
    connect(&m_repaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void LedIndicator::setOn(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    if (!m_repaint.isActive())
        m_repaint.start();
}

QSize LedIndicator::sizeHint() const
{
    return {22, 12};
}

void LedIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    const QColor fill = m_on ? m_litColor : m_litColor.darker(400);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(isEnabled() ? fill : fill.darker(150));
    painter.drawRect(box);
}
