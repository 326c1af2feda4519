// SPDX-License-Identifier: Apache-2.0
#include "strivane_render/png_writer.hpp"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cmath>
#include <fstream>
#include <new>
#include <stdexcept>

namespace Kelbrin::Render {

namespace {

// No exception may cross libpng's C frames: a failure to grow the output goes back as libpng's
// own error.
void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown)
        png_error(png, "out of memory");
}

void flushNothing(png_structp) {}

// A zlib deflate stream, ended however the function that owns it leaves.
struct deflate_stream {
    z_stream z{};
    bool started = false;
    ~deflate_stream()
    {
        if (started)
            deflateEnd(&z);
    }
};

// Deflates what z holds to read into `out`, through `buffer`; with Z_FINISH, to the end of
// the stream.
void drain(z_stream& z, int flush, std::vector<std::uint8_t>& buffer, std::vector<std::uint8_t>& out)
{
    int status = Z_OK;
    do {
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        status = deflate(&z, flush);
        out.insert(out.end(), buffer.data(), buffer.data() + (buffer.size() - z.avail_out));
    } while (z.avail_out == 0 || (flush == Z_FINISH && status == Z_OK));
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
        throw std::runtime_error("zlib could not compress the picture");
}

// The image data of the PNG, deflated: every row filtered "Up" (a filter byte, then each
// pixel less the one above it), so that a row like the one above is all zeros, and deflated
// as runs, which packs such rows without searching for matches; a hash table of middle size
// keeps the set-up cost low when a batch makes many pictures. (libpng would filter the rows
// too, a byte at a time.)
std::vector<std::uint8_t> imageData(const gray_image& image)
{
    deflate_stream stream;
    if (deflateInit2(&stream.z, 1, Z_DEFLATED, 15, 5, Z_RLE) != Z_OK)
        throw std::bad_alloc();
    stream.started = true;
    const auto w = static_cast<std::size_t>(image.width);
    std::vector<std::uint8_t> row(w + 1, PNG_FILTER_VALUE_UP);
    std::vector<std::uint8_t> buffer(1 << 14);
    std::vector<std::uint8_t> out;
    const std::uint8_t* above = nullptr;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* pixels = image.pixels.data() + w * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < w; ++x)
            row[1 + x] = static_cast<std::uint8_t>(pixels[x] - (above != nullptr ? above[x] : 0));
        above = pixels;
        stream.z.next_in = row.data();
        stream.z.avail_in = static_cast<uInt>(row.size());
        drain(stream.z, y + 1 == image.height ? Z_FINISH : Z_NO_FLUSH, buffer, out);
    }
    return out;
}

// 8-bit grayscale, a pHYs chunk for a positive resolution, the image data in one IDAT chunk.
// libpng reports a failure by a long jump back here, so nothing in this function may need
// destroying: false then.
bool writeImage(png_structp png, png_infop info, const gray_image& image, int dpi, const std::vector<std::uint8_t>& data)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (dpi > 0) {
        const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
        png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    png_write_info(png, info);
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), data.data(), data.size());
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    return true;
}

// Owns libpng's write and info structures.
struct png_write_handles {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;

    png_write_handles() = default;
    ~png_write_handles() { png_destroy_write_struct(&png, &info); }
    png_write_handles(const png_write_handles&) = delete;
    png_write_handles& operator=(const png_write_handles&) = delete;
};

}  // namespace

std::vector<std::uint8_t> encodePng(const gray_image& image, int dpi)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        throw std::invalid_argument("empty or inconsistent picture");
    std::vector<std::uint8_t> out;
    png_write_handles handles;
    if (handles.info == nullptr)
        throw std::runtime_error("libpng could not start");
    const std::vector<std::uint8_t> data = imageData(image);
    png_set_write_fn(handles.png, &out, appendBytes, flushNothing);
    if (!writeImage(handles.png, handles.info, image, dpi, data))
        throw std::runtime_error("libpng could not encode the picture");
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
