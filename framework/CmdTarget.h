// Message maps: a class lists the commands it handles, and its map chains to
// its base class's map. Dispatch walks the chain from the most derived map.
#pragma once

#include "platform/Win32Api.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_COMMAND, or 0 at the end of a map
  UINT nCode;     // notification code (BN_CLICKED is 0, as is a menu command)
  UINT nID;       // control or command id
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* pBaseMap;
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif
#ifndef BN_CLICKED
#define BN_CLICKED 0
#endif
#define ID_HELP 0xE146

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // Runs the handler of the first entry for (WM_COMMAND, code, id); TRUE if one ran.
  BOOL OnCmdMsg(UINT nID, UINT nCode);
  virtual const AFX_MSGMAP* GetMessageMap() const;

 protected:
  static const AFX_MSGMAP messageMap;
};

#define DECLARE_MESSAGE_MAP()                      \
 protected:                                        \
  static const AFX_MSGMAP_ENTRY _messageEntries[]; \
  static const AFX_MSGMAP messageMap;              \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return &theClass::messageMap; }              \
  const AFX_MSGMAP theClass::messageMap = {&baseClass::messageMap, &theClass::_messageEntries[0]}; \
  const AFX_MSGMAP_ENTRY theClass::_messageEntries[] = {
#define END_MESSAGE_MAP() \
  { 0, 0, 0, nullptr }    \
  }                       \
  ;

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, (UINT)(id), static_cast<AFX_PMSG>(memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) \
  {WM_COMMAND, (UINT)BN_CLICKED, (UINT)(id), static_cast<AFX_PMSG>(memberFxn)},
