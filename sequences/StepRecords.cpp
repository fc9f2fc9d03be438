#include "StepRecords.h"

#include "ByteImage.h"

QByteArray TProgramStep::toImage() const
{
    ByteWriter out;
    for (size_t channel = 0; channel < 3; ++channel) {
        out.putFixedText(Voltage[channel], TextSize);
        out.putFixedText(Current[channel], TextSize);
    }
    out.putZeros(4);
    out.putDouble(Time);
    Q_ASSERT(out.bytes().size() == ImageSize);
    return out.bytes();
}

TProgramStep TProgramStep::fromImage(const QByteArray& image)
{
    Q_ASSERT(image.size() >= ImageSize);
    ByteReader in(image);
    TProgramStep step;
    for (size_t channel = 0; channel < 3; ++channel) {
        step.Voltage[channel] = in.fixedText(TextSize);
        step.Current[channel] = in.fixedText(TextSize);
    }
    in.skip(4);
    step.Time = in.float64();
    return step;
}

QByteArray TGoNGStep::toImage() const
{
    ByteWriter out;
    for (size_t channel = 0; channel < 3; ++channel) {
        out.putFixedText(Setting[channel], TextSize);
        out.putFixedText(Max[channel], TextSize);
        out.putFixedText(Min[channel], TextSize);
    }
    out.putZeros(6);
    out.putDouble(Time);
    Q_ASSERT(out.bytes().size() == ImageSize);
    return out.bytes();
}

TGoNGStep TGoNGStep::fromImage(const QByteArray& image)
{
    Q_ASSERT(image.size() >= ImageSize);
    ByteReader in(image);
    TGoNGStep step;
    for (size_t channel = 0; channel < 3; ++channel) {
        step.Setting[channel] = in.fixedText(TextSize);
        step.Max[channel] = in.fixedText(TextSize);
        step.Min[channel] = in.fixedText(TextSize);
    }
    in.skip(6);
    step.Time = in.float64();
    return step;
}
