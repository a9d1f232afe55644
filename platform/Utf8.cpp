#include "Utf8.h"

namespace utf8 {
namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The allowed range of the second byte narrows for the lead bytes that would otherwise
// start an overlong form, a surrogate or a code point past U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    if (lead == 0xE0) return second >= 0xA0 && second <= 0xBF;
    if (lead == 0xED) return second >= 0x80 && second <= 0x9F;
    if (lead == 0xF0) return second >= 0x90 && second <= 0xBF;
    if (lead == 0xF4) return second >= 0x80 && second <= 0x8F;
    return IsContinuation(second);
}

std::size_t ExpectedLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::size_t SequenceLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = ExpectedLength(lead);
    if (length <= 1 || text.size() < length) return length == 1 ? 1 : 0;
    if (!SecondByteFits(lead, static_cast<unsigned char>(text[1]))) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 0;
    return length;
}

std::size_t CharacterLength(std::string_view text) {
    if (text.empty()) return 0;
    const std::size_t length = SequenceLength(text);
    return length ? length : 1;
}

bool IsValid(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = SequenceLength(text);
        if (length == 0) return false;
        text.remove_prefix(length);
    }
    return true;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (; !text.empty(); ++count) text.remove_prefix(CharacterLength(text));
    return count;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size() && taken < count; ++taken)
        end += CharacterLength(text.substr(end));
    return text.substr(0, end);
}

std::string_view BoundedPrefix(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharacterLength(text.substr(end));
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace utf8
