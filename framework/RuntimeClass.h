// Runtime-class records: a class's name, object size, schema and creation
// function, chained to its base class, so that a class declared "dynamically
// creatable" can be made from its record alone. CWnd is the root here.
#pragma once

#include <new>

#include "platform/Win32Api.h"

class CCmdTarget;

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                      // 0xFFFF: not serialisable
  CCmdTarget* (*m_pfnCreateObject)();  // null: not dynamically creatable
  const CRuntimeClass* m_pBaseClass;   // null at the root

  // A new object of the class, or null when the class is not creatable or
  // memory runs out. The caller deletes it.
  CCmdTarget* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static const CRuntimeClass class##class_name; \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CCmdTarget* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create) \
  const CRuntimeClass class_name::class##class_name = {                     \
      #class_name, static_cast<int>(sizeof(class_name)), schema, create,    \
      RUNTIME_CLASS(base_class_name)};                                      \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                           \
  CCmdTarget* class_name::CreateObject() { return new (std::nothrow) class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)
