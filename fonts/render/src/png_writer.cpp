#include "strivane_render/png_writer.hpp"

#include <zlib.h>

#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace Kelbrin::Render {

namespace {

void putBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// One chunk: length, type, data, CRC of type and data.
void putChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data)
{
    putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    putBigEndian32(out, static_cast<std::uint32_t>(crc));
}

std::vector<std::uint8_t> headerData(const gray_image& image)
{
    std::vector<std::uint8_t> data;
    putBigEndian32(data, static_cast<std::uint32_t>(image.width));
    putBigEndian32(data, static_cast<std::uint32_t>(image.height));
    data.insert(data.end(), {8, 0, 0, 0, 0});  // 8-bit, grayscale, deflate, no filter set, no interlace
    return data;
}

std::vector<std::uint8_t> physicalSizeData(int dpi)
{
    std::vector<std::uint8_t> data;
    const auto perMetre = static_cast<std::uint32_t>(std::lround(dpi / 0.0254));
    putBigEndian32(data, perMetre);
    putBigEndian32(data, perMetre);
    data.push_back(1);  // unit: metre
    return data;
}

// Every row behind a filter byte 0 (none), deflated.
std::vector<std::uint8_t> imageData(const gray_image& image)
{
    const auto w = static_cast<std::size_t>(image.width);
    std::vector<std::uint8_t> raw;
    raw.reserve((w + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(w * static_cast<std::size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(w));
    }
    // Fast, small-memory deflate: the rows of a barcode repeat, which even the quickest level
    // finds, and a small hash table keeps the set-up cost low when many pictures are made.
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 15, 1, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib could not compress the picture");
    std::vector<std::uint8_t> packed(deflateBound(&z, static_cast<uLong>(raw.size())));
    z.next_in = raw.data();
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&z, Z_FINISH);
    const uLong size = z.total_out;
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw std::runtime_error("zlib could not compress the picture");
    packed.resize(size);
    return packed;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const gray_image& image, int dpi)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        throw std::invalid_argument("empty or inconsistent picture");
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    putChunk(out, "IHDR", headerData(image));
    if (dpi > 0)
        putChunk(out, "pHYs", physicalSizeData(dpi));
    putChunk(out, "IDAT", imageData(image));
    putChunk(out, "IEND", {});
    return out;
}

void writePng(const std::string& path, const gray_image& image, int dpi)
{
    const std::vector<std::uint8_t> bytes = encodePng(image, dpi);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::ios_base::failure("cannot write " + path);
}

}  // namespace Kelbrin::Render
