#include "platform/posix/output_costs.h"

namespace platform::posix {

OutputCosts& outputCosts() {
    static OutputCosts totals;
    return totals;
}

} // namespace platform::posix
