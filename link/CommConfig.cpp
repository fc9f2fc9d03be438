#include "CommConfig.h"

#include "ByteImage.h"

#include <array>

namespace {

constexpr std::array<qint32, 4> kBaudRates = {4800, 9600, 19200, 38400};

} // namespace

QByteArray TCommConfig::toImage() const
{
    ByteWriter out;
    out.putInt32(BaudRateIndex);
    out.putFixedText(PortName, PortNameSize);
    out.putZeros(1);
    for (double step : {VoltageKeyArrowStep, VoltageKeyPageStep, VoltageMouseWheelStep,
                        CurrentKeyArrowStep, CurrentKeyPageStep, CurrentMouseWheelStep})
        out.putDouble(step);
    Q_ASSERT(out.bytes().size() == ImageSize);
    return out.bytes();
}

TCommConfig TCommConfig::fromImage(const QByteArray& image)
{
    Q_ASSERT(image.size() >= ImageSize);
    ByteReader in(image);
    TCommConfig config;
    config.BaudRateIndex = in.int32();
    config.PortName = in.fixedText(PortNameSize);
    in.skip(1);
    for (double* step : {&config.VoltageKeyArrowStep, &config.VoltageKeyPageStep,
                         &config.VoltageMouseWheelStep, &config.CurrentKeyArrowStep,
                         &config.CurrentKeyPageStep, &config.CurrentMouseWheelStep})
        *step = in.float64();
    return config;
}

void TCommConfig::setPortName(const QString& name)
{
    PortName = name.toLatin1().left(PortNameSize);
}

QString TCommConfig::portNameText() const
{
    return QString::fromLatin1(PortName.left(PortNameSize));
}

bool TCommConfig::operator==(const TCommConfig& other) const
{
    return toImage() == other.toImage();
}

std::optional<qint32> BaudRateForIndex(qint32 index)
{
    if (index < 0 || index >= static_cast<qint32>(kBaudRates.size()))
        return std::nullopt;
    return kBaudRates[static_cast<size_t>(index)];
}
