#include "SettingsFile.h"

#include "ByteImage.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("SettingsFile", text);
}

template <typename Record>
QVector<Record> ReadRecords(ByteReader& in)
{
    const qint32 count = in.int32();
    QVector<Record> records;
    // The count is not trusted: records are read one by one until it is reached or the
    // bytes run out, never allocated up front.
    for (qint32 i = 0; i < count && in.ok(); ++i) {
        const QByteArray image = in.bytes(Record::ImageSize);
        if (in.ok())
            records.append(Record::fromImage(image));
    }
    return records;
}

QByteArrayList ReadSlots(ByteReader& in, int count)
{
    QByteArrayList texts;
    for (int i = 0; i < count; ++i) {
        const QByteArray text = in.fixedText(SettingsImage::SlotSize);
        if (!in.ok())
            break;
        texts.append(text);
    }
    return texts;
}

} // namespace

SettingsImage DefaultSettingsImage()
{
    SettingsImage image;
    image.comm = TCommConfig();
    for (int i = 0; i < SettingsImage::CaptionCount; ++i)
        image.hotkeyCaptions << QByteArrayLiteral("0V/0A;0V/0A;0V/0A");
    // per channel row: start, stop, increment, then the interval shared by all rows
    for (int row = 0; row < 3; ++row)
        image.scanCells << "1" << "6" << "1" << "1";
    image.programSteps = {TProgramStep()};
    image.goNGSteps = {TGoNGStep()};
    return image;
}

bool PathHasCommBlock(const QString& path)
{
    return !path.toUpper().contains(QLatin1String(".PAR"));
}

QString ParameterFilePath(const QString& chosen)
{
    return chosen.contains(QLatin1String(".PAR")) ? chosen : chosen + QStringLiteral(".PAR");
}

QByteArray EncodeSettings(const SettingsImage& image)
{
    Q_ASSERT(image.hotkeyCaptions.size() == SettingsImage::CaptionCount);
    Q_ASSERT(image.scanCells.size() == SettingsImage::ScanCellCount);
    ByteWriter out;
    if (image.comm)
        out.putBytes(image.comm->toImage());
    for (const QByteArray& text : image.hotkeyCaptions + image.scanCells)
        out.putTerminatedText(text, SettingsImage::SlotSize);
    out.putInt32(image.programSteps.size());
    for (const TProgramStep& step : image.programSteps)
        out.putBytes(step.toImage());
    out.putInt32(image.goNGSteps.size());
    for (const TGoNGStep& step : image.goNGSteps)
        out.putBytes(step.toImage());
    return out.bytes();
}

DecodedSettings DecodeSettings(const QByteArray& bytes, bool withCommBlock)
{
    DecodedSettings decoded;
    SettingsImage& image = decoded.image;
    ByteReader in(bytes);
    if (withCommBlock) {
        const QByteArray block = in.bytes(TCommConfig::ImageSize);
        if (in.ok())
            image.comm = TCommConfig::fromImage(block);
    }
    image.hotkeyCaptions = ReadSlots(in, SettingsImage::CaptionCount);
    image.scanCells = ReadSlots(in, SettingsImage::ScanCellCount);
    image.programSteps = ReadRecords<TProgramStep>(in);
    image.goNGSteps = ReadRecords<TGoNGStep>(in);
    decoded.complete = in.ok();
    return decoded;
}

SettingsReadResult ReadSettingsImage(const QString& path)
{
    SettingsReadResult result;
    QFile file(path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = SettingsReadResult::Failed;
        result.error = Tr("Cannot open \"%1\": %2").arg(QFileInfo(path).absoluteFilePath(),
                                                      file.errorString());
        return result;
    }
    result.status = SettingsReadResult::Read;
    result.settings = DecodeSettings(file.readAll(), PathHasCommBlock(path));
    return result;
}

QString WriteSettingsImage(const QString& path, const SettingsImage& image)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = EncodeSettings(image);
        if (file.write(bytes) == bytes.size() && file.commit())
            return {};
    }
    return Tr("Cannot write \"%1\": %2").arg(QFileInfo(path).absoluteFilePath(), file.errorString());
}
