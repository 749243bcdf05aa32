// The recording meter control as an in-process COM server: a class factory
// and an object with IDispatch (members 1, 5 and 6, each taking one string
// and answering TRUE), IOleObject, IOleInPlaceObject and IPersistStreamInit.
// When activated in place it makes a child window of its own in the site's
// window, so that its top-level ancestor is the window the host lives in.
#include <ocidl.h>
#include <olectl.h>

#include <new>
#include <string>

#include "platform/Win32Api.h"
#include "testing/ControlTestSupport.h"
#include "testing/RecordingControlLog.h"

namespace {

const CLSID kClassId = {
    0x65F9375D, 0x5F5F, 0x11D1, {0xB6, 0x7C, 0x00, 0x80, 0x29, 0xE4, 0x32, 0x17}};
const char kWindowClass[] = "QcRecordingControl";

HINSTANCE moduleInstance = nullptr;
LONG objectCount = 0;
LONG lockCount = 0;

std::string Environment(const char* name) {
  char value[1024];
  DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// The log's texts in the ANSI code page, or in UTF-8 on request, so that a
// text beyond that code page shows as the control received it.
std::string ToLogText(const wchar_t* text, int length) {
  const UINT codePage = Environment(recording_control::kUtf8LogVariable).empty() ? CP_ACP : CP_UTF8;
  int size = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    ::WideCharToMultiByte(codePage, 0, text, length, &out[0], size, nullptr, nullptr);
  }
  return out;
}

std::string ToLogText(BSTR text) {
  return text != nullptr ? ToLogText(text, static_cast<int>(::SysStringLen(text))) : std::string();
}

bool EnsureWindowClass() {
  WNDCLASSA attributes{};
  if (::GetClassInfoA(moduleInstance, kWindowClass, &attributes)) {
    return true;
  }
  attributes.lpfnWndProc = ::DefWindowProcA;
  attributes.hInstance = moduleInstance;
  attributes.lpszClassName = kWindowClass;
  return ::RegisterClassA(&attributes) != 0;
}

class RecordingControl : public IOleObject,
                         public IOleInPlaceObject,
                         public IPersistStreamInit,
                         public IDispatch {
 public:
  RecordingControl() { ::InterlockedIncrement(&objectCount); }
  virtual ~RecordingControl() {
    Deactivate();
    if (clientSite_ != nullptr) clientSite_->Release();
    ::InterlockedDecrement(&objectCount);
  }

  // IUnknown.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleObject) {
      *ppv = static_cast<IOleObject*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
      *ppv = static_cast<IOleInPlaceObject*>(this);
    } else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) {
      *ppv = static_cast<IPersistStreamInit*>(this);
    } else if (riid == IID_IDispatch) {
      *ppv = static_cast<IDispatch*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleObject.
  // A control that does not ask for its site first takes it only after
  // InitNew, as containers must then give it; one that asks for it first
  // needs it at InitNew.
  STDMETHODIMP SetClientSite(IOleClientSite* site) override {
    if (site != nullptr && !initialised_ && Fails("site-later")) return E_UNEXPECTED;
    if (site != nullptr) site->AddRef();
    if (clientSite_ != nullptr) clientSite_->Release();
    clientSite_ = site;
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** site) override {
    if (site == nullptr) return E_POINTER;
    *site = clientSite_;
    if (clientSite_ != nullptr) clientSite_->AddRef();
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override {
    Deactivate();
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject** data) override {
    if (data != nullptr) *data = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND,
                      LPCRECT position) override {
    switch (verb) {
      case OLEIVERB_PRIMARY:
      case OLEIVERB_SHOW:
      case OLEIVERB_UIACTIVATE:
      case OLEIVERB_INPLACEACTIVATE:
        return Activate(site != nullptr ? site : clientSite_, position);
      case OLEIVERB_HIDE:
        Deactivate();
        return S_OK;
      default:
        return OLEOBJ_S_INVALIDVERB;
    }
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override {
    if (verbs != nullptr) *verbs = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* classId) override {
    if (classId == nullptr) return E_POINTER;
    *classId = kClassId;
    return S_OK;
  }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR* type) override {
    if (type != nullptr) *type = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetExtent(DWORD, SIZEL* size) override {
    if (size != nullptr) extent_ = *size;
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
    if (size == nullptr) return E_POINTER;
    *size = extent_;
    return S_OK;
  }
  STDMETHODIMP Advise(IAdviseSink*, DWORD* connection) override {
    if (connection != nullptr) *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
  }
  STDMETHODIMP Unadvise(DWORD) override { return OLE_E_NOCONNECTION; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override {
    if (advise != nullptr) *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
  }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
    if (status == nullptr) return E_POINTER;
    *status = OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_CANTLINKINSIDE |
              OLEMISC_RECOMPOSEONRESIZE;
    if (!Fails("site-later")) *status |= OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow and IOleInPlaceObject.
  STDMETHODIMP GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = window_;
    return window_ != nullptr ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override {
    Deactivate();
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override {
    if (position != nullptr && window_ != nullptr) {
      ::MoveWindow(window_, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    }
    return S_OK;
  }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // IPersist and IPersistStreamInit: nothing to keep.
  STDMETHODIMP GetClassID(CLSID* classId) override { return GetUserClassID(classId); }
  STDMETHODIMP IsDirty() override { return S_FALSE; }
  STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
  STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
  }
  STDMETHODIMP InitNew() override {
    if (Fails("init") || (clientSite_ == nullptr && !Fails("site-later"))) return E_UNEXPECTED;
    initialised_ = true;
    return S_OK;
  }

  // IDispatch: no type information; members by id only.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    if (!recording_control::IsKnownMember(member) || !(flags & DISPATCH_METHOD)) {
      return DISP_E_MEMBERNOTFOUND;
    }
    if (parameters == nullptr || parameters->cArgs != 1) {
      return DISP_E_BADPARAMCOUNT;
    }
    VARIANT text;
    ::VariantInit(&text);
    if (FAILED(::VariantChangeType(&text, &parameters->rgvarg[0], 0, VT_BSTR))) {
      if (argumentError != nullptr) *argumentError = 0;
      return DISP_E_TYPEMISMATCH;
    }
    std::string argument = ToLogText(text.bstrVal);
    ::VariantClear(&text);

    bool fail = recording_control::FailureRequested(Environment(recording_control::kFailVariable),
                                                    std::to_string(member));
    recording_control::AppendLine(
        Environment(recording_control::kLogVariable),
        recording_control::FormatCall(member, argument, RootCaption(), fail));
    if (fail) {
      if (exception == nullptr) return E_FAIL;
      *exception = EXCEPINFO{};
      exception->scode = E_FAIL;
      exception->bstrSource = ::SysAllocString(L"RecordingControl");
      exception->bstrDescription = ::SysAllocString(L"the call failed as requested");
      return DISP_E_EXCEPTION;
    }
    if (result != nullptr) {
      ::VariantInit(result);
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_TRUE;
    }
    return S_OK;
  }

 private:
  static bool Fails(const char* what) {
    return recording_control::FailureRequested(Environment(recording_control::kFailVariable), what);
  }

  HRESULT Activate(IOleClientSite* site, LPCRECT position) {
    if (inPlaceSite_ != nullptr) return S_OK;
    if (site == nullptr || Fails("create")) {
      return E_FAIL;
    }
    IOleInPlaceSite* inPlace = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)))) {
      return E_FAIL;
    }
    HWND parent = nullptr;
    if (inPlace->CanInPlaceActivate() != S_OK || FAILED(inPlace->GetWindow(&parent))) {
      inPlace->Release();
      return E_FAIL;
    }
    inPlace->OnInPlaceActivate();
    RECT bounds = position != nullptr ? *position : RECT{0, 0, 0, 0};
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT clip;
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (SUCCEEDED(inPlace->GetWindowContext(&frame, &document, &bounds, &clip, &frameInfo))) {
      if (frame != nullptr) frame->Release();
      if (document != nullptr) document->Release();
    }
    window_ = EnsureWindowClass()
                  ? ::CreateWindowExA(0, kWindowClass, "RecordingControl", WS_CHILD | WS_VISIBLE,
                                      bounds.left, bounds.top, bounds.right - bounds.left,
                                      bounds.bottom - bounds.top, parent, nullptr, moduleInstance,
                                      nullptr)
                  : nullptr;
    if (window_ == nullptr) {
      inPlace->OnInPlaceDeactivate();
      inPlace->Release();
      return E_FAIL;
    }
    inPlaceSite_ = inPlace;
    return S_OK;
  }

  void Deactivate() {
    if (window_ != nullptr) {
      // The container may have destroyed it along with its own window.
      if (::IsWindow(window_)) ::DestroyWindow(window_);
      window_ = nullptr;
    }
    if (inPlaceSite_ != nullptr) {
      inPlaceSite_->OnInPlaceDeactivate();
      inPlaceSite_->Release();
      inPlaceSite_ = nullptr;
    }
  }

  std::string RootCaption() const {
    HWND root = window_ != nullptr ? ::GetAncestor(window_, GA_ROOT) : nullptr;
    wchar_t caption[512] = L"";
    int length = root != nullptr ? ::GetWindowTextW(root, caption, 512) : 0;
    return ToLogText(caption, length);
  }

  ULONG references_ = 1;
  IOleClientSite* clientSite_ = nullptr;
  bool initialised_ = false;  // InitNew succeeded
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  HWND window_ = nullptr;
  SIZEL extent_{0, 0};
};

class ClassFactory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  // One static factory for the module's lifetime.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    RecordingControl* control = new (std::nothrow) RecordingControl;
    if (control == nullptr) return E_OUTOFMEMORY;
    HRESULT status = control->QueryInterface(riid, ppv);
    control->Release();
    return status;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      ::InterlockedIncrement(&lockCount);
    } else {
      ::InterlockedDecrement(&lockCount);
    }
    return S_OK;
  }
};

ClassFactory factory;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    moduleInstance = instance;
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    ::UnregisterClassA(kWindowClass, instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (classId != kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return objectCount == 0 && lockCount == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  char path[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(moduleInstance, path, sizeof path);
  if (length == 0 || length >= sizeof path) return SELFREG_E_CLASS;
  return control_test::RegisterRecordingControl(path) ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
  return control_test::UnregisterRecordingControl() ? S_OK : SELFREG_E_CLASS;
}

// For tests: the control objects alive in this process.
LONG QcRecordingControlObjects() { return objectCount; }

}  // extern "C"
