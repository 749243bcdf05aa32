// Stand-in for the Win32 registry functions.
//
// The registry is one hive kept in a text file in the REGEDIT4 format that
// regedit exports: a "REGEDIT4" line, then sections such as
//   [HKEY_LOCAL_MACHINE\Software\Ortwell\Brackel\4.0]
//   "Base Path"="C:\\Program Files\\Quillary"
//   @="the key's default value"
//   "Count"=dword:0000002a
//   "Raw"=hex:61,62,63
//   "Other"=hex(2):61,00
// Quoted names and texts escape "\" and the double quote with a backslash.
// Lines starting with ";" are comments. The four roots HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_USERS are separate trees.
//
// Where the file is: the environment variable QC_REGISTRY_FILE names it; when
// that is unset or empty, $HOME/.quillary/registry.reg. A missing file is an
// empty registry; the first change creates it (and its directory).
//
// Every call reads the file afresh, and every change writes it back whole
// (a temporary file beside it, then rename), so two programs sharing a hive
// see each other's changes. A file that cannot be read as REGEDIT4 makes every
// call fail with ERROR_BADDB and is never overwritten.
//
// An account that may not write the file (W_OK for the effective ids on the
// file and its directory, or on the directory's parent while the directory
// does not exist) is refused, with ERROR_ACCESS_DENIED, any open or create
// that asks for more than KEY_READ, and every change.
//
// Key and value names compare without regard to case. RegConnectRegistryA
// reaches only this machine (a null, empty, "." or "\\." name, or the host's
// own name); any other machine is unreachable (ERROR_BAD_NETPATH).
#pragma once

#include "platform/posix/Win32Types.h"

typedef DWORD REGSAM;
typedef DWORD ACCESS_MASK;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
// Standard rights, shared with other object kinds.
#ifndef DELETE
#define DELETE 0x00010000L
#endif
#ifndef READ_CONTROL
#define READ_CONTROL 0x00020000L
#endif
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE KEY_READ
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0
#define REG_OPTION_VOLATILE 1
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

// Error codes of the registry calls beyond the base set (winerror.h).
#ifndef ERROR_BAD_PATHNAME
#define ERROR_BAD_PATHNAME 161L
#endif
#ifndef ERROR_BADDB
#define ERROR_BADDB 1009L
#endif
#ifndef ERROR_CANTREAD
#define ERROR_CANTREAD 1012L
#endif
#ifndef ERROR_CANTWRITE
#define ERROR_CANTWRITE 1013L
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                     REGSAM desired, const LPSECURITY_ATTRIBUTES security, PHKEY result,
                     LPDWORD disposition);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED otherwise).
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
// The same: this registry has one view, so the view flags change nothing.
LONG RegDeleteKeyExA(HKEY key, LPCSTR subKey, REGSAM view, DWORD reserved);
LONG RegConnectRegistryA(LPCSTR machineName, HKEY key, PHKEY result);
LONG RegCloseKey(HKEY key);
