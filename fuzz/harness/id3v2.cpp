// ID3v2 tags (2.2, 2.3, 2.4) at the start of a file, as the tag window reads them.
#include "tags/Id3v2Parser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Id3v2Parser::DeclaredSize(bytes);
    Id3v2Parser::Parse(bytes);
    return 0;
}
