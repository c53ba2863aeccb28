#include "cad/DxfWriter.h"

#include "core/AtomicFileWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tav::cad {

namespace {

void group(std::string &out, int code, const std::string &value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, code).ptr;
    // Codes right-aligned in three columns, as AutoCAD writes them.
    out.append(std::size_t(std::max(0L, 3 - long(end - buffer))), ' ');
    out.append(buffer, end);
    out += '\n';
    out += value;
    out += '\n';
}

std::string number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value).ptr;
    std::string text(buffer, end);
    // DXF readers take a real number with its point; a whole one gets ".0".
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

std::string integer(int value) { return std::to_string(value); }

// A name the LAYER table takes: no character DXF reserves, not empty.
std::string layerName(const std::string &name) {
    std::string clean = name.empty() ? std::string("0") : name;
    for (char &c : clean)
        if (std::string_view("<>/\\\":;?*|=`\r\n").find(c) != std::string_view::npos)
            c = '_';
    return clean;
}

// One line of text: a value spans exactly one line of the file.
std::string oneLine(const std::string &text) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

void common(std::string &out, const char *type, const std::string &layer) {
    group(out, 0, type);
    group(out, 8, layerName(layer));
}

} // namespace

void DxfWriter::point(std::string &out, int code, const DxfVertex &v) const {
    group(out, code, number(v.x + m_siteX));
    group(out, code + 10, number(v.y + m_siteY));
    group(out, code + 20, number(v.z));
}

std::string DxfWriter::text(const DxfPlan &plan) const {
    std::string out;
    header(out, plan);
    tables(out, plan);
    group(out, 0, "SECTION");
    group(out, 2, "BLOCKS");
    group(out, 0, "ENDSEC");
    entities(out, plan);
    group(out, 0, "EOF");
    return out;
}

SiteWriteResult DxfWriter::write(const std::string &path, const DxfPlan &plan) const {
    return writeFileAtomically(path, text(plan));
}

void DxfWriter::header(std::string &out, const DxfPlan &) const {
    group(out, 0, "SECTION");
    group(out, 2, "HEADER");
    group(out, 9, "$ACADVER");
    group(out, 1, "AC1009");
    group(out, 9, "$INSUNITS");
    group(out, 70, "6");
    group(out, 0, "ENDSEC");
}

void DxfWriter::tables(std::string &out, const DxfPlan &plan) const {
    group(out, 0, "SECTION");
    group(out, 2, "TABLES");
    group(out, 0, "TABLE");
    group(out, 2, "LTYPE");
    group(out, 70, "1");
    group(out, 0, "LTYPE");
    group(out, 2, "CONTINUOUS");
    group(out, 70, "0");
    group(out, 3, "Solid line");
    group(out, 72, "65");
    group(out, 73, "0");
    group(out, 40, "0.0");
    group(out, 0, "ENDTAB");
    group(out, 0, "TABLE");
    group(out, 2, "LAYER");
    group(out, 70, integer(int(plan.layers.size()) + 1));
    std::vector<DxfLayer> layers{{"0", 7}};
    layers.insert(layers.end(), plan.layers.begin(), plan.layers.end());
    for (const DxfLayer &layer : layers) {
        group(out, 0, "LAYER");
        group(out, 2, layerName(layer.name));
        group(out, 70, "0");
        group(out, 62, integer(std::clamp(layer.colour, 1, 255)));
        group(out, 6, "CONTINUOUS");
    }
    group(out, 0, "ENDTAB");
    group(out, 0, "ENDSEC");
}

void DxfWriter::entities(std::string &out, const DxfPlan &plan) const {
    group(out, 0, "SECTION");
    group(out, 2, "ENTITIES");
    for (const DxfLine &line : plan.lines) {
        common(out, "LINE", line.layer);
        point(out, 10, line.from);
        point(out, 11, line.to);
    }
    for (const DxfCircle &circle : plan.circles) {
        common(out, "CIRCLE", circle.layer);
        point(out, 10, circle.centre);
        group(out, 40, number(circle.radius));
    }
    for (const DxfPolyline &polyline : plan.polylines) {
        common(out, "POLYLINE", polyline.layer);
        group(out, 66, "1");
        point(out, 10, {-m_siteX, -m_siteY, 0});
        // 3D, so that each vertex keeps its own z.
        group(out, 70, integer(8 | (polyline.closed ? 1 : 0)));
        for (const DxfVertex &vertex : polyline.vertices) {
            common(out, "VERTEX", polyline.layer);
            point(out, 10, vertex);
            group(out, 70, "32");
        }
        common(out, "SEQEND", polyline.layer);
    }
    for (const DxfMark &mark : plan.points) {
        common(out, "POINT", mark.layer);
        point(out, 10, mark.at);
    }
    for (const DxfText &text : plan.texts) {
        common(out, "TEXT", text.layer);
        point(out, 10, text.at);
        group(out, 40, number(text.height));
        group(out, 1, oneLine(text.text));
        if (text.rotation != 0)
            group(out, 50, number(text.rotation));
    }
    group(out, 0, "ENDSEC");
}

} // namespace tav::cad
