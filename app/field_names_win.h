// The eight fields' names for screen readers: each field answers the
// accessibility request with the system's own object for it, but named after
// its label.
#ifndef PMV_APP_FIELD_NAMES_WIN_H
#define PMV_APP_FIELD_NAMES_WIN_H

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

// Makes every field of the dialog answer for itself; costs nothing until a
// screen reader asks.
void name_fields(HWND dialog);
// After the dialog: COM, if the fields started it, is uninitialised. A
// screen reader may still hold a field's object; it then gets errors from
// the system's object, never a dangling one.
void end_field_names();

// The system's functions the answer needs, from libraries loaded at the
// first request by their full path in the system folder; null until then.
struct AccessApi {
  HMODULE oleacc, ole32, oleaut32;
  decltype(&CreateStdAccessibleObject) create_std_object;
  decltype(&LresultFromObject) lresult_from_object;
  decltype(&CoInitializeEx) co_initialize;
  decltype(&CoUninitialize) co_uninitialize;
  decltype(&SysAllocString) sys_alloc_string;
};
extern AccessApi access_api;

#endif
