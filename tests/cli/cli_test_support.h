#pragma once
// Running the solifa-render program in a scratch folder, and comparing pictures.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>

#include <cstdio>
#include <ftw.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/write_failures.h"

namespace solifa::test {

struct ProgramRun {
    int exitCode = -1; // -1 also when the program ended by a signal or did not end
    QString out;
    QByteArray outBytes; // standard output as written, for pictures sent there
    QString err;
};

// A shell line that puts the argument's bytes, whatever they are, into "$@": printf with every
// byte in octal, and an x after the last one, which the expansion removes again, so that
// trailing line breaks stay.
inline QString ShellArgument(const std::string& bytes) {
    QString word = QStringLiteral("a=$(printf '");
    for (const char c : bytes)
        word += QStringLiteral("\\%1").arg(unsigned(static_cast<unsigned char>(c)), 3, 8,
                                           QLatin1Char('0'));
    return word + QStringLiteral("x'); set -- \"$@\" \"${a%x}\"; ");
}

// Runs the program with args (their bytes passed exactly, through the shell) in folder and
// waits for it to end. With a fileSizeLimit, every write of the program past that many bytes
// fails; with a memoryLimit, it gets no more address space than that many bytes. Without
// unnamedFiles, the program runs as on a file system that has none. A launcher is a command line
// the program is run by.
inline ProgramRun RunRender(const std::vector<std::string>& args, const QString& folder,
                            rlim_t fileSizeLimit = 0, bool unnamedFiles = true,
                            const QString& launcher = {}, rlim_t memoryLimit = 0) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier([fileSizeLimit, unnamedFiles, memoryLimit] {
        if (fileSizeLimit > 0)
            FileSizeLimit::ApplyInChild(fileSizeLimit);
        if (memoryLimit > 0) {
            const rlimit limit{memoryLimit, memoryLimit};
            setrlimit(RLIMIT_AS, &limit);
        }
        if (!unnamedFiles && !RefuseUnnamedFilesInChild())
            _exit(126);
    });
    QString script = QStringLiteral("p=$1; set --; ");
    for (const std::string& a : args)
        script += ShellArgument(a);
    script += QStringLiteral("exec %1 \"$p\" \"$@\"").arg(launcher);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, QStringLiteral("sh"),
                                              QStringLiteral(SOLIFA_RENDER_PROGRAM)});
    ProgramRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.outBytes = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Removes everything below folder, names that are not UTF-8 too, which Qt cannot name.
inline void EmptyFolder(const QString& folder) {
    const QByteArray root = QFile::encodeName(folder);
    nftw(
        root.constData(),
        [](const char* path, const struct stat*, int, FTW* at) {
            return at->level > 0 ? ::remove(path) : 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
}

// Every file below folder, as paths relative to it.
inline QStringList FilesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Pixels whose colours differ, both images taken as RGB32; -1 when the sizes differ.
inline long DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    long count = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if ((x.pixel(col, row) & 0xffffff) != (y.pixel(col, row) & 0xffffff))
                ++count;
    return count;
}

} // namespace solifa::test
