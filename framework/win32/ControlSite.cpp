// The framework's own small OLE container: one control per site window.
// The control comes from COM by its class id (in-process servers only), is
// given our client site, activated in place in the site window and called
// through IDispatch. Teardown runs in reverse, on every path.
#include "framework/ControlSite.h"

#include <ocidl.h>

#include <new>
#include <vector>

#include "framework/ControlContainer.h"

namespace {

bool oleReady = false;

bool EnsureOle() {
  if (!oleReady) {
    HRESULT status = ::OleInitialize(nullptr);
    // A thread already in a multithreaded apartment can still create controls.
    oleReady = SUCCEEDED(status) || status == RPC_E_CHANGED_MODE;
  }
  return oleReady;
}

}  // namespace

void AfxEnableControlContainer() { EnsureOle(); }

// The container's side of one control: client site, in-place site and the
// (minimal) in-place frame, all over the site window.
struct COleControlSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
  explicit COleControlSite(HWND window) : siteWindow(window) {}
  virtual ~COleControlSite() = default;

  // IUnknown, shared by the three interfaces.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) {
      return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *ppv = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
      *ppv = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
      *ppv = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references;
    if (left == 0) {
      delete this;
    }
    return left;
  }

  // IOleClientSite: no container document, no moniker, nothing to save.
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override {
    if (ppmk != nullptr) *ppmk = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** ppContainer) override {
    if (ppContainer != nullptr) *ppContainer = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (of the site and of the frame alike).
  STDMETHODIMP GetWindow(HWND* phwnd) override {
    if (phwnd == nullptr) {
      return E_POINTER;
    }
    *phwnd = siteWindow;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite.
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override {
    inPlaceActive = true;
    return S_OK;
  }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                LPRECT lprcPosRect, LPRECT lprcClipRect,
                                LPOLEINPLACEFRAMEINFO lpFrameInfo) override {
    if (ppFrame == nullptr || ppDoc == nullptr || lprcPosRect == nullptr ||
        lprcClipRect == nullptr) {
      return E_POINTER;
    }
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = nullptr;
    ::GetClientRect(siteWindow, lprcPosRect);
    *lprcClipRect = *lprcPosRect;
    if (lpFrameInfo != nullptr) {
      lpFrameInfo->fMDIApp = FALSE;
      lpFrameInfo->hwndFrame = ::GetAncestor(siteWindow, GA_ROOT);
      lpFrameInfo->haccel = nullptr;
      lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    inPlaceActive = false;
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status bar.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  HWND siteWindow;
  ULONG references = 1;  // the container's own
  bool inPlaceActive = false;
  IOleObject* object = nullptr;
  IDispatch* dispatch = nullptr;
  bool clientSiteSet = false;
};

namespace {

// Undoes whatever part of the set-up happened, in reverse, and drops the
// container's reference to the site.
void TearDown(COleControlSite* site) {
  if (site->dispatch != nullptr) {
    site->dispatch->Release();
    site->dispatch = nullptr;
  }
  if (site->object != nullptr) {
    if (site->inPlaceActive) {
      IOleInPlaceObject* inPlace = nullptr;
      if (SUCCEEDED(site->object->QueryInterface(IID_IOleInPlaceObject,
                                                 reinterpret_cast<void**>(&inPlace)))) {
        inPlace->InPlaceDeactivate();
        inPlace->Release();
      }
    }
    site->object->Close(OLECLOSE_NOSAVE);
    if (site->clientSiteSet) {
      site->object->SetClientSite(nullptr);
    }
    site->object->Release();
    site->object = nullptr;
  }
  site->Release();
}

// A new control starts from its defaults when it can be told so; one that
// cannot start from them is not usable.
bool InitialiseNew(IOleObject* object) {
  IPersistStreamInit* persist = nullptr;
  if (FAILED(object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
    return true;
  }
  bool initialised = SUCCEEDED(persist->InitNew());
  persist->Release();
  return initialised;
}

bool GiveClientSite(COleControlSite* site) {
  if (FAILED(site->object->SetClientSite(static_cast<IOleClientSite*>(site)))) {
    return false;
  }
  site->clientSiteSet = true;
  return true;
}

// A control gets its client site before InitNew only when it asks for it
// first; otherwise after.
bool SiteAndInitialise(COleControlSite* site) {
  DWORD status = 0;
  if (FAILED(site->object->GetMiscStatus(DVASPECT_CONTENT, &status))) {
    status = 0;
  }
  if (status & OLEMISC_SETCLIENTSITEFIRST) {
    return GiveClientSite(site) && InitialiseNew(site->object);
  }
  return InitialiseNew(site->object) && GiveClientSite(site);
}

HWND ControlWindow(IOleObject* object) {
  IOleInPlaceObject* inPlace = nullptr;
  HWND window = nullptr;
  if (SUCCEEDED(
          object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
    if (FAILED(inPlace->GetWindow(&window))) {
      window = nullptr;
    }
    inPlace->Release();
  }
  return window;
}

}  // namespace

COleControlSite* AfxCreateControlSite(REFCLSID clsid, HWND siteWindow, HWND* controlWindow) {
  *controlWindow = nullptr;
  if (!EnsureOle()) {
    return nullptr;
  }
  COleControlSite* site = new (std::nothrow) COleControlSite(siteWindow);
  if (site == nullptr) {
    return nullptr;
  }
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&site->object)))) {
    site->object = nullptr;
    TearDown(site);
    return nullptr;
  }
  if (!SiteAndInitialise(site)) {
    TearDown(site);
    return nullptr;
  }
  RECT position;
  ::GetClientRect(siteWindow, &position);
  if (FAILED(site->object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                  static_cast<IOleClientSite*>(site), 0, siteWindow, &position)) ||
      FAILED(
          site->object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&site->dispatch)))) {
    site->dispatch = nullptr;
    TearDown(site);
    return nullptr;
  }
  *controlWindow = ControlWindow(site->object);
  return site;
}

void AfxDestroyControlSite(COleControlSite* site) {
  if (site != nullptr) {
    TearDown(site);
  }
}

namespace {

bool ToVariant(const ControlArgument& argument, VARIANT* variant) {
  ::VariantInit(variant);
  switch (argument.type) {
    case VT_BSTR: {
      variant->vt = VT_BSTR;
      variant->bstrVal = nullptr;
      if (argument.text == nullptr) {
        return true;  // a null string is a null BSTR
      }
      int length = ::MultiByteToWideChar(CP_ACP, 0, argument.text, -1, nullptr, 0);
      if (length <= 0) {
        return false;
      }
      variant->bstrVal = ::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
      if (variant->bstrVal == nullptr) {
        return false;
      }
      ::MultiByteToWideChar(CP_ACP, 0, argument.text, -1, variant->bstrVal, length);
      return true;
    }
    case kWideTextArgument:
      variant->vt = VT_BSTR;
      variant->bstrVal = nullptr;
      if (argument.wideText == nullptr) {
        return true;
      }
      variant->bstrVal = ::SysAllocString(argument.wideText);
      return variant->bstrVal != nullptr;
    case VT_I4:
      variant->vt = VT_I4;
      variant->lVal = argument.number;
      return true;
    case VT_BOOL:
      variant->vt = VT_BOOL;
      variant->boolVal = argument.number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      return true;
    case VT_I2:
      variant->vt = VT_I2;
      variant->iVal = static_cast<SHORT>(argument.number);
      return true;
    default:
      return false;
  }
}

void StoreResult(const VARIANT& value, VARTYPE resultType, void* result) {
  switch (resultType) {
    case VT_BOOL:
      *static_cast<BOOL*>(result) = value.boolVal != VARIANT_FALSE ? TRUE : FALSE;
      break;
    case VT_I4:
      *static_cast<LONG*>(result) = value.lVal;
      break;
    case VT_I2:
      *static_cast<short*>(result) = value.iVal;
      break;
    default:
      break;
  }
}

}  // namespace

BOOL AfxInvokeControl(COleControlSite* site, DISPID dispId, WORD flags,
                      const ControlArgument* arguments, int argumentCount, VARTYPE resultType,
                      void* result) {
  // IDispatch takes its arguments last first.
  std::vector<VARIANT> values(static_cast<size_t>(argumentCount));
  bool ready = true;
  for (int i = 0; i < argumentCount; ++i) {
    if (!ToVariant(arguments[i], &values[static_cast<size_t>(argumentCount - 1 - i)])) {
      ready = false;
    }
  }
  BOOL called = FALSE;
  if (ready) {
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{values.data(), nullptr, static_cast<UINT>(argumentCount), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      parameters.rgdispidNamedArgs = &putId;
      parameters.cNamedArgs = 1;
    }
    VARIANT value;
    ::VariantInit(&value);
    EXCEPINFO exception{};
    UINT argumentError = 0;
    HRESULT status = site->dispatch->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, flags,
                                            &parameters, resultType != VT_EMPTY ? &value : nullptr,
                                            &exception, &argumentError);
    if (status == DISP_E_EXCEPTION) {
      if (exception.pfnDeferredFillIn != nullptr) {
        exception.pfnDeferredFillIn(&exception);
      }
      ::SysFreeString(exception.bstrSource);
      ::SysFreeString(exception.bstrDescription);
      ::SysFreeString(exception.bstrHelpFile);
    }
    if (SUCCEEDED(status) &&
        (resultType == VT_EMPTY || SUCCEEDED(::VariantChangeType(&value, &value, 0, resultType)))) {
      StoreResult(value, resultType, result);
      called = TRUE;
    }
    ::VariantClear(&value);
  }
  for (VARIANT& each : values) {
    ::VariantClear(&each);
  }
  return called;
}
