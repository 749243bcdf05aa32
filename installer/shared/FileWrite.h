// Writing bytes to an open file, as every bookmark format and the file
// routine do: each reports whether every byte was written, so that a short
// or failed write never goes unnoticed.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/Win32Api.h"

// The bytes as they stand, NUL bytes included.
BOOL WriteBytes(HANDLE file, const char* bytes, size_t size);
BOOL WriteView(HANDLE file, std::string_view text);
