// Ping and pong include each other.
#define IDS_PING 8
#include "pong.h"
