#include "SetpointKnob.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

#include <qwt_round_scale_draw.h>
#include <qwt_scale_div.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDisplayDecimals = 3;
constexpr int kVoltageMajorTicks = 6;
constexpr int kVoltageMinorPerMajor = 4;
constexpr int kCurrentMaxMajorTicks = 7;
constexpr int kTextGap = 2;
constexpr double kTickFontScale = 0.8;
constexpr int kMajorTickLength = 5;
constexpr int kMinorTickLength = 2;
constexpr int kScaleSpacing = 2;
constexpr int kFocusPenWidth = 2;

class OneDecimalScaleDraw : public QwtRoundScaleDraw
{
public:
    QwtText label(double value) const override { return QLocale().toString(value, 'f', 1); }
};

// Evenly spaced major ticks from 0 to the maximum with minor ticks between them.
QwtScaleDiv evenDivision(double maximum, int majorTicks, int minorPerMajor)
{
    QList<double> major;
    QList<double> minor;
    const int intervals = majorTicks - 1;
    for (int i = 0; i <= intervals; ++i) {
        major.append(maximum * i / intervals);
        for (int m = 1; i < intervals && m <= minorPerMajor; ++m)
            minor.append(maximum * (i * (minorPerMajor + 1) + m) /
                         (intervals * (minorPerMajor + 1)));
    }
    return QwtScaleDiv(0, maximum, minor, {}, major);
}

// A drag reaches any position at the resolution the knob displays, so what the operator sees is
// exactly the value that is set.
double atDisplayResolution(double value)
{
    const double scale = std::pow(10.0, kDisplayDecimals);
    return std::round(value * scale) / scale;
}

QFont scaledFont(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(qRound(font.pixelSize() * factor));
    return font;
}

bool isValidStep(double step)
{
    return std::isfinite(step) && step > 0;
}

} // namespace

SetpointKnob::SetpointKnob(Quantity quantity, double maximum, QWidget* parent)
    : QwtKnob(parent), m_position(maximum),
      m_unit(quantity == Quantity::Voltage ? QStringLiteral("V") : QStringLiteral("A"))
{
    setScaleDraw(new OneDecimalScaleDraw);
    scaleDraw()->setTickLength(QwtScaleDiv::MajorTick, kMajorTickLength);
    scaleDraw()->setTickLength(QwtScaleDiv::MediumTick, kMinorTickLength);
    scaleDraw()->setTickLength(QwtScaleDiv::MinorTick, kMinorTickLength);
    scaleDraw()->setSpacing(kScaleSpacing);
    applyScale(quantity);
    useCompactTickLabels();
    setStepAlignment(false);
    setKnobStyle(QwtKnob::Raised);
    setMarkerStyle(QwtKnob::Dot);
    setBorderWidth(2);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::WheelFocus);
    showPosition();
    connect(this, &QwtAbstractSlider::sliderMoved, this, &SetpointKnob::dragTo);
    connect(this, &QwtAbstractSlider::sliderReleased, this, &SetpointKnob::finishGesture);
}

QString SetpointKnob::positionText() const
{
    return QLocale().toString(position(), 'f', kDisplayDecimals) + QLatin1Char(' ') + m_unit;
}

void SetpointKnob::setKeyArrowStepSize(double step)
{
    if (isValidStep(step))
        m_arrowStep = step;
}

void SetpointKnob::setKeyPageStepSize(double step)
{
    if (isValidStep(step))
        m_pageStep = step;
}

void SetpointKnob::setMouseWheelStepSize(double step)
{
    if (isValidStep(step))
        m_wheelStep = step;
}

QSize SetpointKnob::sizeHint() const
{
    return QwtKnob::sizeHint().expandedTo({160, 160});
}

QSize SetpointKnob::minimumSizeHint() const
{
    return QwtKnob::minimumSizeHint().expandedTo({120, 120});
}

void SetpointKnob::setPosition(double position)
{
    if (m_position.moveTo(position))
        showPosition();
}

void SetpointKnob::keyPressEvent(QKeyEvent* event)
{
    const std::optional<double> target = keyTarget(event->key());
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    beginGesture();
    if (m_position.moveTo(*target))
        showPosition();
    event->accept();
}

void SetpointKnob::keyReleaseEvent(QKeyEvent* event)
{
    if (!keyTarget(event->key())) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    // A held key repeats as press/release pairs marked auto-repeat; only the real release ends
    // the gesture.
    if (!event->isAutoRepeat())
        finishGesture();
    event->accept();
}

void SetpointKnob::wheelEvent(QWheelEvent* event)
{
    const int notches = m_wheel.add(event->angleDelta().y());
    const double step = notches > 0 ? m_wheelStep : -m_wheelStep;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (!m_position.moveBy(step))
            break;
        showPosition();
        Q_EMIT positionChangeFinished(position());
    }
    event->accept();
}

void SetpointKnob::mousePressEvent(QMouseEvent* event)
{
    // Only the left button turns the knob; the others stay free for context actions.
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    QwtKnob::mousePressEvent(event);
}

void SetpointKnob::focusOutEvent(QFocusEvent* event)
{
    // The key release goes to whichever widget has the focus by then.
    finishGesture();
    QwtKnob::focusOutEvent(event);
}

void SetpointKnob::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        finishGesture();
    QwtKnob::changeEvent(event);
}

void SetpointKnob::paintEvent(QPaintEvent* event)
{
    QwtKnob::paintEvent(event);
    QPainter painter(this);
    painter.setFont(m_positionFont);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect(), Qt::AlignHCenter | Qt::AlignTop, positionText());
}

void SetpointKnob::applyScale(Quantity quantity)
{
    if (quantity == Quantity::Voltage) {
        setScale(evenDivision(maximum(), kVoltageMajorTicks, kVoltageMinorPerMajor));
    } else {
        setScaleMaxMajor(kCurrentMaxMajorTicks);
        setScale(0, maximum());
    }
}

void SetpointKnob::drawFocusIndicator(QPainter* painter) const
{
    // Always visible, not only after keyboard navigation: the focused knob is the one the arrow
    // and page keys turn.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(palette().color(QPalette::Highlight), kFocusPenWidth));
    painter->setBrush(Qt::NoBrush);
    const qreal out = kFocusPenWidth / 2.0;
    painter->drawEllipse(QRectF(knobRect()).adjusted(-out, -out, out, out));
    painter->restore();
}

void SetpointKnob::useCompactTickLabels()
{
    // The knob lays out its scale with the widget font: a smaller one leaves a larger dial. The
    // position keeps the full size, in bold; size and weight are set explicitly so that the
    // painter does not take them from the smaller widget font.
    m_positionFont = scaledFont(font(), 1.0);
    m_positionFont.setBold(true);
    setFont(scaledFont(font(), kTickFontScale));
}

QRect SetpointKnob::textRect() const
{
    // Centred under the dial and clear of the labels at the scale's two ends.
    const QRect dial = knobRect();
    const double ringRadius =
        dial.width() / 2.0 + scaleDraw()->spacing() + scaleDraw()->maxTickLength();
    const double endDrop = -std::cos(qDegreesToRadians(totalAngle() / 2)) * ringRadius;
    const int labelsBottom = dial.center().y() + qRound(endDrop) + fontMetrics().height();
    const int top = std::max(dial.bottom(), labelsBottom) + kTextGap;
    return QRect(0, top, width(), height() - top);
}

void SetpointKnob::showPosition()
{
    QwtKnob::setValue(position());
    update();
}

std::optional<double> SetpointKnob::keyTarget(int key) const
{
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        return position() + m_arrowStep;
    case Qt::Key_Left:
    case Qt::Key_Down:
        return position() - m_arrowStep;
    case Qt::Key_PageUp:
        return position() + m_pageStep;
    case Qt::Key_PageDown:
        return position() - m_pageStep;
    case Qt::Key_Home:
        return 0.0;
    case Qt::Key_End:
        return maximum();
    default:
        return std::nullopt;
    }
}

void SetpointKnob::dragTo(double value)
{
    beginGesture();
    m_position.moveTo(atDisplayResolution(value));
    // Also pulls the dial back onto the position when the drag stays within one display step.
    showPosition();
}

void SetpointKnob::beginGesture()
{
    if (!m_gestureStart)
        m_gestureStart = position();
}

void SetpointKnob::finishGesture()
{
    if (!m_gestureStart)
        return;
    const bool moved = *m_gestureStart != position();
    m_gestureStart.reset();
    if (moved)
        Q_EMIT positionChangeFinished(position());
}
