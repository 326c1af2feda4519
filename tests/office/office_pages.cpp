// SPDX-License-Identifier: Apache-2.0
#include "office_pages.hpp"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace strivane::office {

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
    if (fields.size() < (bitmap ? 2u : 3u) || (!bitmap && fields[2] != 255) || fields[0] <= 0 || fields[1] <= 0)
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

}  // namespace

std::optional<scan::gray_image> readPicture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.compare(0, 2, "P4") == 0 || bytes.compare(0, 2, "P5") == 0)
        return readPnm(bytes);
    return readPng(path);
}

namespace {

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

}  // namespace

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

scan::gray_image cutOut(const scan::gray_image& img, const box& b, int quiet)
{
    scan::gray_image out{b.w + 2 * quiet, b.h + 2 * quiet, {}};
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 255);
    for (int y = 0; y < b.h; ++y)
        std::copy_n(&img.pixels[static_cast<std::size_t>(b.y + y) * img.width + b.x], b.w,
                    &out.pixels[static_cast<std::size_t>(y + quiet) * out.width + quiet]);
    return out;
}

}  // namespace strivane::office
