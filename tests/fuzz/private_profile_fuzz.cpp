// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as any bytes: the program's own settings read from it (skin, precise cut, last folder),
// then one key written and read back. The last byte of the input chooses the section, key and value; the
// rest is set.ini. Whatever the file holds, a written value reads back as written.
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "settings/cut_setting.h"
#include "settings/last_folder.h"
#include "settings/mymode.h"
#include "settings/private_profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

using namespace trimvox;

namespace {

constexpr const char* kSections[] = {"guistyle", "paths", "cut", "Cut", "x", "", "\xe8\xae\xbe", "a b"};
constexpr const char* kKeys[] = {"style", "lastfolder", "precise", "PRECISE", "k", "", " k ", "\xe9\x94\xae"};
constexpr const char* kValues[] = {"1", "", "/home/\xe7\x94\xa8\xe6\x88\xb7", "a=b;c"};

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The settings file is set.ini in the data folder, here a folder of this process.
    ::setenv("XDG_DATA_HOME", fuzz::ScratchFolder().c_str(), 1);
    std::filesystem::create_directories(mymode::SettingsFile().parent_path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto choice = provider.ConsumeIntegral<std::uint8_t>();
    const std::string section = kSections[choice & 7];
    const std::string key = kKeys[(choice >> 3) & 7];
    const std::string value = kValues[choice >> 6];
    const std::filesystem::path file = mymode::SettingsFile();
    WriteFile(file, provider.ConsumeRemainingBytes<std::uint8_t>());

    mymode::LoadStyleSetting();
    FUZZ_CHECK(mymode::StyleValue.size() >= mymode::kStyleValueLength);
    (void)mymode::LoadPreciseCutSetting();
    (void)mymode::LoadLastFolder();
    (void)GetPrivateProfileString(section, key, "-", 3, file);

    FUZZ_CHECK(WritePrivateProfileString(section, key, value, file));
    FUZZ_CHECK(GetPrivateProfileString(section, key, "-", 4096, file) == value);
    return 0;
}
