// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shell_command.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace trimvox::test {

namespace {

std::string ReadAndRemove(const std::filesystem::path& path) {
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::remove(path);
    return text;
}

} // namespace

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

void RunOrThrow(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("command failed: " + command);
    }
}

RunResult RunCaptured(const std::string& command, const std::filesystem::path& scratch) {
    const auto out = scratch / "stdout.txt";
    const auto err = scratch / "stderr.txt";
    const int status =
        std::system((command + " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string())).c_str());
    RunResult run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAndRemove(out);
    run.err = ReadAndRemove(err);
    return run;
}

} // namespace trimvox::test
