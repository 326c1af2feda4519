#include "strivane_render/symbol_png.hpp"

#include "strivane_render/barcode_fonts.hpp"
#include "strivane_render/font_raster.hpp"
#include "strivane_render/png_writer.hpp"

#include <filesystem>
#include <stdexcept>

namespace Kelbrin::Render {

namespace {

constexpr int defaultPrinterDpi = 300;
constexpr int maxDpi = 10000;
constexpr double maxPoints = 1000.0;
constexpr double fallbackPoints = 12.0;

struct chosen_font {
    std::string file;
    const barcode_font_info* info;  // nullptr for a font file that is none of ours
};

chosen_font chooseFont(Kelbrin::Tallowlib::symbology s, const std::string& requested)
{
    const barcode_font_info* info = requested.empty() ? &fontForSymbology(s) : findBarcodeFont(requested);
    if (info) {
        if (auto file = locateFontFile(*info))
            return {*file, info};
        throw std::runtime_error("font file " + std::string(info->fileName) +
                                 " not found (install the fonts or set STRIVANE_FONT_DIR)");
    }
    std::error_code ec;
    if (std::filesystem::is_regular_file(requested, ec))
        return {requested, nullptr};
    throw std::runtime_error("unknown font " + requested);
}

}  // namespace

png_outcome writeSymbolPng(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                           const png_request& request)
{
    chosen_font font = chooseFont(s, request.font);
    font_rasterizer rasterizer(font.file);
    if (!font.info)
        font.info = findBarcodeFont(rasterizer.familyName());

    png_outcome outcome;
    outcome.fontFile = font.file;
    outcome.dpi = request.dpi.value_or(font.info && font.info->screenVariant ? 96 : defaultPrinterDpi);
    if (outcome.dpi < 1 || outcome.dpi > maxDpi)
        throw std::runtime_error("resolution must be 1 to " + std::to_string(maxDpi) + " dpi");
    if (request.points)
        outcome.points = *request.points;
    else if (!font.info)
        outcome.points = fallbackPoints;
    else if (auto size = defaultPointSize(*font.info, outcome.dpi))
        outcome.points = *size;
    else
        throw std::runtime_error("no default size at this resolution; give the size");
    if (!(outcome.points > 0.0 && outcome.points <= maxPoints))
        throw std::runtime_error("size must be above 0 and at most 1000 points");

    rasterizer.setPointSize(outcome.points, outcome.dpi);
    outcome.modulePixels = rasterizer.modulePixels();
    writePng(request.path, rasterizer.render(lines), outcome.dpi);
    return outcome;
}

}  // namespace Kelbrin::Render
