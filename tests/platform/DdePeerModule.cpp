// A peer module for the peer-loading test, with nothing that would keep it
// loaded: with PEER_ENTRY its start fails, without it there is no entry.
#ifdef PEER_ENTRY
extern "C" __attribute__((visibility("default"))) int QcDdePeerStart() { return 0; }
#else
extern "C" __attribute__((visibility("default"))) int QcDdePeerNotTheEntry() { return 0; }
#endif
