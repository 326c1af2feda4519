// SPDX-License-Identifier: Apache-2.0
// The office proof's image side: finds the symbols on printed pages, cuts each out with a quiet
// zone, and reads pictures with zbar and zxing-cpp.
//
//   office_scan --dpi N --crops DIR PAGE...   symbols of the pages, top to bottom and page after
//                                             page, cut out to DIR/NNNN.pgm and read
//   office_scan FILE...                       each picture read as a whole
//
// Pictures: binary PGM (P5), PBM (P4) or PNG. Per picture read it prints
//   FILE <tab> READER <tab> FORMAT <tab> HEX(data)     (data as sample::expected has it)
//   FILE <tab> READER <tab> -                         when the reader found nothing
// and, with --crops, first one line per symbol found: "crop <tab> FILE <tab> PAGE <tab> X Y W H".
#include "font_samples.hpp"
#include "office_pages.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace scan = strivane::scan;
using namespace strivane::office;

using strivane::fonttest::hex;

namespace {

void printResults(const std::string& file, const char* reader, const std::optional<std::vector<scan::decoded>>& r)
{
    if (!r || r->empty())
        std::cout << file << '\t' << reader << "\t-\n";
    else
        for (const auto& d : *r)
            std::cout << file << '\t' << reader << '\t' << d.format << '\t'
                      << hex(strivane::fonttest::readerData(d.format, d.data)) << '\n';
}

// zxing-cpp reads one symbol per picture, in a child process (see decodeBatchWithZxingIsolated).
void readAll(const std::vector<std::string>& names, const std::vector<scan::gray_image>& pictures)
{
    const auto zxing = scan::decodeBatchWithZxingIsolated(pictures, 1);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        printResults(names[i], "zbar", scan::decodeWithZbar(pictures[i]));
        printResults(names[i], "zxing-cpp", zxing[i]);
    }
}

// Symbols of the pages cut out and read; false when a page cannot be read.
bool readPages(int dpi, const std::string& dir, const std::vector<std::string>& pages)
{
    std::vector<std::string> names;
    std::vector<scan::gray_image> crops;
    for (const auto& page : pages) {
        const auto img = readPicture(page);
        if (!img) {
            std::cerr << "cannot read " << page << '\n';
            return false;
        }
        for (const box& b : findSymbols(*img, dpi / 30)) {
            char name[32];
            std::snprintf(name, sizeof name, "/%04zu.pgm", crops.size());
            names.push_back(dir + name);
            crops.push_back(cutOut(*img, b, dpi / 6));
            scan::writePgm(crops.back(), names.back());
            std::cout << "crop\t" << names.back() << '\t' << page << '\t' << b.x << ' ' << b.y << ' ' << b.w << ' '
                      << b.h << '\n';
        }
    }
    readAll(names, crops);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 5 && args[0] == "--dpi" && args[2] == "--crops")
        return readPages(std::stoi(args[1]), args[3], {args.begin() + 4, args.end()}) ? 0 : 1;
    if (args.empty() || args[0].starts_with("--")) {
        std::cerr << "usage: office_scan --dpi N --crops DIR PAGE... | office_scan FILE...\n";
        return 2;
    }
    std::vector<scan::gray_image> pictures;
    for (const auto& a : args) {
        auto img = readPicture(a);
        if (!img) {
            std::cerr << "cannot read " << a << '\n';
            return 1;
        }
        pictures.push_back(std::move(*img));
    }
    readAll(args, pictures);
    return 0;
}
