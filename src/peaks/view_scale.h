// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox {

// The arithmetic of a zoomable waveform view `width` pixels wide over a source of `totalSamples` samples at
// `rate`: which sample lies under a pixel and where a sample is drawn. The zoom runs from the whole source
// in the width (the coarsest) down to kFinestSecondsPerPixel; the view never scrolls beyond either end.
// Pixel x covers the samples [sampleAt(x), sampleAt(x + 1)).
class ViewScale {
public:
    static constexpr double kFinestSecondsPerPixel = 0.0005;

    ViewScale() = default;
    ViewScale(long rate, std::int64_t totalSamples, int width);

    long rate() const { return rate_; }
    std::int64_t totalSamples() const { return total_; }
    int width() const { return width_; }
    double samplesPerPixel() const { return spp_; }
    double secondsPerPixel() const { return spp_ / static_cast<double>(rate_); }
    double firstSample() const { return first_; } // the sample at the left edge (fractional)
    double lastSample() const { return first_ + spp_ * width_; }

    double coarsest() const; // samples per pixel that show the whole source
    double finest() const;   // samples per pixel at the deepest zoom
    bool showsWhole() const { return spp_ >= coarsest(); }

    double sampleAt(double x) const { return first_ + x * spp_; }
    double xAt(double sample) const { return (sample - first_) / spp_; }
    // The sample under a pixel as a sample index, inside the source.
    std::int64_t sampleIndexAt(double x) const;

    // A new width keeps the left edge and the zoom (inside the limits).
    void setWidth(int width);
    // Changes the samples per pixel (clamped to finest..coarsest) so that the sample under `x` stays there.
    void zoomAround(double x, double factor);
    void setSamplesPerPixel(double spp, double anchorX);
    // Moves the view by `pixels` (positive: later in time).
    void scrollBy(double pixels);
    // Puts `sample` at the left edge (clamped).
    void scrollTo(double sample);
    // Puts `sample` in the middle of the view (clamped).
    void centreOn(double sample);
    // Shows [start, end) as well as the limits allow.
    void showRange(double start, double end);

private:
    void clampView();

    long rate_ = 44100;
    std::int64_t total_ = 0;
    int width_ = 1;
    double spp_ = 1.0;
    double first_ = 0.0;
};

} // namespace trimvox
