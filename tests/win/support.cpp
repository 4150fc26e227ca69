#include "tests/win/support.h"

#include <cstdio>
#include <cstring>

std::vector<SeenBox> seen_boxes;

const char scratch_root[] = "C:\\pmvtest";

namespace {
char saved_folder[MAX_PATH] = {};
} // namespace

bool enter_scratch_folder(const char *program_dir) {
  GetCurrentDirectoryA(sizeof saved_folder, saved_folder);
  CreateDirectoryA(scratch_root, nullptr);
  CreateDirectoryA(program_dir, nullptr);
  return SetCurrentDirectoryA(scratch_root) != 0;
}

void leave_scratch_folder() { SetCurrentDirectoryA(saved_folder); }

void set_path(char (&dst)[path_size], const char *text) {
  std::snprintf(dst, sizeof dst, "%s", text);
}

std::string window_text(HWND window) {
  std::string s(8192, '\0');
  s.resize(static_cast<std::size_t>(GetWindowTextA(window, &s[0], 8192)));
  return s;
}

HWND top_level(const char *name, int x, int y, int w, int h) {
  return CreateWindowExA(0, "STATIC", name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::string class_of(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool is_message_box(HWND window) { return class_of(window) == "#32770"; }

std::string read_bytes(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return "<missing>";
  std::string s;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    s.append(buffer, n);
  std::fclose(f);
  return s;
}

void write_bytes(const std::string &path, const std::string &bytes) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool exists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void remove_file(const std::string &path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

std::string clipboard_text(bool *zero_tail) {
  std::string text = "<none>";
  if (!OpenClipboard(nullptr)) return "<busy>";
  if (const HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char *p = static_cast<const char *>(GlobalLock(h))) {
      const SIZE_T size = GlobalSize(h);
      text = std::string(p, strnlen(p, size));
      if (zero_tail) {
        *zero_tail = true;
        for (SIZE_T i = text.size(); i < size && i < text.size() + 4; ++i)
          if (p[i] != '\0') *zero_tail = false;
      }
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

void set_clipboard_text(const char *text, HWND owner) {
  const std::size_t n = std::strlen(text) + 1;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  ASSERT_NE(h, nullptr);
  std::memcpy(GlobalLock(h), text, n);
  GlobalUnlock(h);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  ASSERT_NE(SetClipboardData(CF_TEXT, h), nullptr);
  CloseClipboard();
}

LRESULT CALLBACK box_catcher(int code, WPARAM wparam, LPARAM lparam) {
  HWND window = reinterpret_cast<HWND>(wparam);
  if (code == HCBT_ACTIVATE && is_message_box(window)) {
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  } else if (code == HCBT_DESTROYWND && is_message_box(window)) {
    seen_boxes.push_back({window_text(window), window_text(GetDlgItem(window, 0xFFFF))});
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void *patch_import(const char *function, void *replacement) {
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
