#include "NumberLocale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace platform::linuxfs {
namespace {

struct LocaleDeleter {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocalePtr = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleDeleter>;

// A legacy 8-bit locale (uk_UA.KOI8-U, de_DE.ISO-8859-1) answers in its own code set; such a
// separator is reported unreadable rather than handed on as broken UTF-8.
std::optional<std::string> utf8Item(nl_item item, locale_t locale) {
    const char* value = nl_langinfo_l(item, locale);
    if (value == nullptr) return std::nullopt;
    std::string text(value);
    if (!isUtf8(text)) return std::nullopt;
    return text;
}

int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const int length = sequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

NumberSettings readNumberSettings() {
    const LocalePtr locale(newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr)));
    if (!locale) return {};
    return {utf8Item(THOUSEP, locale.get()), utf8Item(RADIXCHAR, locale.get())};
}

}  // namespace platform::linuxfs
