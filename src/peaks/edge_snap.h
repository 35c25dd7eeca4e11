// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "peaks/peak_pyramid.h"
#include "split/silence_detector.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace trimvox {

// The places a dragged edge is drawn to: the edges and middles of the silences found, and the quiet
// points of the fine peaks (the middle of each fine pixel whose low and high both stay within `quietLevel`
// of 128, where the wave crosses zero with nothing louder around it), sorted; `peaks` null: the silences'
// only.
std::vector<std::int64_t> SnapTargets(const std::vector<Silence>& silences, const PeakPyramid* peaks,
                                      std::int64_t from, std::int64_t to, int quietLevel = 1);

// The target nearest to `sample` that lies within `radius` samples of it (the earlier one of two at the
// same distance); nothing when none is that near. `targets` sorted.
std::optional<std::int64_t> NearestTarget(const std::vector<std::int64_t>& targets, std::int64_t sample,
                                          double radius);

} // namespace trimvox
