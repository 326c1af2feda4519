// SPDX-License-Identifier: Apache-2.0
#include "scan_support.hpp"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace strivane::scan {

gray_image renderModuleRows(const std::vector<std::string>& rows, const std::vector<int>& heights, int scale,
                            int quietZone)
{
    std::size_t modules = 0;
    for (const auto& r : rows)
        modules = std::max(modules, r.size());
    int totalHeight = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        totalHeight += i < heights.size() ? heights[i] : 1;

    gray_image img;
    img.width = (static_cast<int>(modules) + 2 * quietZone) * scale;
    img.height = (totalHeight + 2 * quietZone) * scale;
    img.pixels.assign(static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height), 255);

    int y = quietZone * scale;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int h = (i < heights.size() ? heights[i] : 1) * scale;
        for (std::size_t m = 0; m < rows[i].size(); ++m) {
            if (rows[i][m] != '1')
                continue;
            const int x0 = (quietZone + static_cast<int>(m)) * scale;
            for (int dy = 0; dy < h; ++dy)
                std::memset(&img.pixels[static_cast<std::size_t>(y + dy) * static_cast<std::size_t>(img.width) +
                                        static_cast<std::size_t>(x0)],
                            0, static_cast<std::size_t>(scale));
        }
        y += h;
    }
    return img;
}

std::vector<decoded> decodeWithZxing(const gray_image& image, int maxSymbols)
{
    ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::DataBar |
                     ZXing::BarcodeFormat::DataBarExpanded);
    hints.setTryRotate(false);
    hints.setTryDownscale(false);
    if (maxSymbols > 0)
        hints.setMaxNumberOfSymbols(static_cast<std::uint8_t>(std::min(maxSymbols, 255)));
    std::vector<decoded> out;
    for (const auto& r : ZXing::ReadBarcodes(view, hints)) {
        if (!r.isValid())
            continue;
        decoded d;
        d.format = ZXing::ToString(r.format());
        const auto& bytes = r.bytes();
        d.data.assign(bytes.begin(), bytes.end());
        d.symbologyId = r.symbologyIdentifier();
        d.gs1 = r.contentType() == ZXing::ContentType::GS1;
        out.push_back(std::move(d));
    }
    return out;
}

namespace {

// Child -> parent, per picture: a count, then per result four length-prefixed fields.
bool writeAll(int fd, const void* data, std::size_t size)
{
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool writeField(int fd, const std::string& s)
{
    const std::uint32_t n = static_cast<std::uint32_t>(s.size());
    return writeAll(fd, &n, sizeof n) && writeAll(fd, s.data(), s.size());
}

bool writeResults(int fd, const std::vector<decoded>& results)
{
    const std::uint32_t count = static_cast<std::uint32_t>(results.size());
    if (!writeAll(fd, &count, sizeof count))
        return false;
    for (const auto& d : results)
        if (!writeField(fd, d.format) || !writeField(fd, d.data) || !writeField(fd, d.symbologyId) ||
            !writeField(fd, d.gs1 ? "1" : "0"))
            return false;
    return true;
}

bool readAll(int fd, void* data, std::size_t size)
{
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool readField(int fd, std::string& s)
{
    std::uint32_t n = 0;
    if (!readAll(fd, &n, sizeof n) || n > (1u << 20))
        return false;
    s.resize(n);
    return n == 0 || readAll(fd, s.data(), n);
}

// nullopt when the child's results for a picture did not arrive whole.
std::optional<std::vector<decoded>> readResults(int fd)
{
    std::uint32_t count = 0;
    if (!readAll(fd, &count, sizeof count))
        return std::nullopt;
    std::vector<decoded> out;
    for (std::uint32_t i = 0; i < count; ++i) {
        decoded d;
        std::string gs1;
        if (!readField(fd, d.format) || !readField(fd, d.data) || !readField(fd, d.symbologyId) ||
            !readField(fd, gs1))
            return std::nullopt;
        d.gs1 = gs1 == "1";
        out.push_back(std::move(d));
    }
    return out;
}

// Forks one child that reads images[next..] in turn, stores in `out` what arrives whole
// and leaves `next` at the first picture without a whole result (the one the child died
// on). False when no child could be started.
bool readInChild(std::span<const gray_image> images, int maxSymbols, std::size_t& next,
                 std::vector<std::optional<std::vector<decoded>>>& out)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        for (std::size_t i = next; i < images.size(); ++i)
            if (!writeResults(fds[1], decodeWithZxing(images[i], maxSymbols)))
                ::_exit(1);
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    while (next < images.size()) {
        auto results = readResults(fds[0]);
        if (!results)
            break;
        out[next++] = std::move(results);
    }
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return true;
}

}  // namespace

std::vector<std::optional<std::vector<decoded>>> decodeBatchWithZxingIsolated(std::span<const gray_image> images,
                                                                              int maxSymbols)
{
    std::vector<std::optional<std::vector<decoded>>> out(images.size());
    std::size_t next = 0;
    while (next < images.size() && readInChild(images, maxSymbols, next, out))
        if (next < images.size())
            ++next;  // the child died on this picture: it stays nullopt
    return out;
}

std::optional<std::vector<decoded>> decodeWithZxingIsolated(const gray_image& image, int maxSymbols)
{
    return decodeBatchWithZxingIsolated(std::span<const gray_image>(&image, 1), maxSymbols).front();
}

bool writePgm(const gray_image& image, const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "P5\n%d %d\n255\n", image.width, image.height);
    const bool ok = std::fwrite(image.pixels.data(), 1, image.pixels.size(), f) == image.pixels.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace strivane::scan
