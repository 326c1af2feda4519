#include "strivane_render/barcode_fonts.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace Kelbrin::Render {

namespace {

using Kelbrin::Tallowlib::symbology;

constexpr std::string_view tallFont = "ZLT DataBar 34X";
constexpr std::string_view shortFont = "ZLT DataBar 13X";

// 72 points per inch times the units per em: a size of s points makes a module of
// s * moduleUnits / pointUnitsPerInch inches.
constexpr double pointUnitsPerInch = 72.0 * fontUnitsPerEm;

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

}  // namespace

const barcode_font_info* findBarcodeFont(std::string_view family)
{
    for (const auto& font : barcodeFonts)
        if (font.family == family)
            return &font;
    return nullptr;
}

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
    const int r = sizingResolution(font, printerDpi);
    const int m = font.moduleUnits;
    const int nMin = std::max(1, static_cast<int>(r * 0.005 + 0.5));
    const int nMax = static_cast<int>(r * 0.025 + 0.5);
    std::optional<int> best;
    float bestDistance = 1000.0f;
    for (int n = nMin; n <= nMax; ++n) {
        // Exact size for n dots per module, rounded half up to a whole point.
        const double exact = n * pointUnitsPerInch / static_cast<double>(r * m);
        const auto rounded = static_cast<float>(exact + 0.5);
        const double mils = m * static_cast<double>(rounded) * 1000.0 / pointUnitsPerInch;
        const float distance = static_cast<float>(std::abs(10.0 - mils));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(rounded);
        }
    }
    return best;
}

std::optional<std::string> locateFontFile(const barcode_font_info& font)
{
    const char* const dirs[] = {std::getenv("STRIVANE_FONT_DIR"), STRIVANE_BUILD_FONT_DIR, STRIVANE_INSTALLED_FONT_DIR};
    for (const char* dir : dirs)
        if (auto path = fileIn(dir, font.fileName))
            return path;
    return std::nullopt;
}

}  // namespace Kelbrin::Render
