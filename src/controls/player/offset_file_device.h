// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QIODevice>
#include <string>

namespace trimvox {

// A file read from a given byte on: the player reads a preview from where its audio really starts,
// without a copy of the file. The file is named by its bytes, so that a name that is not UTF-8 opens too.
// Closing it releases the file at once.
class OffsetFileDevice : public QIODevice {
    Q_OBJECT

public:
    OffsetFileDevice(const std::string& path, qint64 offset, QObject* parent = nullptr);

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 position) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    std::string path_;
    QFile file_;
    qint64 offset_;
};

} // namespace trimvox
