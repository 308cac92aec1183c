#include "support/write_failures.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <string>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace solifa::test {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &before_);
    handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before_;
    limit.rlim_cur = bytes; // the hard limit stays, so the old limit can be restored
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, handler_);
}

void FileSizeLimit::ApplyInChild(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN); // kept across exec
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool RefuseUnnamedFilesInChild() {
#if defined(__x86_64__)
    constexpr unsigned kArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr unsigned kArch = AUDIT_ARCH_AARCH64;
#else
    return false;
#endif
    // The flag that makes a file unnamed, without the folder flag it comes with.
    constexpr unsigned kUnnamed = unsigned(O_TMPFILE & ~O_DIRECTORY);
    // The low word of the flags, on these little-endian machines.
    constexpr unsigned kFlags = offsetof(seccomp_data, args) + 2 * sizeof(__u64);
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 0, 5),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kFlags),
        BPF_STMT(BPF_ALU | BPF_AND | BPF_K, kUnnamed),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kUnnamed, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EOPNOTSUPP & SECCOMP_RET_DATA)),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

QStringList OpenFilesIn(qint64 pid, const QString& folder) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    const QByteArray inside = QFile::encodeName(QDir(folder).canonicalPath()) + '/';
    QStringList names;
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const QByteArray link = QFile::encodeName(fds + '/' + fd);
        const ssize_t n = readlink(link.constData(), target, sizeof target);
        if (n > 0 && QByteArray(target, int(n)).startsWith(inside))
            names << QFile::decodeName(QByteArray(target, int(n)));
    }
    return names;
}

SmallDisk::SmallDisk(unsigned long bytes, bool readOnly) {
    if (!folder_.isValid()) {
        whyNot_ = QStringLiteral("no temporary folder");
        return;
    }
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    const QByteArray where = QFile::encodeName(folder_.path());
    if (mount("tmpfs", where.constData(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) !=
        0) {
        whyNot_ = QStringLiteral("mounting a tmpfs is not allowed here: %1")
                      .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk() {
    if (mounted_)
        umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

bool SmallDisk::fill(const QString& name, long leftBytes) {
    QFile filler(filePath(name));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.close();
    // Give some space back, less than any picture the tests write needs.
    struct statvfs disk {};
    if (statvfs(QFile::encodeName(path()).constData(), &disk) != 0)
        return false;
    const long freeBytes = long(disk.f_bavail * disk.f_frsize);
    if (freeBytes < leftBytes)
        filler.resize(filler.size() - (leftBytes - freeBytes));
    return true;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

QStringList EntriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace solifa::test
