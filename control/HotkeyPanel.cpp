#include "HotkeyPanel.h"

#include "HotkeyButton.h"

#include <QEvent>
#include <QGridLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kColumnCount = 2;
// Buttons 22 pixels high in rows 25 pixels apart.
constexpr int kRowGap = 3;
constexpr int kColumnGap = 8;
constexpr qreal kSmallestCaptionScale = 0.7;
constexpr qreal kCaptionFontStep = 0.5; // points

} // namespace

const QString HotkeyPanel::DefaultCaption = QStringLiteral("0V/0A;0V/0A;0V/0A");

HotkeyPanel::HotkeyPanel(QWidget* parent)
    : QGroupBox(tr("HotKey(Right-click button to Setup)"), parent)
{
    setObjectName(QStringLiteral("TeThemeGroupBoxFastKey"));
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(kRowGap);
    grid->setHorizontalSpacing(kColumnGap);
    for (int index = 0; index < ButtonCount; ++index) {
        auto* button = new HotkeyButton(this);
        button->setObjectName(QStringLiteral("tbFastKey%1").arg(index + 1));
        button->setCaption(DefaultCaption);
        connect(button, &HotkeyButton::mouseDown, this,
                [this, button](Qt::MouseButton mouseButton) {
                    tbFastKey1MouseDown(button, mouseButton);
                });
        connect(button, &QAbstractButton::clicked, this,
                [this, button](bool down) { latch(button, down); });
        grid->addWidget(button, index / kColumnCount, index % kColumnCount);
        m_buttons.append(button);
    }
    grid->setRowStretch(ButtonCount / kColumnCount, 1);
    for (int column = 0; column < kColumnCount; ++column)
        grid->setColumnStretch(column, 1);
}

QAbstractButton* HotkeyPanel::button(int index) const
{
    return m_buttons.at(index);
}

QString HotkeyPanel::caption(int index) const
{
    return m_buttons.at(index)->caption();
}

void HotkeyPanel::setCaption(int index, const QString& caption)
{
    m_buttons.at(index)->setCaption(caption);
    fitCaptionFont();
}

QString HotkeyPanel::hint(int index) const
{
    return m_buttons.at(index)->hint();
}

void HotkeyPanel::setHint(int index, const QString& hint)
{
    m_buttons.at(index)->setHint(hint);
}

void HotkeyPanel::tbFastKey1MouseDown(HotkeyButton* pressed, Qt::MouseButton mouseButton)
{
    const int index = m_buttons.indexOf(pressed);
    if (mouseButton == Qt::LeftButton)
        Q_EMIT applyRequested(index);
    else
        Q_EMIT editRequested(index);
}

void HotkeyPanel::latch(HotkeyButton* clicked, bool down)
{
    if (!down)
        return;
    for (HotkeyButton* other : std::as_const(m_buttons)) {
        if (other != clicked)
            other->setChecked(false);
    }
}

void HotkeyPanel::resizeEvent(QResizeEvent* event)
{
    // The layout has given the buttons their new size already.
    QGroupBox::resizeEvent(event);
    fitCaptionFont();
}

void HotkeyPanel::changeEvent(QEvent* event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitCaptionFont();
}

void HotkeyPanel::fitCaptionFont()
{
    QFont captionFont = font();
    const qreal fullSize = captionFont.pointSizeF();
    // A font given in pixels is not scaled; its captions are elided where they do not fit.
    if (fullSize > 0) {
        const qreal smallestSize = fullSize * kSmallestCaptionScale;
        qreal size = fullSize;
        while (size > smallestSize && !allCaptionsFit(captionFont)) {
            size = std::max(size - kCaptionFontStep, smallestSize);
            captionFont.setPointSizeF(size);
        }
    }
    for (HotkeyButton* button : std::as_const(m_buttons))
        button->setFont(captionFont);
}

bool HotkeyPanel::allCaptionsFit(const QFont& font) const
{
    return std::all_of(m_buttons.begin(), m_buttons.end(), [&font](const HotkeyButton* button) {
        return button->captionWidth(font) <= button->captionRoom();
    });
}
