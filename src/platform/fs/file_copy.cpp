#include "platform/fs/file_copy.h"

#include "platform/fs/byte_file.h"

#include <system_error>

namespace trimvox {

std::string CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error)) {
        return std::make_error_code(std::errc::no_such_file_or_directory).message();
    }
    if (std::filesystem::is_directory(target, error)) {
        return std::make_error_code(std::errc::is_a_directory).message();
    }
    const std::filesystem::path temporary = TemporarySibling(target);
    std::filesystem::copy_file(source, temporary, error);
    if (!error) {
        std::filesystem::rename(temporary, target, error);
    }
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return error.message();
    }
    return {};
}

} // namespace trimvox
