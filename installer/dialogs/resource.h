// Resource ids of Foldmint's dialogs.
#pragma once

#define IDD_BOOKMARK_PATH 129
#define IDD_PRODUCT_PATH 130
#define IDC_PATH 1000
#define IDC_BROWSE 1001
#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
