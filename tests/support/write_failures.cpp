#include "support/write_failures.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <sys/mount.h>
#include <sys/statvfs.h>

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
