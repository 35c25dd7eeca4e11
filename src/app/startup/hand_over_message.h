// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace trimvox {

// The message a later start sends to the running program: the path of the file to open, as Qt's data stream
// writes a text (version 6.0): its length in bytes (32 bits, big-endian) and then its UTF-16 code units
// (big-endian). A path may carry the bytes of a name that is not UTF-8 as escapes (common/path_text.h).

// The longest message taken: a path of PATH_MAX bytes, each byte one code unit, and the length before it.
inline constexpr qsizetype kMaxHandOverMessageBytes = 4 + 2 * 4096;

struct HandOverMessage {
    enum class State {
        Incomplete, // what came so far may still become a message
        Bad,        // not a message of ours: too long, an odd length, a NUL in the path, bytes after it
        Complete,
    };
    State state = State::Incomplete;
    QString path; // for Complete; empty when the sender named no file
};

// Reads the bytes received so far on one connection.
HandOverMessage ParseHandOverMessage(QByteArrayView received);

// The message that hands `path` over.
QByteArray HandOverMessageBytes(const QString& path);

} // namespace trimvox
