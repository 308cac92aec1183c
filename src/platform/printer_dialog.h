#pragma once
// The standard dialog that chooses the printer for the next print job.
#include <memory>

class QPrinter;
class QWidget;

namespace solifa {

class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    // Lets the user pick the printer; returns a printer ready to paint on, nullptr on cancel.
    virtual std::unique_ptr<QPrinter> choose(QWidget* parent) = 0;
};

} // namespace solifa
