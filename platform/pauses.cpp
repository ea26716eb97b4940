// The program's fixed waits, in one place, so runs that must not depend on time can skip them.
#include "platform/pauses.h"

#include <chrono>
#include <thread>

namespace tessavo {

namespace {
bool g_pausesEnabled = true;
}

void SetPausesEnabled(bool enabled) {
    g_pausesEnabled = enabled;
}
bool PausesEnabled() {
    return g_pausesEnabled;
}

void Pause(int milliseconds) {
    if (g_pausesEnabled && milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

}  // namespace tessavo
