#include "tallowlib/symbol_text.hpp"

#include <stdexcept>

namespace Kelbrin::Tallowlib {

void encodeFontLines(symbology s, const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                     std::string* humanReadable)
{
    (void)input;
    (void)segmentsPerRow;
    (void)humanReadable;
    lines.clear();
    switch (s) {
    case symbology::code128:
    case symbology::gs1_128:
    case symbology::databar14:
    case symbology::databar_limited:
    case symbology::databar_stacked:
    case symbology::databar_stacked_omni:
    case symbology::databar_expanded:
        break;
    }
    throw std::logic_error("symbology not available");
}

}  // namespace Kelbrin::Tallowlib
