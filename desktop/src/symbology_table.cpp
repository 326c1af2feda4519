// SPDX-License-Identifier: Apache-2.0
#include "symbology_table.hpp"

namespace Kelbrin::Barwright {

namespace {

constexpr const char* gtinSample = "1234567890123";
constexpr const char* elementSample = "(01)1234567890123";

constexpr std::array<symbology_info, symbologyCount> symbologies{{
    {"DataBar-14", encoder_function::databar14, segments_source::none, gtinSample,
     "DataBar-14 encodes 14-digit GTIN: enter 13 digits (the check digit is computed) or all 14. An EAN-13 is "
     "entered with a leading 0 (4006381333931 as 04006381333931). It can be read omnidirectional. Use font "
     "'ZLT DataBar 34X' when creating the barcode."},
    {"DataBar Limited", encoder_function::databarLimited, segments_source::none, gtinSample,
     "DataBar Limited encodes 14-digit GTIN with indicator digit 0 or 1 (the first digit): enter 13 digits (the "
     "check digit is computed) or all 14. An EAN-13 is entered with a leading 0. DataBar Limited has a "
     "short length, but is not fit for omnidirectional reading. Use font 'ZLT DataBar 13X' when creating the "
     "barcode."},
    {"DataBar Stacked", encoder_function::databarStacked, segments_source::none, gtinSample,
     "DataBar Stacked encodes 14-digit GTIN: enter 13 digits (the check digit is computed) or all 14. An EAN-13 "
     "is entered with a leading 0. It is small but can not be read omnidirectionally. Use font 'ZLT "
     "DataBar 13X' when creating the barcode."},
    {"DataBar Stacked Omni", encoder_function::databarStackedOmni, segments_source::none, gtinSample,
     "DataBar Stacked Omnidirectional encodes 14-digit GTIN: enter 13 digits (the check digit is computed) or "
     "all 14. An EAN-13 is entered with a leading 0. Use in conjunction with font 'ZLT DataBar 34X' when "
     "creating the barcode."},
    {"DataBar Expanded", encoder_function::databarExpanded, segments_source::oneRow, elementSample,
     "DataBar Expanded encodes any GS1-128 data. Note that AI must be enclosed with parentheses. For example: "
     "(01)1234567890123. Use 'ZLT DataBar 34X' font."},
    {"DataBar Expanded Stacked", encoder_function::databarExpanded, segments_source::symbolsPerRowEdit,
     elementSample,
     "DataBar Expanded Stacked encodes any GS1-128 data. Note that AI must be enclosed with parentheses. For "
     "example: (01)09501101420069. Use 'ZLT DataBar 34X' font. Use the edit box above to specify number of "
     "segments per row."},
    {"Code 128", encoder_function::code128, segments_source::none, gtinSample,
     "Code128 is capable of encoding any characters with value between 0 to 255. See the manual on how to encode "
     "special characters. Use 'ZLT DataBar 34X' font."},
    {"GS1-128 (UCC/EAN-128)", encoder_function::ean128, segments_source::none, elementSample,
     "GS1-128 (formerly known as UCC/EAN-128) uses Code 128 to encode structure data defined by GS1 "
     "organization. Use 'ZLT DataBar 13X' font. "},
}};

}  // namespace

const symbology_info& symbologyInfo(int index)
{
    if (index < 0 || index >= symbologyCount)
        index = 0;
    return symbologies[static_cast<std::size_t>(index)];
}

}  // namespace Kelbrin::Barwright
