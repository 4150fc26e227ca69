#include "tests/win/support.h"

#include <gtest/gtest.h>

#include <cstring>

std::string clipboard_text(bool *zero_tail) {
  if (!OpenClipboard(nullptr)) return "<busy>";
  std::string text = "<none>";
  if (const HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char *p = static_cast<const char *>(GlobalLock(h))) {
      const SIZE_T size = GlobalSize(h);
      text.assign(p, strnlen(p, size));
      if (zero_tail != nullptr)
        *zero_tail = size >= text.size() + 4 && std::memcmp(p + text.size(), "\0\0\0\0", 4) == 0;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

namespace {

// Returns what the first slot held, null when there is none.
void *patch_import(const char *function, void *replacement) {
  auto *base = reinterpret_cast<unsigned char *>(GetModuleHandleA(nullptr));
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
  const DWORD imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  void *previous = nullptr;
  for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports); d->Name != 0; ++d) {
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

} // namespace

ImportPatch::ImportPatch(const char *function, void *replacement)
    : function_(function), real_(patch_import(function, replacement)) {
  if (real_ == nullptr) ADD_FAILURE() << function << " is not imported: nothing was replaced";
}

ImportPatch::~ImportPatch() {
  if (real_ != nullptr) patch_import(function_, real_);
}

std::vector<BoxCall> box_calls;

int WINAPI record_box(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  box_calls.push_back({owner, text, caption, flags});
  SetFocus(nullptr);
  return IDOK;
}
