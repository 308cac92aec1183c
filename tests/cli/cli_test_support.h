#pragma once
// Running the solifa-render program in a scratch folder, and comparing pictures.
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QStringList>

#include <string>
#include <vector>

#include "support/write_failures.h"

namespace solifa::test {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program with args in folder and waits for it to end. With a fileSizeLimit, every
// write of the program past that many bytes fails.
inline ProgramRun RunRender(const std::vector<std::string>& args, const QString& folder,
                            rlim_t fileSizeLimit = 0) {
    QProcess process;
    process.setWorkingDirectory(folder);
    if (fileSizeLimit > 0)
        process.setChildProcessModifier(
            [fileSizeLimit] { FileSizeLimit::ApplyInChild(fileSizeLimit); });
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    process.start(QStringLiteral(SOLIFA_RENDER_PROGRAM), list);
    ProgramRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
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
