#include "files/safe_write.h"

#include <algorithm>
#include <atomic>
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

// --- names that must not outlive the program ---

// The names a signal removes: a copy of each, in slots a signal handler can read without
// locks. kGone marks a slot the handler took; it is never used again.
constexpr int kNameSlots = 256;
std::atomic<char*> g_names[kNameSlots];
char g_gone;
char* const kGone = &g_gone;

// -1 while files are committed together, the signal that came meanwhile, or 0.
std::atomic<int> g_commit{0};

// The slot that keeps the name, -1 when none is free (the name is then not removed on a
// signal, as nothing ever was).
int Remember(const std::string& name) {
    char* copy = ::strdup(name.c_str());
    if (copy == nullptr)
        return -1;
    for (int i = 0; i < kNameSlots; ++i) {
        char* empty = nullptr;
        if (g_names[i].compare_exchange_strong(empty, copy))
            return i;
    }
    std::free(copy);
    return -1;
}

void Forget(int& slot) {
    if (slot < 0)
        return;
    char* name = g_names[slot].load();
    // A slot the handler took is its own.
    if (name != kGone && g_names[slot].compare_exchange_strong(name, nullptr))
        std::free(name);
    slot = -1;
}

// Makes a file under a fresh hidden name in the folder: make(name) creates it and is false with
// errno set when it cannot, EEXIST for a name taken meanwhile, which the next name tries again.
// The name is kept in `slot` for the removal on a signal from before it exists, so there is no
// moment it could be left. 0 with the name in `made`, or the error of the last try.
template <class Make>
int MakeHidden(const std::string& folder, int& slot, std::string& made, Make make) {
    for (int attempt = 0;; ++attempt) {
        const std::string name = NameIn(folder, RandomName());
        slot = Remember(name);
        if (make(name)) {
            made = name;
            return 0;
        }
        const int error = errno;
        Forget(slot);
        if (error != EEXIST || attempt == 100)
            return error;
    }
}

// Only what is safe in a signal handler.
void RemoveRemembered() {
    for (std::atomic<char*>& slot : g_names) {
        char* name = slot.exchange(kGone);
        if (name != nullptr && name != kGone)
            ::unlink(name);
    }
}

// Removes the names, then ends the program as the signal does by default.
void EndBySignal(int signal) {
    RemoveRemembered();
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal);
    // In the handler the signal is blocked until it returns; elsewhere it may be too.
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
}

extern "C" void OnEndingSignal(int signal) {
    const int saved = errno;
    // Files being committed together are first put back as they were: the commit takes the
    // signal when it is done. A second signal ends the program at once.
    int committing = -1;
    if (!g_commit.compare_exchange_strong(committing, signal))
        EndBySignal(signal);
    errno = saved;
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
    if (!openTemporary(t.folder))
        return false;
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

bool SafeFile::openTemporary(const std::string& folder) {
    folder_ = folder;
    // Unnamed, it vanishes with the program however that ends. It is named later through
    // /proc, which any user may do (naming the descriptor itself needs a privilege).
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            unnamed_ = true;
            return true;
        }
        // Only a file system (or a kernel) without unnamed files falls back to a named one.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail(errno);
    }
    const int error = MakeHidden(folder, slot_, temporary_, [this](const std::string& name) {
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd_ >= 0;
    });
    return error == 0 || fail(error);
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
    if (finished_)
        return true;
    if (fd_ < 0)
        return fail(EBADF);
    if (!stream_ && ::fsync(fd_) != 0)
        return fail(errno);
    finished_ = true;
    // An unnamed file is named through its descriptor, which stays open until then.
    if (unnamed_)
        return true;
    const int fd = fd_;
    fd_ = -1;
    // A failed close can be the last write failing (on network file systems).
    if (::close(fd) != 0 && errno != EINTR)
        return fail(errno);
    return true;
}

bool SafeFile::commit() {
    return finish() && place();
}

bool SafeFile::place() {
    if (error_ != 0 || !finished_)
        return fail(EBADF);
    if (unnamed_) {
        // A name cannot be given over another file, so the file gets a hidden one first, then
        // at once the target's.
        const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
        if (const int error =
                MakeHidden(folder_, slot_, temporary_, [&proc](const std::string& name) {
                    return ::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(),
                                    AT_SYMLINK_FOLLOW) == 0;
                }))
            return fail(error);
        unnamed_ = false;
        // The bytes were synced; closing an unnamed local file does not fail.
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0)
            return fail(errno);
        temporary_.clear();
        Forget(slot_);
    }
    return true;
}

void SafeFile::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    unnamed_ = false;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
    Forget(slot_);
}

bool SafeFile::fail(int error) {
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
    discard();
    return false;
}

// The steps of putting several finished files in place together, and of taking them back.
class CommitPlan {
public:
    struct Step {
        std::size_t index = 0;
        SafeFile* file = nullptr;
        std::string kept; // the old version's hidden name
        int slot = -1;
        bool fresh = false;  // there was no old file
        struct stat made {}; // the new file, which is removed again only while it is that one
        bool placed = false;
    };

    // The old version of file i is kept under a hidden name, so that it can be put back.
    static Step Prepare(std::size_t i, SafeFile& f) {
        Step step;
        step.index = i;
        step.file = &f;
        struct stat old {};
        if (f.stream_) {
            // written in place already
        } else if (::lstat(f.target_.c_str(), &old) != 0) {
            step.fresh =
                errno == ENOENT && (f.fd_ >= 0 ? ::fstat(f.fd_, &step.made)
                                               : ::lstat(f.temporary_.c_str(), &step.made)) == 0;
        } else if (S_ISREG(old.st_mode)) {
            // Without a kept version the file is placed last and cannot be put back.
            MakeHidden(f.folder_, step.slot, step.kept, [&f](const std::string& name) {
                return ::link(f.target_.c_str(), name.c_str()) == 0;
            });
        }
        return step;
    }

    static bool Undoable(const Step& s) { return !s.kept.empty() || s.fresh || s.file->stream_; }

    // Places the files in order; the index of the first that failed, or `count`.
    static std::size_t PlaceAll(std::vector<Step>& steps, std::size_t count) {
        for (Step& step : steps) {
            if (g_commit.load() > 0)
                step.file->fail(EINTR);
            else if (step.file->place())
                step.placed = true;
            if (!step.placed)
                return step.index;
        }
        return count;
    }

    // Puts the old versions back and removes what was new, last placed first.
    static void Undo(std::vector<Step>& steps) {
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            SafeFile& f = *step->file;
            if (!step->placed) {
                f.discard();
            } else if (!step->kept.empty()) {
                if (::rename(step->kept.c_str(), f.target_.c_str()) == 0)
                    step->kept.clear();
            } else if (struct stat now{}; step->fresh && ::lstat(f.target_.c_str(), &now) == 0 &&
                                          SameFile(now, step->made)) {
                ::unlink(f.target_.c_str());
            }
        }
    }
};

std::size_t CommitTogether(const std::vector<SafeFile*>& files) {
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!files[i]->finish())
            return i;

    std::vector<CommitPlan::Step> steps;
    g_commit.store(-1);
    for (std::size_t i = 0; i < files.size(); ++i)
        steps.push_back(CommitPlan::Prepare(i, *files[i]));
    // What can be undone goes first, so a failure leaves the least that cannot.
    std::stable_partition(steps.begin(), steps.end(), CommitPlan::Undoable);

    const std::size_t failed = CommitPlan::PlaceAll(steps, files.size());
    if (failed != files.size())
        CommitPlan::Undo(steps);
    for (CommitPlan::Step& step : steps) {
        if (!step.kept.empty())
            ::unlink(step.kept.c_str());
        Forget(step.slot);
    }
    if (const int signal = g_commit.exchange(0); signal > 0)
        EndBySignal(signal);
    return failed;
}

void RemoveTemporariesOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = OnEndingSignal;
        // While one of them removes the names, the others wait.
        sigemptyset(&action.sa_mask);
        sigaddset(&action.sa_mask, SIGINT);
        sigaddset(&action.sa_mask, SIGTERM);
        sigaddset(&action.sa_mask, SIGHUP);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
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
