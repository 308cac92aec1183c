#pragma once
// The one way the program writes a file. The bytes go to a temporary file in the target's
// folder, which replaces the target only once every byte was written and synced to the disk; on
// any failure the temporary is removed and the target stays exactly as it was. The temporary
// has no name while it is written (where the file system allows that), so a program that is
// killed leaves nothing behind; it gets a hidden name only for the moment of replacing. A target
// that exists and is not a regular file (a device, a FIFO, a socket, the program's own output
// stream) is written in place as a stream and never replaced. Symbolic links are followed.
//
// Paths are the file system's bytes (UTF-8). Failures are the system's error numbers (errno).
#include <cstddef>
#include <string>
#include <vector>

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

    // True while the temporary has no name on the disk.
    bool unnamed() const { return unnamed_; }

    // The error number of the first failure, 0 while there was none.
    int error() const { return error_; }
    const std::string& path() const { return path_; }

private:
    friend std::size_t CommitTogether(const std::vector<SafeFile*>& files);
    friend class CommitPlan;

    bool fail(int error);
    bool openTemporary(const std::string& folder);
    // After finish(): the temporary takes the target's name.
    bool place();

    std::string path_;
    std::string target_;    // the name that is replaced: path_ with its links followed
    std::string folder_;    // where the temporary is
    std::string temporary_; // its name: empty for a stream, while unnamed, once renamed or removed
    int fd_ = -1;
    int slot_ = -1; // where the name is kept for the removal on a signal
    bool stream_ = false;
    bool unnamed_ = false;
    bool finished_ = false;
    int error_ = 0;
};

// Commits the files as one: every file is finished first, and each old file is kept under a
// hidden name beside it (a second link, no copy) until all are in place. When one fails, every
// file already replaced gets its old version back and every new one is removed. files.size()
// when all are in place, else the index of the first that failed, whose error() says why.
// A signal that ends the program meanwhile is taken once the files are back as they were.
// A file whose old version cannot be linked (a file system without links) is replaced last and
// cannot be put back.
std::size_t CommitTogether(const std::vector<SafeFile*>& files);

// From now on SIGINT, SIGTERM and SIGHUP first remove the named temporaries and kept old
// versions of the writes under way, then end the program by the signal as before. A signal the
// program was started with ignored stays ignored.
void RemoveTemporariesOnSignals();

// Opens, writes and commits one file. 0 on success, otherwise the error number.
int WriteFileSafely(const std::string& path, const void* data, std::size_t size);

enum class ReasonLanguage { English, German };

// Why a file could not be written, in words for the user: English as part of a sentence
// (lower case, no full stop), German as a sentence of its own. UTF-8.
std::string WriteFailureReason(int error, ReasonLanguage language);

} // namespace solifa
