// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one Redraw of a 57 x 25 button, per style and look, without a caption (the caption's cost is
// the font engine's). Run: mxbutton_redraw_bench

#include "button_looks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace trimvox::mxbutton;

void BM_Redraw(benchmark::State& state, int style, looks::Look look) {
    ButtonModel model = looks::MakeButton(style);
    looks::ApplyLook(model, look);
    trimvox::gdi::Surface surface(57, 25);
    const RedrawContext ctx = looks::RunTimeContext();
    for (auto _ : state) {
        ButtonModel m = model; // each repaint starts from the same look
        Redraw(m, surface, ctx);
        benchmark::DoNotOptimize(surface.Bits());
    }
}

const bool kRegistered = [] {
    for (int style = 0; style < 16; ++style)
        for (looks::Look look : looks::kAllLooks)
            benchmark::RegisterBenchmark(
                (std::string("Redraw/") + looks::StyleName(style) + "/" + looks::LookName(look)).c_str(),
                BM_Redraw, style, look);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
