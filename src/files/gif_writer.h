#pragma once
// An animated GIF written frame by frame: one global colour table taken from the few colours
// the pictures use, a loop extension that repeats the animation forever, and a delay per frame.
#include <QImage>
#include <QRgb>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class QIODevice;
struct GifFileType;

namespace solifa {

class GifWriter {
public:
    // Opens the animation on device (already open for writing), every frame width x height
    // pixels. palette holds the colours the frames use, at most 256; a pixel of another colour
    // is written as the nearest colour of the palette.
    GifWriter(QIODevice* device, int width, int height, const std::vector<QRgb>& palette);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    bool isOpen() const { return gif_ != nullptr && error_.empty(); }

    // Appends one frame of the animation's size, shown for delayCentiseconds. A null frame,
    // which is what an image that could not be allocated is, fails for want of memory.
    bool addFrame(const QImage& frame, int delayCentiseconds);

    // Ends the file. False when anything on the way failed; errorString() says what.
    bool finish();

    const std::string& errorString() const { return error_; }
    // True when the failure was a lack of memory; errorString() then says just that.
    bool outOfMemory() const { return outOfMemory_; }

private:
    uint8_t indexOf(QRgb colour);
    bool fail(const std::string& what, int gifError);
    bool failForMemory();

    GifFileType* gif_ = nullptr;
    int width_;
    int height_;
    std::vector<QRgb> palette_;
    std::unordered_map<QRgb, uint8_t> indexCache_;
    std::vector<uint8_t> row_;
    std::string error_;
    bool outOfMemory_ = false;
};

} // namespace solifa
