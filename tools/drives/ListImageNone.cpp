#include "ListImage.h"

namespace drives {

std::optional<std::string> WriteListImage(const std::string&, const Options&) {
    return "this build has no windows to render (--png needs the Qt build)";
}

}  // namespace drives
