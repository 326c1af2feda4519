// SPDX-License-Identifier: Apache-2.0
#include "strivane_render/barcode_fonts.hpp"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace Kelbrin::Render {

namespace {

using Kelbrin::Tallowlib::symbology;

constexpr std::string_view tallFont = "ZLT DataBar 34X";
constexpr std::string_view shortFont = "ZLT DataBar 13X";

std::optional<std::string> fileIn(const char* dir, std::string_view fileName)
{
    if (dir == nullptr || *dir == '\0')
        return std::nullopt;
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::path(dir) / fileName;
    if (std::filesystem::is_regular_file(path, ec))
        return path.string();
    return std::nullopt;
}

std::optional<std::string> fileIn(const std::filesystem::path& dir, std::string_view fileName)
{
    return fileIn(dir.c_str(), fileName);
}

// The installed font directory relative to the running program's own directory, so that an
// installation works wherever it was put.
std::optional<std::string> besideProgram(std::string_view fileName)
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty())
        return std::nullopt;
    return fileIn((program.parent_path() / STRIVANE_FONT_DIR_FROM_PROGRAM).lexically_normal(), fileName);
}

struct fc_pattern_deleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct fc_config_deleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
using fc_pattern = std::unique_ptr<FcPattern, fc_pattern_deleter>;

// The file fontconfig offers for the family, when it offers that very family (fontconfig
// falls back to some other font rather than none). A configuration of its own, destroyed after
// use: fontconfig's process-wide one would stay allocated to the end.
std::optional<std::string> throughFontconfig(std::string_view family)
{
    const std::unique_ptr<FcConfig, fc_config_deleter> config(FcInitLoadConfigAndFonts());
    const fc_pattern wanted(FcPatternCreate());
    if (!config || !wanted)
        return std::nullopt;
    const std::string name(family);
    FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(config.get(), wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    const fc_pattern match(FcFontMatch(config.get(), wanted.get(), &result));
    FcChar8* matchedFamily = nullptr;
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &matchedFamily) != FcResultMatch ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        name != reinterpret_cast<const char*>(matchedFamily))
        return std::nullopt;
    const std::filesystem::path path(reinterpret_cast<const char*>(file));
    return fileIn(path.parent_path(), path.filename().string());
}

}  // namespace

const barcode_font_info* findBarcodeFont(std::string_view family) { return Tallowlib::findFontGeometry(family); }

const barcode_font_info& fontForSymbology(symbology s)
{
    switch (s) {
    case symbology::databar_limited:
    case symbology::databar_stacked:
    case symbology::gs1_128:
        return *findBarcodeFont(shortFont);
    case symbology::databar14:
    case symbology::databar_stacked_omni:
    case symbology::databar_expanded:
    case symbology::code128:
        break;
    }
    return *findBarcodeFont(tallFont);
}

int sizingResolution(const barcode_font_info& font, int printerDpi)
{
    return font.screenVariant ? 96 : printerDpi;
}

std::optional<int> defaultPointSize(const barcode_font_info& font, int printerDpi)
{
    // The desktop program lists sizes for about 5 to 25 mils in whole dots; below 20 dpi none.
    if (sizingResolution(font, printerDpi) * 0.025 + 0.5 < 1.0)
        return std::nullopt;
    return font.recommendedPoints;
}

std::optional<std::string> locateFontFile(const barcode_font_info& font)
{
    if (auto path = fileIn(std::getenv("STRIVANE_FONT_DIR"), font.fileName))
        return path;
    if (auto path = besideProgram(font.fileName))
        return path;
    if (auto path = throughFontconfig(font.family))
        return path;
    return fileIn(STRIVANE_BUILD_FONT_DIR, font.fileName);
}

}  // namespace Kelbrin::Render
