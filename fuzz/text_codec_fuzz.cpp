// Fuzzes the decoding of text from users' files: the UTF-8 test agrees with Qt's strict UTF-8 decoder, valid
// UTF-8 passes unchanged, and whatever comes in, valid UTF-8 comes out with every ASCII byte kept in place.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include "fuzz/fuzz_check.h"
#include "io/text_codec.h"

namespace {

// Qt's decoder, keeping a leading byte order mark as a character like any other; stateless, so a sequence cut
// off at the end is an error rather than left pending.
bool qtAcceptsUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool valid = morvane::isValidUtf8(bytes);
    FUZZ_CHECK(valid == qtAcceptsUtf8(bytes));

    const std::string decoded = morvane::decodeUserText(bytes);
    FUZZ_CHECK(morvane::isValidUtf8(decoded));
    if (valid) {
        FUZZ_CHECK(decoded == bytes);
        return 0;
    }
    // Windows-1251: one character per byte, ASCII unchanged, everything else two or three UTF-8 bytes.
    std::size_t at = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        FUZZ_CHECK(at < decoded.size());
        if (b < 0x80) {
            FUZZ_CHECK(decoded[at] == c);
            ++at;
        } else {
            const auto lead = static_cast<unsigned char>(decoded[at]);
            const std::size_t length = lead >= 0xE0 ? 3 : 2;
            FUZZ_CHECK(lead >= 0xC2);
            at += length;
        }
    }
    FUZZ_CHECK(at == decoded.size());
    return 0;
}
