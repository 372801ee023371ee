#pragma once
// CRC-32 (the polynomial of zip and PNG): enough to tell a changed or lost
// byte in a file the game wrote.

#include <cstdint>
#include <string_view>

namespace files {

std::uint32_t crc32(std::string_view bytes);

} // namespace files
