// SPDX-License-Identifier: Apache-2.0
// The office proof's symbols: seeded data of every symbology in every barcode font at the size
// the font is made for, and the rich text Barwright puts on the clipboard for them.
//
//   office_samples DIR
//
// writes DIR/symbols.tsv, one line per symbol:
//   ID  SYMBOLOGY  FONT  POINTS  SEGMENTS  HEX(input)  HEX(expected)  RTF  OWN  PITCH  LINE[ LINE...]
// (SYMBOLOGY as the tarnwick tool names it, POINTS the size, RTF the file holding the symbol,
// OWN 1 when FONT is the one made for the symbology, PITCH the font's line height in points)
// and DIR/barwright-N.rtf: Barwright's clipboard document for each font's symbols, as many to
// a document as fit on a page, an empty line between two symbols.
#include "font_samples.hpp"
#include "rtf_writer.hpp"

#include "strivane_render/barcode_fonts.hpp"
#include "tallowlib/symbol_text.hpp"

#include <QFile>
#include <QString>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Render;

using strivane::fonttest::hex;

namespace {

struct symbology_case {
    const char* name;  // the tarnwick tool's
    symbology s;
    bool stacked;  // DataBar Expanded Stacked
};

constexpr symbology_case cases[] = {
    {"databar14", symbology::databar14, false},
    {"databar-limited", symbology::databar_limited, false},
    {"databar-stacked", symbology::databar_stacked, false},
    {"databar-stacked-omni", symbology::databar_stacked_omni, false},
    {"databar-expanded", symbology::databar_expanded, false},
    {"databar-expanded-stacked", symbology::databar_expanded, true},
    {"code128", symbology::code128, false},
    {"gs1-128", symbology::gs1_128, false},
};

struct office_symbol {
    std::string cliName;
    strivane::fonttest::sample data;
    std::vector<std::string> lines;
};

std::size_t textLength(const std::vector<std::string>& lines)
{
    std::size_t n = 0;
    for (const auto& l : lines)
        n += l.size();
    return n;
}

// The first of a few seeded samples; for one-row Expanded the longest, so that every font is
// tried with a long line.
office_symbol pick(const symbology_case& c, unsigned seed)
{
    office_symbol best;
    for (const auto& smp : strivane::fonttest::randomSamples(c.s, 8, seed, c.stacked)) {
        std::vector<std::string> lines;
        encodeFontLines(c.s, smp.input.c_str(), smp.segmentsPerRow, lines);
        if (best.lines.empty() || textLength(lines) > textLength(best.lines))
            best = {c.name, smp, lines};
        if (!(c.s == symbology::databar_expanded && !c.stacked))
            break;
    }
    return best;
}

// Printed line height in points at `points`.
double lineHeight(const barcode_font_info& font, int points)
{
    return static_cast<double>(font.lineModules) * font.moduleUnits * points / fontUnitsPerEm;
}

bool writeRtf(const std::string& path, const barcode_font_info& font, int points, const std::string& text)
{
    QFile f(QString::fromStdString(path));
    const QString face = QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size()));
    const QByteArray rtf = Kelbrin::Barwright::rtfDocument(face, points * 2, QString::fromLatin1(text.c_str()));
    return f.open(QIODevice::WriteOnly) && f.write(rtf) == rtf.size();
}

constexpr double rtfPageBudget = 560.0;  // points of symbols and blank lines on one page

// One font's symbols into the table and its RTF documents; false when a file cannot be written.
bool writeFont(const std::string& dir, const barcode_font_info& font, unsigned seed, std::ostream& table, int& id,
               int& rtfCount)
{
    const int points = *defaultPointSize(font, sizingResolution(font, 300));
    std::string rtfText;
    double used = 0;
    auto rtfName = [&] { return "barwright-" + std::to_string(rtfCount) + ".rtf"; };
    for (const auto& c : cases) {
        const office_symbol sym = pick(c, seed++);
        const double height = lineHeight(font, points) * static_cast<double>(sym.lines.size() + 1);
        if (!rtfText.empty() && used + height > rtfPageBudget) {
            if (!writeRtf(dir + "/" + rtfName(), font, points, rtfText))
                return false;
            ++rtfCount;
            rtfText.clear();
            used = 0;
        }
        rtfText += (rtfText.empty() ? "" : "\r\n\r\n") + joinLines(sym.lines);
        used += height;
        table << id++ << '\t' << sym.cliName << '\t' << font.family << '\t' << points << '\t'
              << sym.data.segmentsPerRow << '\t' << hex(sym.data.input) << '\t' << hex(sym.data.expected) << '\t'
              << rtfName() << '\t' << (fontForSymbology(c.s).family == font.family ? 1 : 0) << '\t'
              << lineHeight(font, points) << '\t';
        for (std::size_t i = 0; i < sym.lines.size(); ++i)
            table << (i ? " " : "") << sym.lines[i];
        table << '\n';
    }
    const bool written = writeRtf(dir + "/" + rtfName(), font, points, rtfText);
    ++rtfCount;
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: office_samples DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::ofstream table(dir + "/symbols.tsv");
    int id = 0;
    int rtfCount = 0;
    unsigned seed = 20261207u;
    for (const auto& font : barcodeFonts) {
        if (!writeFont(dir, font, seed, table, id, rtfCount)) {
            std::cerr << "cannot write the RTF documents to " << dir << '\n';
            return 1;
        }
        seed += 100;
    }
    table.close();
    return table ? 0 : 1;
}
