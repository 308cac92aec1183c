#include "core/body_topology.h"

#include "core/errors.h"

namespace solifa {

const BodyTopology& TopologyOf(int body) {
    if (body < 0 || body >= kBodyCount)
        throw ComputationError("unknown body");
    return kBodyTopology[static_cast<std::size_t>(body)];
}

} // namespace solifa
