// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/segment_cutter.h"
#include "platform/fs/atomic_output.h"

namespace trimvox {

// Puts a cut's output in place, the same way for every kind of cut: refuses an output that is the open
// source itself when the request asks so, then writes through `fill` (see WriteFileAtomically) by the
// request's policy. A failure that `fill` did not already name in `result.error` is OutputUnwritable;
// the reason goes to `result.detail`. Returns whether the output was written.
bool WriteCutOutput(const CutRequest& request, int source, const OutputFiller& fill, CutResult& result);

} // namespace trimvox
