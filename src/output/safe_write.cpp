#include "output/safe_write.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace solifa {
namespace {

// What a name comes to once its links are followed, and how it is written.
struct Target {
    int error = 0;
    std::string name;   // the file that is replaced, or the name a stream is opened by
    std::string folder; // where the temporary goes; empty for a stream
    bool exists = false;
    bool stream = false;
    int ownStream = -1; // the descriptor when the target is the program's own output or error
    struct stat status {};
};

Target Failed(int error) {
    Target t;
    t.error = error;
    return t;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameIn(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The canonical name, or empty with errno set.
std::string RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                           &std::free);
    return real ? std::string(real.get()) : std::string();
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Where a name that does not exist yet will be created: a dangling link is followed to the
// name it points to, as opening it for writing would.
Target NewFileTarget(const std::string& path) {
    constexpr int kMaxLinks = 40;
    std::string name = path;
    for (int hops = 0;; ++hops) {
        struct stat link {};
        if (::lstat(name.c_str(), &link) != 0) {
            if (errno != ENOENT)
                return Failed(errno);
            break;
        }
        if (!S_ISLNK(link.st_mode))
            break;
        if (hops == kMaxLinks)
            return Failed(ELOOP);
        std::string to(std::size_t(link.st_size > 0 ? link.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(name.c_str(), to.data(), to.size());
        if (n < 0)
            return Failed(errno);
        to.resize(std::size_t(n));
        name = !to.empty() && to.front() == '/' ? to : NameIn(FolderOf(name), to);
    }
    Target t;
    t.folder = RealPath(FolderOf(name));
    if (t.folder.empty())
        return Failed(errno);
    struct stat folder {};
    if (::stat(t.folder.c_str(), &folder) != 0)
        return Failed(errno);
    if (!S_ISDIR(folder.st_mode))
        return Failed(ENOTDIR);
    t.name = NameIn(t.folder, BaseOf(name));
    return t;
}

Target Inspect(const std::string& path) {
    if (path.empty())
        return Failed(ENOENT);
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT)
            return Failed(errno);
        // A name ending in a slash can only name a folder.
        if (path.back() == '/')
            return Failed(EISDIR);
        return NewFileTarget(path);
    }
    if (S_ISDIR(status.st_mode))
        return Failed(EISDIR);
    Target t;
    t.exists = true;
    t.status = status;
    // The program's own output, as /dev/stdout names it, is written to the descriptor it has:
    // opening the name anew would truncate a file the output is appended to.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat own {};
        if (::fstat(fd, &own) == 0 && SameFile(own, status)) {
            t.stream = true;
            t.ownStream = fd;
            t.name = path;
            return t;
        }
    }
    if (!S_ISREG(status.st_mode)) {
        t.stream = true;
        t.name = path;
        return t;
    }
    t.name = RealPath(path);
    if (t.name.empty())
        return Failed(errno);
    t.folder = FolderOf(t.name);
    return t;
}

// The target inspected and the permission to write it checked: 0 or the error number.
int Permission(const Target& t) {
    if (t.error != 0)
        return t.error;
    if (t.ownStream >= 0)
        return 0;
    if (t.exists && ::access(t.name.c_str(), W_OK) != 0)
        return errno;
    if (!t.stream && ::access(t.folder.c_str(), W_OK | X_OK) != 0)
        return errno;
    return 0;
}

std::string RandomName() {
    thread_local std::mt19937_64 random{std::random_device{}()};
    char part[17];
    std::snprintf(part, sizeof part, "%016llx", static_cast<unsigned long long>(random()));
    return std::string(".solifa-") + part + ".tmp";
}

// A write to a pipe, FIFO or socket whose reader has gone fails with EPIPE; the signal the
// system sends with it would end the program, so it is held back and taken here.
ssize_t WriteToStream(int fd, const char* data, std::size_t size) {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &pipe, &before);
    const ssize_t n = ::write(fd, data, size);
    const int error = errno;
    // The signal can come with a write that still wrote part of its bytes.
    sigpending(&pending);
    if (!alreadyPending && sigismember(&pending, SIGPIPE) == 1) {
        const timespec none{};
        sigtimedwait(&pipe, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return n;
}

} // namespace

int CheckWritable(const std::string& path) {
    return Permission(Inspect(path));
}

std::string FileIdentity(const std::string& path) {
    const Target t = Inspect(path);
    if (t.error != 0)
        return "name " + path;
    if (t.exists)
        return "file " + std::to_string(t.status.st_dev) + ":" + std::to_string(t.status.st_ino);
    return "name " + t.name;
}

SafeFile::SafeFile(std::string path) : path_(std::move(path)) {}

SafeFile::~SafeFile() {
    discard();
}

bool SafeFile::open() {
    if (error_ != 0 || fd_ >= 0 || !target_.empty())
        return fail(EBUSY);
    const Target t = Inspect(path_);
    if (const int error = Permission(t))
        return fail(error);
    target_ = t.name;
    if (t.stream) {
        stream_ = true;
        do {
            fd_ = t.ownStream >= 0 ? ::fcntl(t.ownStream, F_DUPFD_CLOEXEC, 0)
                                   : ::open(t.name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        } while (fd_ < 0 && errno == EINTR);
        return fd_ >= 0 || fail(errno);
    }
    for (int attempt = 0; fd_ < 0; ++attempt) {
        const std::string name = NameIn(t.folder, RandomName());
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            temporary_ = name;
        else if (errno != EEXIST || attempt == 100)
            return fail(errno);
    }
    if (t.exists) {
        // The new file keeps the old one's owner where that is allowed (it is not for others'
        // files, which then become the writer's) and its permissions.
        if (::fchown(fd_, t.status.st_uid, t.status.st_gid) != 0) {
        }
        if (::fchmod(fd_, t.status.st_mode & 07777) != 0)
            return fail(errno);
    }
    return true;
}

bool SafeFile::write(const void* data, std::size_t size) {
    if (error_ != 0)
        return false;
    if (fd_ < 0)
        return fail(EBADF);
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = stream_ ? WriteToStream(fd_, at, size) : ::write(fd_, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        if (n == 0)
            return fail(ENOSPC);
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

bool SafeFile::finish() {
    if (error_ != 0)
        return false;
    if (fd_ < 0)
        return !target_.empty() || fail(EBADF); // finished before
    if (!stream_ && ::fsync(fd_) != 0)
        return fail(errno);
    const int fd = fd_;
    fd_ = -1;
    // A failed close can be the last write failing (on network file systems).
    if (::close(fd) != 0 && errno != EINTR)
        return fail(errno);
    return true;
}

bool SafeFile::commit() {
    if (!finish())
        return false;
    if (!temporary_.empty()) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0)
            return fail(errno);
        temporary_.clear();
    }
    return true;
}

void SafeFile::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool SafeFile::fail(int error) {
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
    discard();
    return false;
}

int WriteFileSafely(const std::string& path, const void* data, std::size_t size) {
    SafeFile file(path);
    if (file.open() && file.write(data, size))
        file.commit();
    return file.error();
}

std::string WriteFailureReason(int error, ReasonLanguage language) {
    struct Reason {
        int error;
        const char* english;
        const char* german;
    };
    static const Reason kReasons[] = {
        {ENOSPC, "no space left on the device", "Auf dem Datenträger ist nicht genug Platz."},
        {ENOMEM, "not enough memory", "Nicht genug Arbeitsspeicher."},
        {EDQUOT, "the disk quota is used up", "Das Speicherkontingent ist erschöpft."},
        {EFBIG, "the file would be larger than the system allows",
         "Die Datei wäre größer, als das System erlaubt."},
        {EACCES, "no permission to write there", "Keine Berechtigung zum Schreiben."},
        {EPERM, "no permission to write there", "Keine Berechtigung zum Schreiben."},
        {EROFS, "the file system is read-only", "Das Dateisystem ist schreibgeschützt."},
        {ENOENT, "the folder does not exist", "Der Ordner existiert nicht."},
        {ENOTDIR, "a part of the path is not a folder", "Ein Teil des Pfads ist kein Ordner."},
        {ENAMETOOLONG, "the name is too long", "Der Name ist zu lang."},
        {EISDIR, "the name is a folder", "Der Name bezeichnet einen Ordner."},
        {ELOOP, "too many symbolic links", "Zu viele symbolische Verknüpfungen."},
        {EIO, "input/output error on the device", "Ein-/Ausgabefehler auf dem Datenträger."},
        {ENXIO, "no device or reader takes the data",
         "Kein Gerät und kein Empfänger nimmt die Daten an."},
        {EPIPE, "the reader closed the stream", "Der Empfänger hat den Datenstrom geschlossen."},
        {ETXTBSY, "the file is in use", "Die Datei wird gerade benutzt."},
        {EBUSY, "the file is in use", "Die Datei wird gerade benutzt."},
        {EMFILE, "too many open files", "Zu viele offene Dateien."},
        {ENFILE, "too many open files", "Zu viele offene Dateien."},
        {EINVAL, "the name is not allowed there", "Der Name ist dort nicht zulässig."},
    };
    for (const Reason& r : kReasons)
        if (r.error == error)
            return language == ReasonLanguage::German ? r.german : r.english;
    const std::string system = std::strerror(error);
    if (language == ReasonLanguage::German)
        return "Fehler " + std::to_string(error) + " des Systems (" + system + ").";
    return "error " + std::to_string(error) + " (" + system + ")";
}

} // namespace solifa
