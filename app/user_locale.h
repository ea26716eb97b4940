// The user's decimal and thousands separators, as the desktop's locale gives them.
#pragma once

#include "platform/numbers.h"

namespace tessavo {
NumberSeparators SeparatorsOfUserLocale();
}
