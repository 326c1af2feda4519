// Placeholder until this symbology family is built.
#include "symbol_text_parts.hpp"

#include <stdexcept>

namespace Kelbrin::Tallowlib::detail {

void encodeDataBarFixed(symbology, const char*, std::vector<std::string>& lines, std::string*)
{
    lines.clear();
    throw std::logic_error("symbology not available");
}

}  // namespace Kelbrin::Tallowlib::detail
