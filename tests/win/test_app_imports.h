// Test support for the Win32 tests of app/: replacing one import of the test
// program, so that a test sees the exact arguments that the code under test
// hands to the platform or the C runtime (and can keep a call away from the
// host's files). Only the main module's import table is changed.
#ifndef PMV_TESTS_WIN_TEST_APP_IMPORTS_H
#define PMV_TESTS_WIN_TEST_APP_IMPORTS_H

#include <windows.h>

#include <cstring>

// Points every import slot of `function` in the main module at
// `replacement`; returns the address that the first slot held.
inline void *patch_import(const char *function, void *replacement) {
  auto *base = reinterpret_cast<unsigned char *>(GetModuleHandleA(nullptr));
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  void *previous = nullptr;
  for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
       d->Name != 0; ++d) {
    if (d->OriginalFirstThunk == 0) continue;
    auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->OriginalFirstThunk);
    auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto *by_name =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char *>(by_name->Name), function) != 0) continue;
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
      if (previous == nullptr) previous = reinterpret_cast<void *>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
    }
  }
  return previous;
}

#endif
