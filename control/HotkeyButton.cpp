#include "HotkeyButton.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// Room left on each side of the caption: the frame and a little air.
constexpr int kCaptionMargin = 4;

} // namespace

HotkeyButton::HotkeyButton(QWidget* parent) : QPushButton(parent)
{
    setCheckable(true);
    // Latching follows the mouse alone: a key press must not latch a preset it did not apply.
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void HotkeyButton::setCaption(const QString& caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    updateToolTip();
    update();
}

void HotkeyButton::setHint(const QString& hint)
{
    m_hint = hint;
    updateToolTip();
}

void HotkeyButton::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT mouseDown(event->button());
    if (event->button() == Qt::LeftButton)
        QPushButton::mousePressEvent(event);
    else
        event->accept();
}

void HotkeyButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    // Drawn without mnemonics, so that "&" shows as it is.
    painter.drawItemText(captionArea(), Qt::AlignCenter, palette(), isEnabled(), shownCaption(),
                         QPalette::ButtonText);
}

void HotkeyButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    updateToolTip();
}

void HotkeyButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateToolTip();
}

QRect HotkeyButton::captionArea() const
{
    return rect().adjusted(kCaptionMargin, 0, -kCaptionMargin, 0);
}

int HotkeyButton::captionRoom() const
{
    return captionArea().width();
}

int HotkeyButton::captionWidth(const QFont& font) const
{
    return QFontMetrics(font).horizontalAdvance(m_caption);
}

QString HotkeyButton::shownCaption() const
{
    return fontMetrics().elidedText(m_caption, Qt::ElideRight, captionRoom());
}

void HotkeyButton::updateToolTip()
{
    setToolTip(shownCaption() == m_caption ? m_hint : m_caption);
}
