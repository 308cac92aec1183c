#pragma once
// Real write failures for tests, without root where possible: a file-size limit under which a
// write past N bytes fails with EFBIG, and a small disk (a tmpfs, where mounting is allowed)
// that can be filled up or made read-only.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>
#include <sys/resource.h>

namespace solifa::test {

// Every write of this process past `bytes` fails with EFBIG while the object lives; SIGXFSZ is
// ignored meanwhile, so the process is not ended by it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // The same for a child process, between fork and exec (see QProcess's child modifier).
    static void ApplyInChild(rlim_t bytes);

private:
    rlimit before_{};
    void (*handler_)(int) = nullptr;
};

// For a child process between fork and exec (see QProcess's child modifier): from then on the
// process and what it runs find no file system that makes unnamed files, as on file systems
// without them every such open fails with EOPNOTSUPP. False when the system refuses the filter.
bool RefuseUnnamedFilesInChild();

// What the open descriptors of the process `pid` name inside `folder`: "folder/name", or
// "folder/#inode (deleted)" for a file without a name.
QStringList OpenFilesIn(qint64 pid, const QString& folder);

// A tmpfs of `bytes` mounted on a fresh temporary folder, unmounted when the object goes.
class SmallDisk {
public:
    explicit SmallDisk(unsigned long bytes, bool readOnly = false);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString whyNot() const { return whyNot_; } // why it could not be mounted
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    // Fills the disk with the file `name` until at most `leftBytes` are free.
    bool fill(const QString& name, long leftBytes);

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    QString whyNot_;
};

// The whole content of a file; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// Writes `bytes` as the file's whole content.
bool PutFile(const QString& path, const QByteArray& bytes);

// The names in a folder, hidden ones (a left temporary file) included, sorted.
QStringList EntriesOf(const QString& folder);

} // namespace solifa::test

// Strings and bytes shown readably when a test fails.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << bytes.size() << " bytes \"" << bytes.left(48).toPercentEncoding(" ").toStdString()
        << (bytes.size() > 48 ? "...\"" : "\"");
}
