#pragma once
// Arrays with inclusive bounds 0..n, as the geometry indexes them: points by
// (level, corner, axis) and face orientations by (row, corner). Every access is checked;
// an index outside the bounds raises ComputationError, as an array fault ends a recomputation.
#include <cstddef>
#include <string>
#include <vector>

#include "core/errors.h"

namespace solifa {

template <class T> class Grid3 {
public:
    // New array with bounds (0..maxLevel, 0..maxCorner, 0..2), every entry 0.
    void recreate(int maxLevel, int maxCorner) {
        if (maxLevel < 0 || maxCorner < 0)
            throw ComputationError("negative array bound");
        levels_ = maxLevel + 1;
        corners_ = maxCorner + 1;
        data_.assign(static_cast<std::size_t>(levels_) * corners_ * 3, T{});
    }
    T& at(int level, int corner, int axis) { return data_[index(level, corner, axis)]; }
    const T& at(int level, int corner, int axis) const { return data_[index(level, corner, axis)]; }
    int maxLevel() const { return levels_ - 1; }
    int maxCorner() const { return corners_ - 1; }
    bool empty() const { return data_.empty(); }

private:
    std::size_t index(int level, int corner, int axis) const {
        if (level < 0 || level >= levels_ || corner < 0 || corner >= corners_ || axis < 0 ||
            axis > 2)
            throw ComputationError("index outside the point array");
        return (static_cast<std::size_t>(level) * corners_ + corner) * 3 + axis;
    }
    int levels_ = 0;
    int corners_ = 0;
    std::vector<T> data_;
};

template <class T> class Grid2 {
public:
    // New array with bounds (0..maxRow, 0..maxCorner), every entry 0.
    void recreate(int maxRow, int maxCorner) {
        if (maxRow < 0 || maxCorner < 0)
            throw ComputationError("negative array bound");
        rows_ = maxRow + 1;
        corners_ = maxCorner + 1;
        data_.assign(static_cast<std::size_t>(rows_) * corners_, T{});
    }
    T& at(int row, int corner) { return data_[index(row, corner)]; }
    const T& at(int row, int corner) const { return data_[index(row, corner)]; }
    int maxRow() const { return rows_ - 1; }
    int maxCorner() const { return corners_ - 1; }

private:
    std::size_t index(int row, int corner) const {
        if (row < 0 || row >= rows_ || corner < 0 || corner >= corners_)
            throw ComputationError("index outside the face array");
        return static_cast<std::size_t>(row) * corners_ + corner;
    }
    int rows_ = 0;
    int corners_ = 0;
    std::vector<T> data_;
};

} // namespace solifa
