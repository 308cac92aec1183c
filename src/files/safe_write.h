#pragma once
// The one way the program writes a file. The bytes go to a temporary file in the target's
// folder, which replaces the target only once every byte was written and synced to the disk; on
// any failure the temporary is removed and the target stays exactly as it was. A target that
// exists and is not a regular file (a device, a FIFO, a socket, the program's own output
// stream) is written in place as a stream and never replaced. Symbolic links are followed.
//
// Paths are the file system's bytes (UTF-8). Failures are the system's error numbers (errno).
#include <cstddef>
#include <string>

namespace solifa {

// Every check that can be made without writing: the name, its folder, its length, and the
// permission to write there. 0 when the name can be written, otherwise the error number.
int CheckWritable(const std::string& path);

// Equal for two names of one file: device and inode of a file that exists, the canonical path
// of a name not yet there. A name that cannot be resolved is its own identity.
std::string FileIdentity(const std::string& path);

// One file being written. Nothing of the target changes before commit().
class SafeFile {
public:
    explicit SafeFile(std::string path);
    ~SafeFile(); // discards whatever was not committed
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Makes the checks of CheckWritable, then creates the temporary (or opens the stream).
    bool open();
    // Writes all `size` bytes. The first failure is kept: later calls write nothing.
    bool write(const void* data, std::size_t size);
    // Syncs and closes the temporary, which is then complete on the disk but not yet in place.
    bool finish();
    // finish(), then the temporary replaces the target.
    bool commit();
    // Removes the temporary; a stream keeps what it was given.
    void discard();

    // The error number of the first failure, 0 while there was none.
    int error() const { return error_; }
    const std::string& path() const { return path_; }

private:
    bool fail(int error);

    std::string path_;
    std::string target_;    // the name that is replaced: path_ with its links followed
    std::string temporary_; // empty for a stream, and once renamed or removed
    int fd_ = -1;
    bool stream_ = false;
    int error_ = 0;
};

// Opens, writes and commits one file. 0 on success, otherwise the error number.
int WriteFileSafely(const std::string& path, const void* data, std::size_t size);

enum class ReasonLanguage { English, German };

// Why a file could not be written, in words for the user: English as part of a sentence
// (lower case, no full stop), German as a sentence of its own. UTF-8.
std::string WriteFailureReason(int error, ReasonLanguage language);

} // namespace solifa
