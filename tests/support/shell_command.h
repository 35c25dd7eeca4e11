// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace trimvox::test {

// `text` as one word for the shell, in single quotes.
std::string ShellQuote(const std::string& text);

// Runs a shell command; throws std::runtime_error when it fails (a tool that makes test files).
void RunOrThrow(const std::string& command);

// What a program run by the shell did: its exit status (-1 when it did not exit) and its output.
struct RunResult {
    int status = -1;
    std::string out, err;
};

// Runs a shell command with its standard output and error caught in files in `scratch`.
RunResult RunCaptured(const std::string& command, const std::filesystem::path& scratch);

} // namespace trimvox::test
