/* The suffix of a top-level browser window's caption. Plain C so that the
   launcher's resource script can take it for its string table too. */
#ifndef BROWSER_BROWSERCAPTION_H
#define BROWSER_BROWSERCAPTION_H

#define BROWSER_CAPTION_SUFFIX " - Netscape"

#endif
