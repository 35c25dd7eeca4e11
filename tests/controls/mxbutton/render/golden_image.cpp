// SPDX-License-Identifier: GPL-3.0-or-later
#include "golden_image.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <cstring>

namespace trimvox::testing_support {

namespace {

QImage ToImage(const gdi::Surface& s) {
    QImage img(s.Width(), s.Height(), QImage::Format_RGB32);
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            img.setPixel(x, y,
                         0xFF000000u | (s.Bits()[static_cast<std::size_t>(y) * s.Width() + x] & 0xFFFFFFu));
    return img;
}

bool Recording() {
    const char* v = std::getenv("TRIMVOX_RECORD_GOLDENS");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

} // namespace

::testing::AssertionResult MatchesGolden(const gdi::Surface& s, const std::string& name) {
    const QString goldenDir = QStringLiteral(TRIMVOX_GOLDEN_DIR);
    const QString goldenPath =
        goldenDir + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".png");
    const QImage actual = ToImage(s);
    if (Recording()) {
        QDir().mkpath(goldenDir);
        if (!actual.save(goldenPath, "PNG"))
            return ::testing::AssertionFailure() << "cannot write " << goldenPath.toStdString();
        return ::testing::AssertionSuccess();
    }
    const QImage golden = QImage(goldenPath).convertToFormat(QImage::Format_RGB32);
    int differing = -1;
    QImage diff = actual.copy();
    if (!golden.isNull() && golden.size() == actual.size()) {
        differing = 0;
        for (int y = 0; y < actual.height(); ++y) {
            for (int x = 0; x < actual.width(); ++x) {
                const QRgb a = actual.pixel(x, y);
                if ((a & 0xFFFFFF) != (golden.pixel(x, y) & 0xFFFFFF)) {
                    ++differing;
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                } else {
                    diff.setPixel(x, y, qRgb(128 + qRed(a) / 2, 128 + qGreen(a) / 2, 128 + qBlue(a) / 2));
                }
            }
        }
        if (differing == 0)
            return ::testing::AssertionSuccess();
    }
    const QString outDir = QStringLiteral(TRIMVOX_GOLDEN_FAILURES_DIR);
    QDir().mkpath(outDir);
    const QString base = outDir + QLatin1Char('/') + QString::fromStdString(name);
    actual.save(base + QStringLiteral(".actual.png"), "PNG");
    if (differing > 0)
        diff.save(base + QStringLiteral(".diff.png"), "PNG");
    auto failure = ::testing::AssertionFailure();
    if (golden.isNull())
        failure << "no golden image " << goldenPath.toStdString();
    else if (differing < 0)
        failure << "golden image " << goldenPath.toStdString() << " has another size";
    else
        failure << differing << " pixels differ from " << goldenPath.toStdString();
    return failure << "; actual image in " << base.toStdString()
                   << ".actual.png (re-record with TRIMVOX_RECORD_GOLDENS=1 after a deliberate change)";
}

} // namespace trimvox::testing_support
