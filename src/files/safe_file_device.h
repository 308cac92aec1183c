#pragma once
// A Qt device that writes into a file of the safe write path, for Qt's writers and the GIF
// writer that stream their bytes. A failed write is kept by the file, so it is seen even where a
// writer ignores it.
#include <QIODevice>

#include "files/safe_write.h"

namespace solifa {

class SafeFileDevice final : public QIODevice {
public:
    explicit SafeFileDevice(SafeFile& file) : file_(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        return file_.write(data, std::size_t(size)) ? size : -1;
    }

private:
    SafeFile& file_;
};

} // namespace solifa
