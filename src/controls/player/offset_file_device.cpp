// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/offset_file_device.h"

#include <fcntl.h>
#include <unistd.h>

namespace trimvox {

OffsetFileDevice::OffsetFileDevice(const std::string& path, qint64 offset, QObject* parent)
    : QIODevice(parent), path_(path), offset_(offset) {}

bool OffsetFileDevice::open(OpenMode mode) {
    if ((mode & WriteOnly) != 0) {
        return false;
    }
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    if (!file_.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    if (!file_.seek(offset_)) {
        file_.close();
        return false;
    }
    return QIODevice::open(mode);
}

void OffsetFileDevice::close() {
    file_.close();
    QIODevice::close();
}

qint64 OffsetFileDevice::size() const {
    return std::max<qint64>(0, file_.size() - offset_);
}

bool OffsetFileDevice::seek(qint64 position) {
    return QIODevice::seek(position) && file_.seek(offset_ + position);
}

qint64 OffsetFileDevice::readData(char* data, qint64 maxSize) {
    return file_.read(data, maxSize);
}

qint64 OffsetFileDevice::writeData(const char*, qint64) {
    return -1;
}

} // namespace trimvox
