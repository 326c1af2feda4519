#include "scan_support.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/symbol_text.hpp"
#include "tallowlib/font_text.hpp"
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <iostream>
using namespace Kelbrin::Tallowlib;
using namespace strivane::scan;
TEST(Probe, P) {
  for (auto [in, s] : std::vector<std::pair<const char*,int>>{{"(01)12345678901231",22},{"(01)98898765432106(3202)012345(15)991231",4},{"(01)98898765432106(3202)012345(15)991231",22},{"(10)ABC123(21)xyz(30)12",2},{"(01)98898765432106(3103)001750",4}}) {
    std::vector<std::string> lines; encodeFontLines(symbology::databar_expanded, in, s, lines);
    auto m = readFontText(joinLines(lines));
   for (int dh : {34}) for (int sc : {2}) {
    std::vector<int> h; for (bool d : m.dataRow) h.push_back(d ? dh : 1);
    auto img = renderModuleRows(m.rows, h, sc, 12);
    ZXing::ImageView view(img.pixels.data(), img.width, img.height, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints; hints.setFormats(ZXing::BarcodeFormat::DataBarExpanded); hints.setTryRotate(false);
    auto r = ZXing::ReadBarcode(view, hints);
    std::cout << in << " s" << s << " dh" << dh << " sc" << sc << ": " << r.isValid() << " ";
    std::string b(r.bytes().begin(), r.bytes().end());
    std::cout << b << " | " << ZXing::ToString(r.contentType()) << " | " << r.symbologyIdentifier();
    for (auto& d : decodeWithZbar(img)) std::cout << " zb " << d.data;
    std::cout << "\n";
   }
  }
}
