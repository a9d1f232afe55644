#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "HelperPath.h"
#include "HistoryHelper.h"
#include "RendererPath.h"

namespace drives {

int RunHistoryHelper(char** argv) {
    const auto helper = FindHelper(kHistoryHelperName);
    if (!helper) {
        std::fprintf(stderr, "vollmark-drives: cannot find %s for the usage history\n",
                     kHistoryHelperName);
        return 1;
    }
    argv[0] = const_cast<char*>(helper->c_str());
    ::execv(helper->c_str(), argv);
    std::fprintf(stderr, "vollmark-drives: cannot start %s: %s\n", helper->c_str(),
                 std::strerror(errno));
    return 1;
}

}  // namespace drives
