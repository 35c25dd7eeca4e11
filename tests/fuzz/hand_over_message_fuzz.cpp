// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness: the message a later start hands to the running program, read as the server reads what
// has arrived on a connection so far. Whatever the bytes, the reading ends without a fault, every prefix of a
// message is Incomplete or Bad, and a Complete path is written back to the very same bytes.
#include "app/startup/hand_over_message.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using trimvox::HandOverMessage;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HandOverMessage message = trimvox::ParseHandOverMessage(bytes);
    if (message.state == HandOverMessage::State::Complete) {
        if (size > static_cast<std::size_t>(trimvox::kMaxHandOverMessageBytes)) {
            std::abort(); // longer than any message taken
        }
        if (!message.path.isEmpty() && trimvox::HandOverMessageBytes(message.path) != bytes) {
            std::abort(); // not read back as written
        }
        if (size > 0 && trimvox::ParseHandOverMessage(bytes.first(static_cast<qsizetype>(size) - 1)).state ==
                            HandOverMessage::State::Complete) {
            std::abort(); // a shorter message inside a complete one
        }
    }
    return 0;
}
