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

// 8-bit grayscale, every row filtered "Up" (as the difference from the row above) and
// deflated as runs: the rows of a barcode repeat, so most filtered rows are all zeros, which
// run-length deflate packs without searching for matches; a hash table of middle size keeps the
// set-up cost low when a batch makes many pictures. A pHYs chunk for a positive resolution.
// libpng reports a failure by a long jump back here, so nothing in this function may need
// destroying: false then.
bool writeImage(png_structp png, png_infop info, const gray_image& image, int dpi)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (dpi > 0) {
        const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
        png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_set_compression_mem_level(png, 5);
    png_write_info(png, info);
    const auto w = static_cast<std::size_t>(image.width);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.pixels.data() + w * static_cast<std::size_t>(y));
    png_write_end(png, nullptr);
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
    png_set_write_fn(handles.png, &out, appendBytes, flushNothing);
    if (!writeImage(handles.png, handles.info, image, dpi))
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
