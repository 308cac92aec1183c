#pragma once
// The one error type of the geometry: raised for a degree index outside the angle tables,
// an array index outside the generated bounds or a value that leaves its integer range.
// It ends the recomputation that raised it; what was written so far stays.
#include <stdexcept>
#include <string>

namespace solifa {

class ComputationError : public std::runtime_error {
public:
    explicit ComputationError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace solifa
