// SPDX-License-Identifier: Apache-2.0
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

// The resolution and size a request asks for, the defaults filled in.
png_outcome chooseSize(const barcode_font_info* info, const png_request& request)
{
    png_outcome outcome;
    outcome.dpi = request.dpi.value_or(info && info->screenVariant ? 96 : defaultPrinterDpi);
    if (outcome.dpi < 1 || outcome.dpi > maxDpi)
        throw std::runtime_error("resolution must be 1 to " + std::to_string(maxDpi) + " dpi");
    if (request.points)
        outcome.points = *request.points;
    else if (!info)
        outcome.points = fallbackPoints;
    else if (auto size = defaultPointSize(*info, outcome.dpi))
        outcome.points = *size;
    else
        throw std::runtime_error("no default size at this resolution; give the size");
    if (!(outcome.points > 0.0 && outcome.points <= maxPoints))
        throw std::runtime_error("size must be above 0 and at most 1000 points");
    return outcome;
}

// A font opened in FreeType, at the size it was last set to.
struct loaded_font {
    chosen_font font;
    std::unique_ptr<font_rasterizer> rasterizer;
    double points = 0.0;
    int dpi = 0;
};

// The font a symbology and a requested font led to.
struct font_choice {
    Kelbrin::Tallowlib::symbology symbology;
    std::string requested;
    std::size_t font;  // index into symbol_renderer::fonts
};

// Sets symbols in the fonts it has loaded.
struct symbol_renderer {
    std::vector<loaded_font> fonts;
    std::vector<font_choice> choices;

    loaded_font& fontFor(Kelbrin::Tallowlib::symbology s, const std::string& requested)
    {
        for (const auto& c : choices)
            if (c.symbology == s && c.requested == requested)
                return fonts[c.font];
        chosen_font chosen = chooseFont(s, requested);
        std::size_t index = 0;
        while (index < fonts.size() && fonts[index].font.file != chosen.file)
            ++index;
        if (index == fonts.size()) {
            auto rasterizer = std::make_unique<font_rasterizer>(chosen.file);
            if (!chosen.info)
                chosen.info = findBarcodeFont(rasterizer->familyName());
            fonts.push_back({chosen, std::move(rasterizer)});
        }
        choices.push_back({s, requested, index});
        return fonts[index];
    }

    gray_image image;  // the last picture, its memory reused

    const gray_image& render(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                      const png_request& request, png_outcome& outcome)
    {
        loaded_font& loaded = fontFor(s, request.font);
        outcome = chooseSize(loaded.font.info, request);
        outcome.fontFile = loaded.font.file;
        if (loaded.points != outcome.points || loaded.dpi != outcome.dpi) {
            loaded.rasterizer->setPointSize(outcome.points, outcome.dpi);
            loaded.points = outcome.points;
            loaded.dpi = outcome.dpi;
        }
        outcome.modulePixels = loaded.rasterizer->modulePixels();
        loaded.rasterizer->render(lines, image);
        return image;
    }
};

}  // namespace

struct symbol_png_maker::impl {
    symbol_renderer renderer;
};

symbol_png_maker::symbol_png_maker() : d_(std::make_unique<impl>()) {}

symbol_png_maker::~symbol_png_maker() = default;

png_outcome symbol_png_maker::make(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                                   const png_request& request, std::vector<std::uint8_t>& png)
{
    png_outcome outcome;
    const gray_image& image = d_->renderer.render(s, lines, request, outcome);
    png = encodePng(image, outcome.dpi);
    return outcome;
}

png_outcome writeSymbolPng(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                           const png_request& request)
{
    symbol_renderer maker;
    png_outcome outcome;
    const gray_image& image = maker.render(s, lines, request, outcome);
    writePng(request.path, image, outcome.dpi);
    return outcome;
}

}  // namespace Kelbrin::Render
