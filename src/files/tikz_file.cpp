#include "files/tikz_file.h"

#include <QLine>
#include <QPen>
#include <algorithm>
#include <map>
#include <utility>

#include "core/edge_drawing.h"
#include "qtpaint/qt_painter_surface.h"

namespace solifa {

namespace {

// A picture pixel on paper: 1/96 inch, 0.75 PostScript points, which TeX calls bp.
constexpr double kPointsPerPixel = 72.0 / kVectorPixelsPerInch;

// A length for TeX, without trailing zeros: 159.75, 3.354, 2.
QByteArray Number(double v) {
    QByteArray text = QByteArray::number(v, 'f', 3);
    while (text.contains('.') && (text.endsWith('0') || text.endsWith('.')))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

QByteArray Points(double pixels) {
    return Number(pixels * kPointsPerPixel) + "bp";
}

QByteArray ColorName(ColorRef c) {
    return "solifa" + QByteArray::number(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c), 16)
                          .rightJustified(6, '0')
                          .toUpper();
}

// The dashes and gaps of a page's pen, which Qt measures in line widths.
QByteArray DashPattern(const QPen& pen) {
    const QList<qreal> pattern = pen.dashPattern();
    QByteArray text = "dash pattern=";
    for (qsizetype i = 0; i < pattern.size(); ++i)
        text +=
            (i ? " " : "") + QByteArray(i % 2 ? "off " : "on ") + Points(pattern[i] * pen.widthF());
    return text;
}

// Writes the picture's steps, naming each point by its corner where one lies on its pixel.
class TikzText {
public:
    TikzText(const PictureSource& source, const std::vector<NamedCorner>& corners)
        : source_(source), corners_(corners) {
        for (const NamedCorner& c : corners)
            names_.emplace(std::pair(c.at.x, c.at.y), c.name);
    }

    QByteArray picture(const std::vector<DrawStep>& steps) {
        const int w = source_.size.width(), h = source_.size.height();
        std::vector<ColorRef> colours{source_.background};
        for (const DrawStep& step : steps) {
            const ColorRef c = std::visit([](const auto& s) { return s.color; }, step);
            if (std::find(colours.begin(), colours.end(), c) == colours.end())
                colours.push_back(c);
        }
        // One picture pixel is one unit, y pointing down as in the picture. Lines of an odd
        // width are moved half a pixel onto the pixels a bitmap inks, as in the SVG; the move is
        // the canvas's, as TikZ places named coordinates outside its own shifts.
        out_ += "\\begin{tikzpicture}[x=" + Points(1) + ", y=-" + Points(1) +
                ", line width=" + Points(source_.lineWidth) + ", " +
                (source_.lineWidth > 1 ? "line join=round" : "line cap=butt, line join=miter") +
                ",\n    half right/.style={transform canvas={xshift=" + Points(0.5) +
                "}}, half down/.style={transform canvas={yshift=-" + Points(0.5) + "}}]\n";
        for (ColorRef c : colours)
            out_ += "\\definecolor{" + ColorName(c) + "}{RGB}{" + QByteArray::number(RedOf(c)) +
                    "," + QByteArray::number(GreenOf(c)) + "," + QByteArray::number(BlueOf(c)) +
                    "}\n";
        const QByteArray box =
            "(0,0) rectangle (" + QByteArray::number(w) + "," + QByteArray::number(h) + ");\n";
        out_ += "\\useasboundingbox " + box;
        out_ += "\\fill[" + ColorName(source_.background) + "] " + box;
        for (const NamedCorner& c : corners_)
            out_ += "\\coordinate (" + QByteArray::fromStdString(c.name) + ") at " + Plain(c.at) +
                    ";\n";
        for (const DrawStep& step : steps) {
            if (const auto* fill = std::get_if<DrawnFill>(&step))
                writeFill(*fill);
            else
                writeEdge(std::get<DrawnEdge>(step));
        }
        out_ += "\\end{tikzpicture}\n";
        return out_;
    }

private:
    static QByteArray Plain(PolyPoint p) {
        return "(" + QByteArray::number(p.x) + "," + QByteArray::number(p.y) + ")";
    }

    QByteArray point(PolyPoint p) const {
        const auto named = names_.find(std::pair(p.x, p.y));
        return named == names_.end() ? Plain(p)
                                     : "(" + QByteArray::fromStdString(named->second) + ")";
    }

    void writeFill(const DrawnFill& fill) {
        if (fill.corners.empty())
            return;
        out_ += "\\fill[" + ColorName(fill.color) +
                (fill.polyFillMode == 2 ? "" : ", even odd rule") + "] ";
        for (const PolyPoint& p : fill.corners)
            out_ += point(p) + " -- ";
        out_ += "cycle;\n";
    }

    void writeEdge(const DrawnEdge& edge) {
        // The stroke as the SVG's surface draws it.
        const QLine line(edge.from.x, edge.from.y, edge.to.x, edge.to.y);
        const int width = source_.lineWidth;
        const QPen pen = PagePen(LinePen(Qt::black, edge.style, width), line, width);
        QByteArray options = ColorName(edge.color);
        if (edge.style != Solid)
            options += ", " + DashPattern(pen);
        if (width > 1)
            options += pen.capStyle() == Qt::RoundCap ? ", line cap=round" : ", line cap=butt";
        const QPointF shift = PageLine(line, width).p1() - QPointF(line.p1());
        if (shift.x() != 0)
            options += ", half right";
        else if (shift.y() != 0)
            options += ", half down";
        out_ += "\\draw[" + options + "] " + point(edge.from) + " -- " + point(edge.to) + ";\n";
    }

    const PictureSource& source_;
    const std::vector<NamedCorner>& corners_;
    std::map<std::pair<int, int>, std::string> names_;
    QByteArray out_;
};

// The comment at the top: what the file shows, and its corners' names ring by ring.
QByteArray Header(const PictureSource& source, const std::vector<NamedCorner>& corners,
                  TikzKind kind) {
    QByteArray text =
        "% SOLIFA: " + source.body.toUtf8() + ", " + QByteArray::number(source.size.width()) +
        " x " + QByteArray::number(source.size.height()) + " Pixel zu 1/96 Zoll, als TikZ-Bild.\n";
    if (kind == TikzKind::Picture)
        text += "% Zum Einbinden mit \\input in ein Dokument mit \\usepackage{tikz}.\n";
    if (!corners.empty()) {
        text += "% Die Ecken sind benannte Koordinaten, die Ringe von unten nach oben, jeder\n"
                "% von oben gesehen gegen den Uhrzeigersinn:\n";
        int ring = -2;
        for (const NamedCorner& c : corners) {
            if (c.ring != ring) {
                const bool oneApex = corners.back().ring < 0 && corners.end()[-2].ring >= 0;
                text += QByteArray(ring == -2 ? "" : "\n") + "%   " +
                        (c.ring >= 0 ? "Ring " + QByteArray::number(c.ring + 1) + ":"
                         : oneApex   ? QByteArray("Spitze:")
                                     : QByteArray("Spitzen:"));
                ring = c.ring;
            }
            text += " " + QByteArray::fromStdString(c.name);
        }
        const QByteArray first = QByteArray::fromStdString(corners.front().name);
        const QByteArray label = "\\node[below left] at (" + first + ") {$" + first + "$};";
        text += "\n% Eine Ecke beschriften, im Bild: " + label + "\n";
        if (kind == TikzKind::Picture)
            text += "% oder im Dokument, vor \\input:\n"
                    "% \\tikzset{every picture/.append style={execute at end picture={" +
                    label + "}}}\n";
    }
    return text;
}

} // namespace

QByteArray EncodeTikz(const PictureSource& source, TikzKind kind) {
    if (!source.drawBody)
        return {};
    EdgeCollector collector;
    source.drawBody(collector);
    const std::vector<NamedCorner> corners =
        source.corners ? source.corners() : std::vector<NamedCorner>{};
    QByteArray text = Header(source, corners, kind);
    const QByteArray picture = TikzText(source, corners).picture(collector.steps());
    if (kind == TikzKind::Picture)
        return text + picture;
    // A page of exactly the picture's size, from packages every TeX installation has; pdfLaTeX
    // and LuaLaTeX both compile it.
    text += "\\documentclass{article}\n\\usepackage[paperwidth=" + Points(source.size.width()) +
            ", paperheight=" + Points(source.size.height()) +
            ", margin=0pt]{geometry}\n\\usepackage{tikz}\n\\pagestyle{empty}\n"
            "\\begin{document}\n\\noindent\n";
    return text + picture + "\\end{document}\n";
}

} // namespace solifa
