// Test helper: pins the process-wide number separators for one scope and restores them after.
#pragma once

#include "platform/numbers.h"

namespace tessavo {

class PinnedSeparators {
  public:
    explicit PinnedSeparators(NumberSeparators pinned = {'.', ','}) : saved_(Separators()) {
        SetSeparators(pinned);
    }
    ~PinnedSeparators() { SetSeparators(saved_); }
    PinnedSeparators(const PinnedSeparators&) = delete;
    PinnedSeparators& operator=(const PinnedSeparators&) = delete;

  private:
    NumberSeparators saved_;
};

}  // namespace tessavo
