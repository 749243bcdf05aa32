// A header that includes itself: the reader must stop, not recurse for ever.
#define IDS_SELF 7
#include "self.h"
