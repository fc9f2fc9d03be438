// libFuzzer target: the language file reader.
#include "LanguageFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeLanguageFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    return 0;
}
