// The program's fixed waits, in one place, so runs that must not depend on time can skip them.
#pragma once

namespace tessavo {

void SetPausesEnabled(bool enabled);
bool PausesEnabled();
// Sleeps for the given milliseconds unless pauses are switched off.
void Pause(int milliseconds);

}  // namespace tessavo
