// The program level; nothing in the program changes it.
#include "localisation/utlevel.h"

namespace tessavo {
int ProgramLevel() {
    return 0;
}
}  // namespace tessavo
