#pragma once
// The standard colour dialog.
#include <optional>

#include "core/surface.h"

class QWidget;

namespace solifa {

class ColorDialog {
public:
    virtual ~ColorDialog() = default;
    // Opens the colour dialog preset to `preset`; nullopt when the user cancels.
    virtual std::optional<ColorRef> choose(QWidget* parent, ColorRef preset) = 0;
};

} // namespace solifa
