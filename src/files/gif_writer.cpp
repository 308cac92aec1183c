#include "files/gif_writer.h"

#include <QIODevice>
#include <gif_lib.h>

#include <cerrno>
#include <limits>

#include "files/safe_write.h"

namespace solifa {

namespace {

int WriteToDevice(GifFileType* gif, const GifByteType* data, int length) {
    auto* device = static_cast<QIODevice*>(gif->UserData);
    const qint64 written = device->write(reinterpret_cast<const char*>(data), length);
    return written < 0 ? 0 : static_cast<int>(written);
}

// What each of the encoder's error codes means here. The library's own texts speak of its
// internals ("Failed to allocate required memory"), and one code covers every failed write.
std::string GifErrorText(int code) {
    switch (code) {
    case E_GIF_ERR_NOT_ENOUGH_MEM:
        return WriteFailureReason(ENOMEM, ReasonLanguage::English);
    case E_GIF_ERR_DISK_IS_FULL:
        return WriteFailureReason(ENOSPC, ReasonLanguage::English);
    case E_GIF_ERR_WRITE_FAILED:
        // Why is the device's to say; the file of the safe write path keeps its error number.
        return "the data could not be written";
    case E_GIF_ERR_OPEN_FAILED:
        return "the file could not be opened";
    case E_GIF_ERR_CLOSE_FAILED:
        return "the file could not be closed";
    case E_GIF_ERR_NOT_WRITEABLE:
        return "the file is not open for writing";
    case E_GIF_ERR_HAS_SCRN_DSCR:
        return "the picture size was given twice";
    case E_GIF_ERR_HAS_IMAG_DSCR:
        return "a frame was begun before the last one was complete";
    case E_GIF_ERR_NO_COLOR_MAP:
        return "a frame has no colour table";
    case E_GIF_ERR_DATA_TOO_BIG:
        return "a frame holds more pixels than its size";
    default:
        return "GIF error " + std::to_string(code);
    }
}

} // namespace

GifWriter::GifWriter(QIODevice* device, int width, int height, const std::vector<QRgb>& palette)
    : width_(width), height_(height), palette_(palette),
      row_(static_cast<std::size_t>(width > 0 ? width : 0)) {
    if (palette_.empty())
        palette_.push_back(qRgb(0, 0, 0));
    if (palette_.size() > 256 || width <= 0 || height <= 0 ||
        width > std::numeric_limits<uint16_t>::max() ||
        height > std::numeric_limits<uint16_t>::max()) {
        error_ = "picture size or colour count outside what a GIF holds";
        return;
    }
    int error = 0;
    gif_ = EGifOpen(device, WriteToDevice, &error);
    if (gif_ == nullptr) {
        fail("cannot start the GIF", error);
        return;
    }
    EGifSetGifVersion(gif_, true);

    // The colour table has a power-of-two size; unused entries stay black.
    const int bits = GifBitSize(static_cast<int>(palette_.size()));
    std::vector<GifColorType> colours(static_cast<std::size_t>(1) << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        colours[i].Red = static_cast<GifByteType>(qRed(palette_[i]));
        colours[i].Green = static_cast<GifByteType>(qGreen(palette_[i]));
        colours[i].Blue = static_cast<GifByteType>(qBlue(palette_[i]));
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    if (map == nullptr) {
        fail("cannot make the colour table", E_GIF_ERR_NOT_ENOUGH_MEM);
        return;
    }
    const int screen = EGifPutScreenDesc(gif_, width, height, bits, 0, map);
    GifFreeMapObject(map);
    if (screen == GIF_ERROR) {
        fail("cannot write the screen descriptor", gif_->Error);
        return;
    }

    // The application extension "NETSCAPE2.0" with a repeat count of 0: loop forever.
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                               'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, sizeof kApplication, kApplication) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, sizeof kLoopForever, kLoopForever) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif_) == GIF_ERROR)
        fail("cannot write the loop extension", gif_->Error);
}

GifWriter::~GifWriter() {
    if (gif_ != nullptr) {
        int error = 0;
        EGifCloseFile(gif_, &error);
    }
}

bool GifWriter::fail(const std::string& what, int gifError) {
    if (!error_.empty())
        return false;
    // Out of memory is the whole story, whichever step ran out.
    outOfMemory_ = gifError == E_GIF_ERR_NOT_ENOUGH_MEM;
    error_ = outOfMemory_ ? GifErrorText(gifError) : what + ": " + GifErrorText(gifError);
    return false;
}

bool GifWriter::failForMemory() {
    return fail(std::string(), E_GIF_ERR_NOT_ENOUGH_MEM);
}

uint8_t GifWriter::indexOf(QRgb colour) {
    colour |= 0xff000000u;
    const auto found = indexCache_.find(colour);
    if (found != indexCache_.end())
        return found->second;
    std::size_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const long dr = qRed(colour) - qRed(palette_[i]);
        const long dg = qGreen(colour) - qGreen(palette_[i]);
        const long db = qBlue(colour) - qBlue(palette_[i]);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    const auto index = static_cast<uint8_t>(best);
    indexCache_.emplace(colour, index);
    return index;
}

bool GifWriter::addFrame(const QImage& frame, int delayCentiseconds) {
    if (!isOpen())
        return false;
    // A null frame is a picture whose pixels could not be allocated.
    if (frame.isNull())
        return failForMemory();
    if (frame.width() != width_ || frame.height() != height_) {
        error_ = "frame size differs from the animation's";
        return false;
    }
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        return failForMemory();

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delayCentiseconds;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
        GIF_ERROR)
        return fail("cannot write the frame delay", gif_->Error);
    if (EGifPutImageDesc(gif_, 0, 0, width_, height_, false, nullptr) == GIF_ERROR)
        return fail("cannot write the frame descriptor", gif_->Error);
    for (int y = 0; y < height_; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width_; ++x)
            row_[static_cast<std::size_t>(x)] = indexOf(line[x]);
        if (EGifPutLine(gif_, row_.data(), width_) == GIF_ERROR)
            return fail("cannot write the frame", gif_->Error);
    }
    return true;
}

bool GifWriter::finish() {
    if (gif_ == nullptr)
        return false;
    int error = 0;
    const int closed = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (closed == GIF_ERROR)
        return fail("cannot end the GIF", error);
    return error_.empty();
}

} // namespace solifa
