// Data handles. Each block is a heap allocation of exactly its size, so
// that AddressSanitizer reports a reader that runs past a short reply.
#include <cstring>

#include "platform/posix/DdeState.h"

using namespace posix_dde;

namespace {

DWORD OwnerOf(HDDEDATA hData) {
  DataBlock* block = FindData(IdOf(hData));
  return block ? block->owner : 0;
}

}  // namespace

HDDEDATA DdeCreateDataHandle(DWORD idInst, LPBYTE pSrc, DWORD cb, DWORD cbOff, HSZ hszItem,
                             UINT wFmt, UINT afCmd) {
  return Guarded(idInst, HDDEDATA{}, [&]() -> HDDEDATA {
    Log(idInst, {"DdeCreateDataHandle", StringText(IdOf(hszItem)), std::to_string(cb)});
    if (!FindInstance(idInst)) return 0;
    std::unique_ptr<BYTE[]> bytes = NewBlock(cb);
    if (pSrc && cb > 0) std::memcpy(bytes.get(), pSrc + cbOff, cb);
    HandleId id = NewHandle();
    TheState().data.emplace(id, DataBlock{idInst, std::move(bytes), cb, wFmt, IdOf(hszItem),
                                          (afCmd & HDATA_APPOWNED) != 0});
    return HandleOf<HDDEDATA>(id);
  });
}

LPBYTE DdeAccessData(HDDEDATA hData, LPDWORD pcbDataSize) {
  DWORD owner = OwnerOf(hData);
  return Guarded(owner, LPBYTE{}, [&]() -> LPBYTE {
    Log(owner, {"DdeAccessData"});
    DataBlock* block = FindData(IdOf(hData));
    if (!block) return nullptr;
    if (pcbDataSize) *pcbDataSize = block->size;
    return block->bytes.get();
  });
}

BOOL DdeUnaccessData(HDDEDATA hData) {
  DWORD owner = OwnerOf(hData);
  return Guarded(owner, FALSE, [&]() -> BOOL {
    Log(owner, {"DdeUnaccessData"});
    return FindData(IdOf(hData)) ? TRUE : FALSE;
  });
}

BOOL DdeFreeDataHandle(HDDEDATA hData) {
  DWORD owner = OwnerOf(hData);
  return Guarded(owner, FALSE, [&]() -> BOOL {
    Log(owner, {"DdeFreeDataHandle"});
    return TheState().data.erase(IdOf(hData)) ? TRUE : FALSE;
  });
}

DWORD DdeGetData(HDDEDATA hData, LPBYTE pDst, DWORD cbMax, DWORD cbOff) {
  DWORD owner = OwnerOf(hData);
  return Guarded(owner, DWORD{0}, [&]() -> DWORD {
    Log(owner, {"DdeGetData"});
    DataBlock* block = FindData(IdOf(hData));
    if (!block) return 0;
    if (!pDst) return block->size;
    if (cbOff >= block->size) return 0;
    DWORD available = block->size - cbOff;
    DWORD count = cbMax < available ? cbMax : available;
    std::memcpy(pDst, block->bytes.get() + cbOff, count);
    return count;
  });
}
