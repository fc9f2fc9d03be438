// libFuzzer target: the settings container reader, with and without the communication block.
#include "SettingsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (const bool withCommBlock : {true, false}) {
        const DecodedSettings decoded = DecodeSettings(bytes, withCommBlock);
        // whatever was read must write back as a well-formed container
        if (decoded.image.hotkeyCaptions.size() == SettingsImage::CaptionCount &&
            decoded.image.scanCells.size() == SettingsImage::ScanCellCount)
            EncodeSettings(decoded.image);
    }
    return 0;
}
