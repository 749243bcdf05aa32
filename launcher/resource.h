/* Resource ids of the launcher. Plain C: the resource script includes it. */
#ifndef LAUNCHER_RESOURCE_H
#define LAUNCHER_RESOURCE_H

#define IDS_CAPTION_SUFFIX 2
#define IDS_NETSCAPE_REQUIRED 3

#endif
