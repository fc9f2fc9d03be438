#pragma once

#include <QTimer>
#include <qwt_interval.h>
#include <qwt_plot.h>

#include <array>
#include <memory>

class TrendCurve;
class TrendSamples;
class TrendStore;

// A live trend of three store columns (channels 1, 2 and 3) against the time of day. The X axis
// spans every row since the store was last cleared; the Y axis starts at the initial range and
// widens to take in every value, never narrowing. Redraws are paced by a frame timer and happen
// only when the store has changed, however fast rows arrive. The operator cannot change the
// plot; a double-click on it is reported.
class TrendPlot : public QwtPlot
{
    Q_OBJECT
public:
    static constexpr int kChannels = 3;
    static constexpr int kFrameMs = 100;
    // the X axis spans at least this much, so its labels step in whole seconds
    static constexpr qint64 kMinimumSpanMs = 10000;

    // `firstColumn` 0 shows the voltages, 3 the currents
    TrendPlot(const TrendStore& store, int firstColumn, const QwtInterval& initialRange,
              QWidget* parent = nullptr);
    ~TrendPlot() override;

    void setPlotTitle(const QString& title);
    // `channel` 1..3; the title is shown in the legend
    void setChannelTitle(int channel, const QString& title);
    void setTimeAxisTitle(const QString& title);

    // Fits the axes to the store and redraws now; the frame timer does this on its own whenever
    // the store has changed.
    void refresh();

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refreshIfChanged();
    void fitAxes();
    void setUpLook();
    void setUpTimeAxis();

    const TrendStore& m_store;
    const int m_firstColumn;
    const QwtInterval m_initialRange;
    std::unique_ptr<TrendSamples> m_samples;
    std::array<TrendCurve*, kChannels> m_curves{};
    QTimer m_frameTimer;
    quint64 m_shownRevision = 0;
};
