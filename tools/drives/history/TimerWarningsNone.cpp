#include "TimerWarnings.h"

// A build without Qt has no window whose settings could switch the warnings on, nor a
// notifier program to reach the notification server with.
namespace drives {

bool RunNotifier() {
    return false;
}

}  // namespace drives
