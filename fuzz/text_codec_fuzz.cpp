// Fuzzes the decoding of text from users' files: the UTF-8 test agrees with Qt's strict UTF-8 decoder, valid
// UTF-8 passes unchanged, and whatever comes in, valid UTF-8 comes out with every ASCII byte kept in place. Text in
// UTF-16 (after its byte order mark) comes out as Qt's UTF-16 decoder reads it.
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

// Qt's reading of UTF-16 in the byte order its mark gives, as UTF-8; a last byte without its pair is left out, as a
// stateless decoder leaves it. Qt keeps a surrogate without its other half as it is (and would write it as "?"):
// it is put as U+FFFD here, as the program puts it.
std::string qtUtf8FromUtf16(std::string_view bytes)
{
    const bool big = bytes[0] == '\xFE';
    // A second mark after the first is a character of the text, as the program keeps it.
    QStringDecoder decoder(big ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const std::string_view units = bytes.substr(2, (bytes.size() - 2) / 2 * 2);
    QString text = decoder(QByteArrayView(units.data(), static_cast<qsizetype>(units.size())));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text.toStdString();
}

void checkUtf16(std::string_view bytes)
{
    if (!morvane::startsAsUtf16(bytes)) return;
    std::string decoded = morvane::utf8FromUtf16(bytes);
    FUZZ_CHECK(morvane::isValidUtf8(decoded));
    if (bytes.size() % 2 != 0) {
        FUZZ_CHECK(decoded.size() >= 3 && decoded.substr(decoded.size() - 3) == "\xEF\xBF\xBD");
        decoded.resize(decoded.size() - 3);
    }
    FUZZ_CHECK(decoded == qtUtf8FromUtf16(bytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkUtf16(bytes);
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
