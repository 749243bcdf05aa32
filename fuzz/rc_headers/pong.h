#define IDS_PONG 9
#include "ping.h"
