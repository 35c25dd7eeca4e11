// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/id3v1_tag.h"

namespace trimvox {

bool IsId3v1Tag(const std::uint8_t* tail, std::size_t size) {
    return size == static_cast<std::size_t>(kId3v1Length) && tail[0] == 'T' && tail[1] == 'A' &&
           tail[2] == 'G';
}

} // namespace trimvox
