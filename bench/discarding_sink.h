// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/decode_pass.h"

#include <cstddef>
#include <cstdint>

namespace trimvox::bench {

// A sink for the decoding pass that keeps nothing: the pass alone, the floor of anything that decodes.
class DiscardingSink final : public DecodedBlockSink {
public:
    void onFormat(const DecodedFormat&) override {}
    void onBlock(std::int64_t, const std::int16_t*, std::size_t) override {}
    void onEnd(std::int64_t) override {}
};

} // namespace trimvox::bench
