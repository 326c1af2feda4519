// SPDX-License-Identifier: Apache-2.0
// zbar through its C interface (kept apart from zxing-cpp, whose headers clash with zbar's).
#include "scan_support.hpp"

#include <zbar.h>

namespace strivane::scan {

using namespace zbar;

std::vector<decoded> decodeWithZbar(const gray_image& image)
{
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    zbar_image_t* zimg = zbar_image_create();
    zbar_image_set_format(zimg, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimg, static_cast<unsigned>(image.width), static_cast<unsigned>(image.height));
    zbar_image_set_data(zimg, image.pixels.data(), image.pixels.size(), nullptr);  // pixels stay ours

    std::vector<decoded> out;
    if (zbar_scan_image(scanner, zimg) > 0) {
        for (const zbar_symbol_t* s = zbar_image_first_symbol(zimg); s; s = zbar_symbol_next(s)) {
            decoded d;
            d.format = zbar_get_symbol_name(zbar_symbol_get_type(s));
            d.data.assign(zbar_symbol_get_data(s), zbar_symbol_get_data_length(s));
            d.gs1 = (zbar_symbol_get_modifiers(s) & (1u << ZBAR_MOD_GS1)) != 0;
            out.push_back(std::move(d));
        }
    }
    zbar_image_destroy(zimg);
    zbar_image_scanner_destroy(scanner);
    return out;
}

}  // namespace strivane::scan
