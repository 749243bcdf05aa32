// The MSVCRT functions the programs use that POSIX's C library lacks.
#pragma once

#include <cstddef>

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256
// What the comparisons return for a null argument.
#define _NLSCMPERROR 2147483647

// Both "/" and "\" separate directories, as in MSVCRT. Each output of
// _splitpath may be null and is cut to its _MAX_ size; _makepath writes at
// most _MAX_PATH bytes.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
