// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/view_scale.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

ViewScale::ViewScale(long rate, std::int64_t totalSamples, int width)
    : rate_(rate > 0 ? rate : 44100), total_(std::max<std::int64_t>(totalSamples, 0)),
      width_(std::max(width, 1)) {
    spp_ = coarsest();
}

double ViewScale::coarsest() const {
    return std::max(finest(), static_cast<double>(total_) / width_);
}

double ViewScale::finest() const {
    return kFinestSecondsPerPixel * static_cast<double>(rate_);
}

std::int64_t ViewScale::sampleIndexAt(double x) const {
    const auto sample = static_cast<std::int64_t>(std::llround(sampleAt(x)));
    return std::clamp<std::int64_t>(sample, 0, total_);
}

void ViewScale::clampView() {
    spp_ = std::clamp(spp_, finest(), coarsest());
    const double span = spp_ * width_;
    first_ = std::clamp(first_, 0.0, std::max(0.0, static_cast<double>(total_) - span));
}

void ViewScale::setWidth(int width) {
    width_ = std::max(width, 1);
    clampView();
}

void ViewScale::setSamplesPerPixel(double spp, double anchorX) {
    const double anchor = sampleAt(anchorX);
    spp_ = std::clamp(spp, finest(), coarsest());
    first_ = anchor - anchorX * spp_;
    clampView();
}

void ViewScale::zoomAround(double x, double factor) {
    if (factor > 0) {
        setSamplesPerPixel(spp_ * factor, x);
    }
}

void ViewScale::scrollBy(double pixels) {
    first_ += pixels * spp_;
    clampView();
}

void ViewScale::scrollTo(double sample) {
    first_ = sample;
    clampView();
}

void ViewScale::centreOn(double sample) {
    first_ = sample - spp_ * width_ / 2.0;
    clampView();
}

void ViewScale::showRange(double start, double end) {
    spp_ = std::clamp((end - start) / width_, finest(), coarsest());
    first_ = (start + end) / 2.0 - spp_ * width_ / 2.0;
    clampView();
}

} // namespace trimvox
