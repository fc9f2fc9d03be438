#pragma once

#include <QPushButton>

// One latching hotkey button. It shows its whole caption when it fits and elides the end when it
// does not (the tooltip then carries the whole caption); "&" in a caption is shown as it is, never
// taken as a shortcut marker. It reports every mouse press with the mouse button, whichever
// button it is; only the left button latches it.
class HotkeyButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr QSize DesignSize{103, 22};

    explicit HotkeyButton(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // The hint shown as tooltip while the whole caption is visible on the button.
    QString hint() const { return m_hint; }
    void setHint(const QString& hint);

    // The width the caption can take on the button, and the width it needs in `font`.
    int captionRoom() const;
    int captionWidth(const QFont& font) const;

    QSize sizeHint() const override { return DesignSize; }
    QSize minimumSizeHint() const override { return DesignSize; }

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect captionArea() const;
    QString shownCaption() const;
    void updateToolTip();

    QString m_caption;
    QString m_hint;
};
