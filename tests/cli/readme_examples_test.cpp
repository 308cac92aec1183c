// Every solifa-render example of the README, run as written by the shell: it succeeds quietly,
// writes what its options name, and its picture is the one those options draw, with the hidden
// edges dashed where the example says so; a picture for LaTeX compiles in the README's document
// that reads it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>

#include <string>
#include <vector>

#include "cli/render_job.h"
#include "cli_test_support.h"
#include "core/body_geometry.h"
#include "support/hidden_edges.h"

namespace solifa {
namespace {

struct Example {
    QString command;               // as the README writes it, lines joined
    std::vector<std::string> args; // the program's arguments, up to a redirection
    QString redirect;              // the file standard output goes to, if any
};

// The arguments of a shell line: words split at blanks, '...' quoted, up to "> FILE".
void SplitCommand(Example& e) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (const char c : e.command.toStdString()) {
        if (c == '\'') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == ">" && i + 1 < words.size()) {
            e.redirect = QString::fromStdString(words[i + 1]);
            break;
        }
        e.args.push_back(words[i]);
    }
}

std::vector<Example> ReadmeExamples() {
    QFile file(QStringLiteral(SOLIFA_README));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<Example> examples;
    QTextStream in(&file);
    bool continued = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!continued && !line.startsWith(QLatin1String("    solifa-render ")))
            continue;
        if (!continued)
            examples.emplace_back();
        QString part = line.trimmed();
        continued = part.endsWith('\\');
        if (continued)
            part.chop(1);
        Example& e = examples.back();
        e.command += (e.command.isEmpty() ? "" : " ") + part.trimmed();
    }
    for (Example& e : examples)
        SplitCommand(e);
    return examples;
}

// The LaTeX documents of the README: indented blocks from \documentclass to \end{document}.
std::vector<QString> ReadmeDocuments() {
    QFile file(QStringLiteral(SOLIFA_README));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<QString> documents;
    QTextStream in(&file);
    bool inside = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1String("    \\documentclass"))) {
            documents.emplace_back();
            inside = true;
        }
        if (inside)
            documents.back() += line.mid(4) + '\n';
        inside = inside && !line.startsWith(QLatin1String("    \\end{document}"));
    }
    return documents;
}

// Compiles each README document that reads `file` in the folder with pdfLaTeX and LuaLaTeX; the
// count of those documents.
int CompileDocumentsReading(const QString& file, const QString& folder) {
    int compiled = 0;
    for (const QString& document : ReadmeDocuments()) {
        if (!document.contains("\\input{" + file + "}"))
            continue;
        QFile tex(folder + "/dokument.tex");
        EXPECT_TRUE(tex.open(QIODevice::WriteOnly));
        tex.write(document.toUtf8());
        tex.close();
        for (const char* latex : {"pdflatex", "lualatex"}) {
            QProcess run;
            run.setWorkingDirectory(folder);
            run.start(latex, {"-interaction=nonstopmode", "-halt-on-error", "dokument.tex"});
            EXPECT_TRUE(run.waitForFinished(60000));
            EXPECT_EQ(run.exitCode(), 0) << latex << "\n"
                                         << run.readAllStandardOutput().toStdString();
            EXPECT_TRUE(QFileInfo::exists(folder + "/dokument.pdf")) << latex;
            QFile::remove(folder + "/dokument.pdf");
        }
        ++compiled;
    }
    return compiled;
}

test::ProgramRun RunInShell(const QString& command, const QString& folder) {
    QProcess shell;
    shell.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH",
               QFileInfo(QStringLiteral(SOLIFA_RENDER_PROGRAM)).path() + ":" + env.value("PATH"));
    shell.setProcessEnvironment(env);
    shell.start("/bin/sh", {"-c", command});
    test::ProgramRun run;
    if (!shell.waitForFinished(120000))
        return run;
    run.exitCode = shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1;
    run.outBytes = shell.readAllStandardOutput();
    run.err = QString::fromUtf8(shell.readAllStandardError());
    return run;
}

// The SVG drawn 1:1 on white, and its width on paper in millimetres.
QImage SvgPicture(const QByteArray& svg, QSize size, double* widthMm) {
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::StartElement &&
                             xml.name() == QLatin1String("svg"))) {
    }
    QString width = xml.attributes().value("width").toString();
    // Millimetres, or CSS pixels of 1/96 inch.
    const double unit = width.endsWith("mm") ? 1 : width.endsWith("px") ? 25.4 / 96 : 0;
    *widthMm = width.chopped(2).toDouble() * unit;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

// Where the back faces are dashed outlines on paper, every hidden edge shows the dashes.
void ExpectDashedHiddenEdges(const QImage& picture, const ModelState& m, const RenderRequest& r,
                             bool viaSvg) {
    const FaceGroupStyle back = r.appearance.groups[0];
    if (!back.visible || !back.transparent || back.dashStyle == 1)
        return;
    const test::BodyEdges edges = test::EdgesOf(PictureInput(m, r), r.appearance);
    if (r.body == Wuerfel) {
        EXPECT_EQ(edges.hidden.size(), 3u) << "the three edges at the back";
    }
    // The cube's edges are long; of a rim's, those at its ends are too short to show a pattern.
    const int measurable = int(edges.hidden.size()) / (r.body == Wuerfel ? 1 : 2);
    EXPECT_GE(test::ExpectPatternOnHiddenEdges(picture, edges, DrawStyleOfBorder(back.dashStyle),
                                               viaSvg, {}, r.lineWidth),
              measurable);
}

TEST(ReadmeExamples, RunAsWrittenAndDrawWhatTheySay) {
    const std::vector<Example> examples = ReadmeExamples();
    ASSERT_GE(examples.size(), 6u);
    for (const Example& e : examples) {
        SCOPED_TRACE(e.command.toStdString());
        QTemporaryDir dir;
        const test::ProgramRun run = RunInShell(e.command, dir.path());
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

        const ParseOutcome parsed = ParseRenderOptions(e.args);
        ASSERT_EQ(parsed.kind, ParseOutcome::Kind::Render) << parsed.message;
        const RenderRequest& r = parsed.request;
        const std::vector<std::string> files = FilesToWrite(r);
        EXPECT_EQ(test::FilesBelow(dir.path()).size(),
                  files.size() - (std::count(files.begin(), files.end(), "-") -
                                  (e.redirect.isEmpty() ? 0 : 1)));
        for (std::size_t i = 0; i < files.size(); ++i) {
            const bool toOutput = files[i] == kStandardOutput;
            const QByteArray bytes =
                toOutput && e.redirect.isEmpty()
                    ? run.outBytes
                    : test::FileBytes(
                          dir.filePath(toOutput ? e.redirect : QString::fromStdString(files[i])));
            ASSERT_FALSE(bytes.isEmpty()) << files[i];
            if (!r.jsonPath.empty() && i + 1 == files.size()) {
                const QJsonObject model = QJsonDocument::fromJson(bytes).object();
                EXPECT_EQ(model["body"].toInt(), r.body);
                EXPECT_EQ(model["corners"].toInt(), r.corners);
                continue;
            }
            const int frame = r.frames > 0 && r.format != PictureFormat::Gif ? int(i) : -1;
            const ModelState m = ComputeModel(r, r.frames > 0 ? std::max(frame, 0) : -1);
            const QImage expected = RenderImage(m, r);
            const QSize size(r.viewWidth, r.viewWidth);
            switch (r.format) {
            case PictureFormat::Bmp:
            case PictureFormat::Png: {
                const QImage picture = QImage::fromData(bytes);
                EXPECT_EQ(test::DifferingPixels(picture, expected), 0);
                ExpectDashedHiddenEdges(picture, m, r, false);
                break;
            }
            case PictureFormat::Svg: {
                double widthMm = 0;
                const QImage picture = SvgPicture(bytes, size, &widthMm);
                EXPECT_NEAR(widthMm, r.viewWidth * 25.4 / 96, 0.05);
                ExpectDashedHiddenEdges(picture, m, r, true);
                break;
            }
            case PictureFormat::Gif: {
                QBuffer buffer;
                buffer.setData(bytes);
                QImageReader gif(&buffer, "gif");
                EXPECT_EQ(gif.imageCount(), std::max(r.frames, 1));
                for (int k = 0; k < std::max(r.frames, 1); ++k) {
                    const QImage picture = gif.read();
                    if (r.frames > 0) {
                        EXPECT_EQ(gif.nextImageDelay(), r.delayMs) << k;
                        EXPECT_EQ(
                            test::DifferingPixels(picture, RenderImage(ComputeModel(r, k), r)), 0)
                            << k;
                    }
                }
                break;
            }
            case PictureFormat::Pdf:
                EXPECT_TRUE(bytes.startsWith("%PDF-"));
                break;
            case PictureFormat::Tex:
            case PictureFormat::Tikz:
                // A picture for LaTeX is shown with the document that reads it.
                EXPECT_TRUE(bytes.startsWith("% SOLIFA"));
                EXPECT_EQ(CompileDocumentsReading(QString::fromStdString(files[i]), dir.path()), 1);
                break;
            }
        }
        test::EmptyFolder(dir.path());
    }
}

} // namespace
} // namespace solifa
