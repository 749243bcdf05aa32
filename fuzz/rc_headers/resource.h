// Ids for the resource-script fuzz inputs.
#define IDD_FIRST 129
#define IDC_PATH 1000
#define IDS_FIRST 0x10
#define IDS_OCTAL 017L
