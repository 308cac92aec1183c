#pragma once
// The desktop's clipboard.

class QImage;

namespace solifa {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Replaces the clipboard's contents by `image`; false if the clipboard refused it.
    virtual bool setImage(const QImage& image) = 0;
};

} // namespace solifa
