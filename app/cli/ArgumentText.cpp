#include "ArgumentText.h"

namespace cli {

namespace {

constexpr char16_t kEscapedBytes = 0xF700;  // + byte, for the bytes 0x80 to 0xFF

bool IsEscapedByte(QChar c)
{
    return c.unicode() >= kEscapedBytes + 0x80 && c.unicode() <= kEscapedBytes + 0xFF;
}

}  // namespace

QString FromArgument(const char* argument)
{
    QString text;
    for (const char* byte = argument; *byte != '\0'; ++byte) {
        const auto value = static_cast<unsigned char>(*byte);
        text += value < 0x80 ? QChar(value) : QChar(char16_t(kEscapedBytes + value));
    }
    return text;
}

std::string ToBytes(const QString& text)
{
    std::string bytes;
    qsizetype plainFrom = 0;
    const auto flushPlain = [&](qsizetype upTo) {
        bytes += text.sliced(plainFrom, upTo - plainFrom).toStdString();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsEscapedByte(text[i]))
            continue;
        flushPlain(i);
        bytes += static_cast<char>(text[i].unicode() - kEscapedBytes);
        plainFrom = i + 1;
    }
    flushPlain(text.size());
    return bytes;
}

}  // namespace cli
