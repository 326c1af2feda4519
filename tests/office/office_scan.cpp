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
#include "scan_support.hpp"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace scan = strivane::scan;

namespace {

std::optional<scan::gray_image> readPng(const std::string& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return std::nullopt;
    png.format = PNG_FORMAT_GRAY;
    scan::gray_image img{static_cast<int>(png.width), static_cast<int>(png.height), {}};
    img.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, img.pixels.data(), 0, nullptr))
        return std::nullopt;
    return img;
}

// Binary PGM (8 bits) or PBM.
std::optional<scan::gray_image> readPnm(const std::string& bytes)
{
    const bool bitmap = bytes.compare(0, 2, "P4") == 0;
    std::size_t at = 2;
    std::vector<int> fields;
    while (fields.size() < (bitmap ? 2u : 3u) && at < bytes.size()) {
        if (bytes[at] == '#')
            at = bytes.find('\n', at);
        else if (std::isspace(static_cast<unsigned char>(bytes[at])) == 0) {
            const std::size_t end = bytes.find_first_of(" \t\r\n", at);
            fields.push_back(std::stoi(bytes.substr(at, end - at)));
            at = end;
            continue;
        }
        ++at;
    }
    ++at;  // the single blank after the header
    if (fields.size() < 2 || (!bitmap && fields[2] != 255))
        return std::nullopt;
    scan::gray_image img{fields[0], fields[1], {}};
    const std::size_t stride = bitmap ? (static_cast<std::size_t>(img.width) + 7) / 8 : img.width;
    if (bytes.size() < at + stride * static_cast<std::size_t>(img.height))
        return std::nullopt;
    img.pixels.resize(static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(img.height); ++y)
        for (std::size_t x = 0; x < static_cast<std::size_t>(img.width); ++x) {
            const auto byte = static_cast<unsigned char>(bytes[at + y * stride + (bitmap ? x / 8 : x)]);
            img.pixels[y * img.width + x] = bitmap ? (((byte >> (7 - x % 8)) & 1) != 0 ? 0 : 255) : byte;
        }
    return img;
}

std::optional<scan::gray_image> readPicture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.compare(0, 2, "P4") == 0 || bytes.compare(0, 2, "P5") == 0)
        return readPnm(bytes);
    return readPng(path);
}

struct box {
    int x, y, w, h;
};

bool darkRow(const scan::gray_image& img, int y, int& left, int& right)
{
    const auto* row = &img.pixels[static_cast<std::size_t>(y) * img.width];
    bool any = false;
    for (int x = 0; x < img.width; ++x)
        if (row[x] < 128) {
            left = std::min(left, x);
            right = std::max(right, x);
            any = true;
        }
    return any;
}

// Blocks of rows holding dark pixels, split where at least `gap` light rows separate them:
// the empty paragraph between two symbols is far taller, a seam inside a stacked symbol far
// thinner.
std::vector<box> findSymbols(const scan::gray_image& img, int gap)
{
    std::vector<box> found;
    int top = -1, bottom = -1, left = img.width, right = -1;
    for (int y = 0; y <= img.height; ++y) {
        int l = img.width, r = -1;
        const bool dark = y < img.height && darkRow(img, y, l, r);
        if (dark) {
            if (top < 0)
                top = y;
            bottom = y;
            left = std::min(left, l);
            right = std::max(right, r);
        }
        if (top >= 0 && (y == img.height || (!dark && y - bottom > gap))) {
            found.push_back({left, top, right - left + 1, bottom - top + 1});
            top = -1;
            left = img.width;
            right = -1;
        }
    }
    return found;
}

// The box with `quiet` light pixels on every side.
scan::gray_image cutOut(const scan::gray_image& img, const box& b, int quiet)
{
    scan::gray_image out{b.w + 2 * quiet, b.h + 2 * quiet, {}};
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 255);
    for (int y = 0; y < b.h; ++y)
        std::copy_n(&img.pixels[static_cast<std::size_t>(b.y + y) * img.width + b.x], b.w,
                    &out.pixels[static_cast<std::size_t>(y + quiet) * out.width + quiet]);
    return out;
}

std::string hex(const std::string& bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

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
