#include "TextEscapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "Utf8.h"

namespace drives {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

std::string HexEscape(unsigned char byte, const char* format) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, format, byte);
    return escaped;
}

// C0, DEL and the C1 range U+0080..U+009F: terminals act on all of them.
bool IsControl(std::string_view character) {
    const auto first = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return first < 0x20 || first == 0x7F;
    return character.size() == 2 && first == 0xC2 &&
           static_cast<unsigned char>(character[1]) < 0xA0;
}

}  // namespace

// Appended in place: a report holds a hundred of these, and a string per character was most of
// the time the tool spent formatting.
std::string JsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    while (!text.empty()) {
        const std::size_t length = utf8::SequenceLength(text);
        const auto first = static_cast<unsigned char>(text[0]);
        if (length == 0) {
            out += kReplacement;
        } else if (first == '"' || first == '\\') {
            out += '\\';
            out += text[0];
        } else if (first < 0x20) {
            out += HexEscape(first, "\\u%04x");
        } else {
            out.append(text.data(), length);
        }
        text.remove_prefix(length ? length : 1);
    }
    out += '"';
    return out;
}

std::string JsonTextMembers(std::string_view name, std::string_view text) {
    std::string out = JsonString(name) + ": " + JsonString(text);
    if (!utf8::IsValid(text))
        out += ", " + JsonString(std::string(name) + "Base64") + ": \"" + Base64(text) + "\"";
    return out;
}

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        for (std::size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= count ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

std::string TableText(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t length = utf8::SequenceLength(text);
        const std::string_view character = text.substr(0, length ? length : 1);
        if (character == "\\") {
            out += "\\\\";
        } else if (length == 0 || IsControl(character)) {
            for (const char byte : character)
                out += HexEscape(static_cast<unsigned char>(byte), "\\x%02X");
        } else {
            out += character;
        }
        text.remove_prefix(character.size());
    }
    return out;
}

std::string CappedText(std::string_view text, std::size_t limit) {
    const std::size_t count = utf8::CharacterCount(text);
    if (count <= limit) return std::string(text);
    if (limit == 0) return {};
    const std::size_t kept = limit - 1;
    const std::string_view head = utf8::FirstCharacters(text, kept - kept / 2);
    std::string_view tail = text;
    for (std::size_t skip = count - kept / 2; skip > 0; --skip)
        tail.remove_prefix(utf8::CharacterLength(tail));
    return std::string(head) + std::string(kEllipsis) + std::string(tail);
}

}  // namespace drives
