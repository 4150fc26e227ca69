// Screen readers name an edit field after the nearest static text before it
// in the dialog's control order. In ours the six inputs stand before all the
// labels and the two results after the last input's label, so the inputs
// would have no name and both results would be read as "Relative humidity".
// That order is also the tab order, which users know, so it stays; instead
// each field answers WM_GETOBJECT (sent to the field itself, by Active
// Accessibility and by UI Automation alike) with the system's standard object
// for it, wrapped so that only the name differs: its label's text, read when
// asked, so the name is always what the screen shows.
//
// Nothing of this runs until a screen reader asks: the libraries are loaded
// and COM is started at the first request. Any failure leaves the system's
// own answer, unnamed but usable.
//
// One wrapper per field with static storage, like every other record of the
// program: its count of references decides only when the system's object is
// let go, and a screen reader that holds a wrapper after the dialog has
// ended calls into a record that still exists.
#include "app/field_names_win.h"

#include <cwchar>
#include <iterator>

#include "app/comfort_case.h"

AccessApi access_api;

namespace {

// A wrapper around the system's object for one field.
struct NamedField final : IAccessible {
  LONG references = 0;
  HWND field = nullptr;
  int label_id = 0;
  WNDPROC original = nullptr;   // the field's window procedure before ours
  bool unicode = false;         // the field is a Unicode window
  IAccessible *inner = nullptr; // the system's object, while anyone holds us

  // Ours: IUnknown, IDispatch and IAccessible. The system object's service
  // routes (IServiceProvider and what hangs off it) would bypass the name,
  // so they are not handed out; its children and its window are.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible *>(this);
      AddRef();
      return S_OK;
    }
    if (inner != nullptr && (id == __uuidof(IEnumVARIANT) || id == __uuidof(IOleWindow)))
      return inner->QueryInterface(id, object);
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = --references;
    if (left == 0 && inner != nullptr) {
      IAccessible *system_object = inner;
      inner = nullptr;
      system_object->Release();
    }
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
    return inner->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override {
    return inner->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR *names, UINT count, LCID locale,
                                          DISPID *ids) override {
    return inner->GetIDsOfNames(id, names, count, locale, ids);
  }
  // The name asked for through IDispatch is ours too.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS *params, VARIANT *result, EXCEPINFO *exception,
                                   UINT *wrong_argument) override {
    if (member == DISPID_ACC_NAME && (flags & DISPATCH_PROPERTYGET) != 0 && params != nullptr &&
        params->cArgs <= 1 && result != nullptr) {
      VARIANT child;
      child.vt = VT_I4;
      child.lVal = CHILDID_SELF;
      if (params->cArgs == 1) child = params->rgvarg[0];
      BSTR name = nullptr;
      const HRESULT status = get_accName(child, &name);
      if (SUCCEEDED(status)) {
        result->vt = VT_BSTR;
        result->bstrVal = name;
      }
      return status;
    }
    return inner->Invoke(member, id, locale, flags, params, result, exception, wrong_argument);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override {
    if (name != nullptr && child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
      // GetWindowTextW: the label's text as the template holds it, in
      // UTF-16, so the degree sign is U+00B0 whatever the code page.
      wchar_t text[128] = {};
      const HWND label = GetDlgItem(GetParent(field), label_id);
      if (label != nullptr && GetWindowTextW(label, text, static_cast<int>(std::size(text))) > 0) {
        *name = access_api.sys_alloc_string(text);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
      }
    }
    return inner->get_accName(child, name);
  }

  // Everything else is the system's answer.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override {
    return inner->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override {
    return inner->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override {
    return inner->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override {
    return inner->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override {
    return inner->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override {
    return inner->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override {
    return inner->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override {
    return inner->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override {
    return inner->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override {
    return inner->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override {
    return inner->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override {
    return inner->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override {
    return inner->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
    return inner->accSelect(how, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height,
                                        VARIANT child) override {
    return inner->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override {
    return inner->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT *child) override {
    return inner->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return inner->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return inner->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return inner->put_accValue(child, value);
  }
};

NamedField named_fields[case_field_count];

// Whether the program itself started COM on this thread, and so ends it.
bool com_started = false;

// Through void (*)(), the generic function pointer, as GetProcAddress's
// result must be cast to the function's own type.
template <class F> bool find_function(HMODULE library, const char *name, F *&function) {
  function = reinterpret_cast<F *>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
  return function != nullptr;
}

// Never from the program's folder or the search path, where a planted copy
// would run with the user's rights: oleacc.dll is not a KnownDLL.
bool load_system_library(const wchar_t *name, HMODULE &library) {
  wchar_t path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  const std::size_t name_length = std::wcslen(name);
  if (length == 0 || length + 1 + name_length >= MAX_PATH) return false;
  path[length] = L'\\';
  std::wmemcpy(path + length + 1, name, name_length + 1);
  library = LoadLibraryW(path);
  return library != nullptr;
}

// The libraries stay loaded for the rest of the process: an object of theirs
// may live as long as a screen reader holds it.
bool load_access_api() {
  AccessApi &a = access_api;
  if (a.sys_alloc_string != nullptr) return true;
  return load_system_library(L"oleacc.dll", a.oleacc) &&
         load_system_library(L"ole32.dll", a.ole32) &&
         load_system_library(L"oleaut32.dll", a.oleaut32) &&
         find_function(a.oleacc, "CreateStdAccessibleObject", a.create_std_object) &&
         find_function(a.oleacc, "LresultFromObject", a.lresult_from_object) &&
         find_function(a.ole32, "CoInitializeEx", a.co_initialize) &&
         find_function(a.ole32, "CoUninitialize", a.co_uninitialize) &&
         find_function(a.oleaut32, "SysAllocString", a.sys_alloc_string);
}

// The answer to the request, or 0 for the system's own.
LRESULT named_object(NamedField &named, HWND field, WPARAM wparam) {
  if (!load_access_api()) return 0;
  // Still held for a field of an earlier dialog.
  if (named.inner != nullptr && named.field != field) return 0;
  if (!com_started) {
    const HRESULT status = access_api.co_initialize(nullptr, COINIT_APARTMENTTHREADED);
    // Another part of the process made the thread multi-threaded: COM is
    // there, but not ours to end.
    if (FAILED(status) && status != RPC_E_CHANGED_MODE) return 0;
    com_started = SUCCEEDED(status);
  }
  if (named.inner == nullptr) {
    void *object = nullptr;
    if (FAILED(access_api.create_std_object(field, OBJID_CLIENT, __uuidof(IAccessible), &object)))
      return 0;
    named.inner = static_cast<IAccessible *>(object);
    named.field = field;
  }
  named.AddRef();
  const LRESULT answer = access_api.lresult_from_object(__uuidof(IAccessible), wparam, &named);
  named.Release(); // the requester's reference, if any, keeps it
  return answer > 0 ? answer : 0;
}

NamedField *named_field_of(HWND field) {
  const int id = GetDlgCtrlID(field);
  for (int i = 0; i < case_field_count; ++i)
    if (case_fields[i].control_id == id) return &named_fields[i];
  return nullptr;
}

LRESULT CALLBACK named_field_proc(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
  NamedField *named = named_field_of(field);
  // Only the table's fields are given this procedure; one whose identifier
  // another program changed still gets the default handling.
  if (named == nullptr) return DefWindowProcA(field, message, wparam, lparam);
  // 64-bit Windows sign-extends the object id into lParam.
  if (message == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
    const LRESULT answer = named_object(*named, field, wparam);
    if (answer != 0) return answer;
  }
  return named->unicode ? CallWindowProcW(named->original, field, message, wparam, lparam)
                        : CallWindowProcA(named->original, field, message, wparam, lparam);
}

} // namespace

void name_fields(HWND dialog) {
  for (int i = 0; i < case_field_count; ++i) {
    const HWND field = GetDlgItem(dialog, case_fields[i].control_id);
    if (field == nullptr) continue;
    NamedField &named = named_fields[i];
    named.label_id = case_fields[i].label_id;
    // The field keeps its character set: every message but the request
    // reaches its own procedure exactly as before.
    named.unicode = IsWindowUnicode(field) != FALSE;
    const auto procedure = reinterpret_cast<LONG_PTR>(named_field_proc);
    named.original = reinterpret_cast<WNDPROC>(
        named.unicode ? SetWindowLongPtrW(field, GWLP_WNDPROC, procedure)
                      : SetWindowLongPtrA(field, GWLP_WNDPROC, procedure));
  }
}

void end_field_names() {
  if (!com_started) return;
  access_api.co_uninitialize();
  com_started = false;
}
