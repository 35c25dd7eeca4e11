// SPDX-License-Identifier: GPL-3.0-or-later
// The text under every list file: the encodings (UTF-8, UTF-16 with a byte-order mark, GB18030) and times
// as people type them. Text that converts is valid UTF-8, and UTF-8 stays as it was; a time that reads is a
// number of seconds of 0 or more; a sample's time as text reads back to that sample.
#include "fuzz_check.h"
#include "split/text_encoding.h"
#include "split/time_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto sample = static_cast<std::int64_t>(provider.ConsumeIntegral<std::uint32_t>()) << 4;
    static constexpr long kRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000};
    const long rate = kRates[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kRates) - 1)];
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    const bool utf8 = IsValidUtf8(bytes);
    int badLine = 0;
    const std::optional<std::string> text = TextToUtf8(bytes, &badLine);
    if (text) {
        FUZZ_CHECK(IsValidUtf8(*text));
        if (utf8 && !bytes.starts_with("\xEF\xBB\xBF")) {
            FUZZ_CHECK(*text == bytes);
        }
    } else {
        FUZZ_CHECK(!utf8 && badLine >= 1);
    }

    if (const std::optional<double> seconds = ParseTime(bytes)) {
        FUZZ_CHECK(std::isfinite(*seconds) && *seconds >= 0.0);
    }
    const std::optional<double> exact = ParseTime(FormatSeconds(sample, rate));
    FUZZ_CHECK(exact && std::llround(*exact * rate) == sample);
    const std::optional<double> rounded = ParseTime(FormatTime(sample, rate));
    FUZZ_CHECK(rounded && std::fabs(*rounded - static_cast<double>(sample) / rate) <= 0.0005 + 1e-9);
    return 0;
}
