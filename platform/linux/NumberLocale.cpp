#include "NumberLocale.h"

#include <langinfo.h>
#include <locale.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "Utf8.h"

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
    if (!utf8::IsValid(text)) return std::nullopt;
    return text;
}

}  // namespace

NumberSettings readNumberSettings() {
    const LocalePtr locale(newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr)));
    if (!locale) return {};
    return {utf8Item(THOUSEP, locale.get()), utf8Item(RADIXCHAR, locale.get())};
}

}  // namespace platform::linuxfs
