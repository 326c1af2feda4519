// SPDX-License-Identifier: Apache-2.0
#include "font_sizes.hpp"

#include "tallowlib/font_geometry.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Kelbrin::Barwright {

namespace {

using Kelbrin::Tallowlib::findFontGeometry;
using Kelbrin::Tallowlib::unitsPerInchAtOnePoint;

double milsAt(double points, int moduleWidth) { return moduleWidth * points * 1000.0 / unitsPerInchAtOnePoint; }

// Puts the recommended size in its place in the ascending list and makes it the default.
void addRecommended(size_candidates& list, int recommended)
{
    const auto at = std::lower_bound(list.values.begin(), list.values.end(), recommended);
    const auto index = at - list.values.begin();
    if (at == list.values.end() || *at != recommended)
        list.values.insert(at, recommended);
    list.defaultIndex = static_cast<int>(index);
}

}  // namespace

int moduleWidth(std::string_view fontName)
{
    const auto* font = findFontGeometry(fontName);
    return (font != nullptr ? *font : Kelbrin::Tallowlib::barcodeFontGeometry.front()).moduleUnits;
}

bool isScreenFont(std::string_view fontName)
{
    const auto* font = findFontGeometry(fontName);
    return font != nullptr && font->screenVariant;
}

int recommendedSize(std::string_view fontName)
{
    const auto* font = findFontGeometry(fontName);
    return font != nullptr ? font->recommendedPoints * 100 : 0;
}

size_candidates sizeCandidates(int resolution, int moduleWidth, int recommended)
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
    if (recommended > 0)
        addRecommended(result, recommended);
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
