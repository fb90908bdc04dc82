// The cursor readout at any float position: six plain numbers inside the frame, or all six
// "霧入り" above the saturation curve, or all six "範囲外" outside the frame.
#include <cmath>

#include "chart/cursor_readout.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    float X = 0;
    float Y = 0;
    if (input.ConsumeBool()) {
        X = fuzz::rawFloat(input);
        Y = fuzz::rawFloat(input);
    } else {  // the frame and a margin around it
        X = input.ConsumeFloatingPointInRange(-5.0F, 215.0F);
        Y = input.ConsumeFloatingPointInRange(-5.0F, 165.0F);
    }
    const chart::Readout r =
        chart::cursorReadout(X, Y, psychro::PressureRatio::standard(), chart::Units::Engineering);
    const std::string texts[] = {r.x, r.i, r.t, r.tw, r.v, r.phi};
    const std::string detail = fuzz::show(X, Y) + " -> " + r.x + " " + r.i + " " + r.t + " " +
                               r.tw + " " + r.v + " " + r.phi;
    const bool inside = X >= 0.0F && X <= 208.3F && Y >= 0.0F && Y <= 160.0F;
    if (!inside) {
        for (const std::string& t : texts) {
            FUZZ_CHECK(t == chart::kOutsideText, detail);
        }
        return 0;
    }
    if (r.x == chart::kFogText) {
        for (const std::string& t : texts) {
            FUZZ_CHECK(t == chart::kFogText, detail);
        }
        return 0;
    }
    const std::size_t decimals[] = {5, 2, 2, 2, 3, 2};
    for (std::size_t k = 0; k < 6; ++k) {
        FUZZ_CHECK(fuzz::isPlainNumber(texts[k]) && texts[k].size() <= 12, detail);
        FUZZ_CHECK(fuzz::decimalsOf(texts[k]) <= decimals[k], detail);
    }
    // A state under the saturation curve: 0 ≤ φ ≤ 100 %.
    const double phi = std::strtod(r.phi.c_str(), nullptr);
    FUZZ_CHECK(phi >= 0.0 && phi <= 100.0, detail);
    return 0;
}
