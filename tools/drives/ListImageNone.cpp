#include "ListImage.h"

namespace drives {

std::optional<std::string> WriteListImage(const std::string&, const Options&) {
    return "this build cannot render the list (--png needs the Linux build with Qt)";
}

}  // namespace drives
