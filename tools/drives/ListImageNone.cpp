#include "ListImage.h"

namespace drives {

std::optional<std::string> WriteListImage(const std::string&, const Options&) {
    return "this build cannot render the list (--png needs a build with the windows, "
           "VOLLMARK_GUI=ON)";
}

}  // namespace drives
