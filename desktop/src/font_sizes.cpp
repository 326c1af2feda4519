#include "font_sizes.hpp"

#include "barcode_font_names.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Kelbrin::Barwright {

namespace {

constexpr double unitsPerInchAtOnePoint = 147456.0;  // 72 points per inch x 2048 units per em

double milsAt(double points, int moduleWidth) { return moduleWidth * points * 1000.0 / unitsPerInchAtOnePoint; }

}  // namespace

int moduleWidth(std::string_view fontName)
{
    if (isScreenFont(fontName))
        return 128;
    if (fontName == fontEM)
        return 61;
    return 123;
}

bool isScreenFont(std::string_view fontName) { return fontName == font34X96dpi || fontName == font13X96dpi; }

size_candidates sizeCandidates(int resolution, int moduleWidth)
{
    size_candidates result;
    const int nMin = std::max(1, static_cast<int>(std::trunc(resolution * 0.005 + 0.5)));
    const int nMax = static_cast<int>(std::trunc(resolution * 0.025 + 0.5));
    if (nMin > nMax || moduleWidth <= 0)
        return result;

    const double unitsPerPointDot = static_cast<double>(resolution) * moduleWidth;
    float best = 1000.0f;
    result.values.reserve(static_cast<std::size_t>(nMax - nMin + 1));
    for (int n = nMin; n <= nMax; ++n) {
        const double exact = n * unitsPerInchAtOnePoint / unitsPerPointDot;
        const float roundedUp = static_cast<float>(exact + 0.5);
        const int points = static_cast<int>(std::trunc(roundedUp));
        result.values.push_back(points * 100);
        // Measured at the listed whole-point size, so the default is the listed size nearest 10 mils.
        const double distance = std::fabs(10.0 - milsAt(points, moduleWidth));
        if (distance < best) {
            best = static_cast<float>(distance);
            result.defaultIndex = static_cast<int>(result.values.size()) - 1;
        }
    }
    return result;
}

std::string sizeLabel(int hundredths)
{
    const double q = hundredths * 0.01;
    const int w = static_cast<int>(std::trunc(q + 0.5));
    char text[64];
    if (std::fabs(w - q) < 0.5)
        std::snprintf(text, sizeof text, "%d points", w);
    else
        std::snprintf(text, sizeof text, "%0.2f points", q);
    return text;
}

}  // namespace Kelbrin::Barwright
