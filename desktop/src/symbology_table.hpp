// SPDX-License-Identifier: Apache-2.0
// The eight symbologies of the main dialog: radio captions, sample data, notes, encoder.
#pragma once

#include <array>

namespace Kelbrin::Barwright {

// Which bound encoder function a symbology calls.
enum class encoder_function { code128, ean128, databar14, databarLimited, databarStacked, databarStackedOmni,
                              databarExpanded };

// How the segments-per-row argument of DataBarExpanded is chosen.
enum class segments_source { none, oneRow, symbolsPerRowEdit };

struct symbology_info {
    const char* caption;     // radio button text
    encoder_function function;
    segments_source segments;
    const char* sampleData;  // put into the data field when the radio is clicked
    const char* barlore;     // the note shown after an encode
};

inline constexpr int symbologyCount = 8;
inline constexpr int firstSymbologyId = 1002;  // radio identifiers 1002 to 1009

// Index 0 to 7; an index outside that range gives entry 0.
const symbology_info& symbologyInfo(int index);

}  // namespace Kelbrin::Barwright
