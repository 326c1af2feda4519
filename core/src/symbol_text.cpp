#include "tallowlib/symbol_text.hpp"

#include "symbol_text_parts.hpp"

namespace Kelbrin::Tallowlib {

void encodeFontLines(symbology s, const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                     std::string* humanReadable)
{
    switch (s) {
    case symbology::code128:
    case symbology::gs1_128:
        return detail::encodeCode128Family(s, input, lines, humanReadable);
    case symbology::databar_expanded:
        return detail::encodeDataBarExpanded(input, segmentsPerRow, lines, humanReadable);
    case symbology::databar14:
    case symbology::databar_limited:
    case symbology::databar_stacked:
    case symbology::databar_stacked_omni:
        break;
    }
    detail::encodeDataBarFixed(s, input, lines, humanReadable);
}

}  // namespace Kelbrin::Tallowlib
