// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/hand_over_message.h"

#include <QtEndian>

namespace trimvox {

namespace {
constexpr quint32 kNullText = 0xFFFFFFFFu; // how the stream writes a null text
} // namespace

HandOverMessage ParseHandOverMessage(QByteArrayView received) {
    using State = HandOverMessage::State;
    if (received.size() < 4) {
        return {State::Incomplete, {}};
    }
    const quint32 length = qFromBigEndian<quint32>(received.data());
    if (length == kNullText) {
        return {received.size() == 4 ? State::Complete : State::Bad, {}};
    }
    if (length % 2 != 0 || length > static_cast<quint32>(kMaxHandOverMessageBytes - 4)) {
        return {State::Bad, {}};
    }
    const qsizetype total = 4 + static_cast<qsizetype>(length);
    if (received.size() < total) {
        return {State::Incomplete, {}};
    }
    if (received.size() > total) {
        return {State::Bad, {}};
    }
    QString path(static_cast<qsizetype>(length / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = qFromBigEndian<quint16>(received.data() + 4 + 2 * i);
        if (unit == 0) {
            return {State::Bad, {}};
        }
        path[i] = QChar(unit);
    }
    return {State::Complete, path};
}

QByteArray HandOverMessageBytes(const QString& path) {
    QByteArray bytes(4 + 2 * path.size(), Qt::Uninitialized);
    qToBigEndian<quint32>(static_cast<quint32>(2 * path.size()), bytes.data());
    for (qsizetype i = 0; i < path.size(); ++i) {
        qToBigEndian<quint16>(path[i].unicode(), bytes.data() + 4 + 2 * i);
    }
    return bytes;
}

} // namespace trimvox
