// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/hand_over_message.h"

#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>

namespace trimvox {
namespace {

QByteArray Streamed(const QString& path) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << path;
    return bytes;
}

// What the running program makes of the bytes that have arrived on one connection.
TEST(HandOverMessage, ReadsOnePathAndRefusesAnythingElse) {
    using State = HandOverMessage::State;
    const QString path = QStringLiteral("/音乐/a.mp3");
    const QByteArray message = HandOverMessageBytes(path);
    const QString escaped = QStringLiteral("/x") + QChar(0xDCC4) + QChar(0xDCE3) + QStringLiteral(".mp3");
    struct Case {
        const char* what;
        QByteArray bytes;
        State state;
        QString path;
    };
    const Case cases[] = {
        {"a path", message, State::Complete, path},
        {"as Qt's data stream writes it", Streamed(path), State::Complete, path},
        {"a path that keeps bytes that are not UTF-8", HandOverMessageBytes(escaped), State::Complete,
         escaped},
        {"nothing yet", {}, State::Incomplete, {}},
        {"part of the length", message.left(3), State::Incomplete, {}},
        {"part of the path", message.left(message.size() - 1), State::Incomplete, {}},
        {"bytes after the path", message + "x", State::Bad, {}},
        {"an empty path", QByteArray(4, '\0'), State::Complete, {}},
        {"a null text", QByteArray(4, '\xFF'), State::Complete, {}},
        {"2 GB announced", QByteArray("\x7F\xFF\xFF\xFE", 4) + QByteArray(100, 'a'), State::Bad, {}},
        {"one byte longer than a path can be", QByteArray("\x00\x00\x20\x02", 4), State::Bad, {}},
        {"an odd length", QByteArray("\x00\x00\x00\x03", 4), State::Bad, {}},
        {"a NUL in the path", QByteArray("\x00\x00\x00\x04\x00\x2F\x00\x00", 8), State::Bad, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HandOverMessage read = ParseHandOverMessage(c.bytes);
        EXPECT_EQ(read.state, c.state);
        EXPECT_EQ(read.path, c.path);
    }
    // The longest path taken fills the bound exactly.
    const QByteArray longest = HandOverMessageBytes(QString(4096, QLatin1Char('a')));
    EXPECT_EQ(longest.size(), kMaxHandOverMessageBytes);
    EXPECT_EQ(ParseHandOverMessage(longest).state, State::Complete);
}

} // namespace
} // namespace trimvox
