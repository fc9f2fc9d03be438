#include "ToggleSwitch.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

const QColor kOnColor(0, 190, 60);
constexpr qreal kSlotWidthToHeight = 0.5;
constexpr qreal kMargin = 2.5; // room for the focus frame; half pixels keep 1-pixel lines sharp
constexpr qreal kLeverInset = 2;

} // namespace

ToggleSwitch::ToggleSwitch(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const
{
    return {26, 44};
}

QSize ToggleSwitch::minimumSizeHint() const
{
    return {16, 28};
}

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;

    const QRectF slot = slotRect();
    const qreal radius = slot.width() / 2;
    QColor fill = isChecked() ? kOnColor : palette().color(group, QPalette::Mid);
    if (!isEnabled()) // greyed out, but on and off stay apart
        fill = QColor::fromHsv(fill.hue(), fill.saturation() / 4, fill.value());
    painter.setPen(QPen(palette().color(group, QPalette::Shadow), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(slot, radius, radius);

    const QRectF lever = leverRect(slot);
    QLinearGradient shine(lever.topLeft(), lever.bottomLeft());
    shine.setColorAt(0, palette().color(group, QPalette::Light));
    shine.setColorAt(1, palette().color(group, QPalette::Button));
    painter.setPen(QPen(palette().color(group, QPalette::Dark), 1));
    painter.setBrush(shine);
    painter.drawEllipse(lever);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QRectF ToggleSwitch::slotRect() const
{
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const qreal width = qMin(area.width(), area.height() * kSlotWidthToHeight);
    return QRectF(area.center().x() - width / 2, area.top(), width, area.height());
}

QRectF ToggleSwitch::leverRect(const QRectF& slot) const
{
    const qreal size = slot.width() - 2 * kLeverInset;
    const qreal top = isChecked() ? slot.top() + kLeverInset : slot.bottom() - kLeverInset - size;
    return QRectF(slot.left() + kLeverInset, top, size, size);
}
