// The program level; learning of new texts happens while it is 6 or less.
#pragma once

namespace tessavo {
int ProgramLevel();
}  // namespace tessavo
