// General clipboard functions: a file's bytes or a text as CF_TEXT, a global
// block handed to the clipboard, and the zeroed block itself. Every failure
// releases what it took; only a lack of memory is shown to the user.
//
// The text also goes on the clipboard as CF_UNICODETEXT, read as code page
// 1252, in which our texts are written. Without it Windows makes the Unicode
// text that most programs paste from the ANSI code page of the input locale,
// and the degree sign 0xB0 becomes a katakana sign under Japanese, another
// character under Hebrew, Thai, Chinese or Korean.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "app/clipboard_win.h"
#include "dlglib/dlglib.h"

int copy_file_to_clipboard(HWND owner, const wchar_t *path) {
  const int file = _wopen(path, _O_RDONLY | _O_BINARY);
  if (file == -1) return copy_unreadable;

  // The length: note the position, seek to the end, go back to the start.
  const long start = _lseek(file, 0, SEEK_CUR);
  const long length = _lseek(file, 0, SEEK_END);
  _lseek(file, start, SEEK_SET);
  if (length <= 0) {
    _close(file);
    return copy_empty;
  }

  HGLOBAL block = nullptr;
  void *memory = alloc_global_block(static_cast<SIZE_T>(length) + 4, &block);
  if (memory == nullptr) {
    _close(file);
    return copy_no_memory;
  }
  // Bytes not read stay zero; the text ends in at least four zero bytes.
  _read(file, memory, static_cast<unsigned>(length));
  _close(file);
  GlobalUnlock(block);
  return set_clipboard_text(owner, block);
}

int copy_text_to_clipboard(HWND owner, const char *text, std::size_t length) {
  HGLOBAL block = nullptr;
  void *memory = alloc_global_block(length + 4, &block);
  if (memory == nullptr) return copy_no_memory;
  std::memcpy(memory, text, length);
  GlobalUnlock(block);
  return set_clipboard_text(owner, block);
}

namespace {

constexpr UINT text_code_page = 1252;

// The NUL-terminated text of `block` as UTF-16 in a block of its own, or
// null. Not a word to the user when there is no memory for it, or the
// conversion fails: the plain text still goes on the clipboard, and a block
// the conversion did not fill would paste whatever the memory held before.
HGLOBAL unicode_copy(HGLOBAL block) {
  const auto *text = static_cast<const char *>(GlobalLock(block));
  if (text == nullptr) return nullptr;
  const int length = MultiByteToWideChar(text_code_page, 0, text, -1, nullptr, 0);
  HGLOBAL wide = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) * sizeof(wchar_t));
  auto *w = wide != nullptr ? static_cast<wchar_t *>(GlobalLock(wide)) : nullptr;
  const bool converted =
      w != nullptr && MultiByteToWideChar(text_code_page, 0, text, -1, w, length) == length;
  if (w != nullptr) GlobalUnlock(wide);
  if (!converted && wide != nullptr) wide = GlobalFree(wide);
  GlobalUnlock(block);
  return wide;
}

// Clipboard managers, the clipboard history and remote-desktop sessions
// open the clipboard for a moment after every change: it is tried again in
// short steps for about a second before the copy counts as failed. The
// first try costs no wait.
constexpr DWORD clipboard_retry_ms = 50;
constexpr int clipboard_retries = 20;

bool open_clipboard(HWND owner) {
  for (int retry = 0;; ++retry) {
    if (OpenClipboard(owner)) return true;
    if (retry == clipboard_retries) return false;
    Sleep(clipboard_retry_ms);
  }
}

// GlobalFree is not documented for a null handle.
void free_if_any(HGLOBAL block) {
  if (block != nullptr) GlobalFree(block);
}

} // namespace

int set_clipboard_text(HWND owner, HGLOBAL block) {
  HGLOBAL wide = unicode_copy(block);
  if (!open_clipboard(owner)) {
    GlobalFree(block);
    free_if_any(wide);
    return copy_busy;
  }
  if (!EmptyClipboard()) {
    CloseClipboard();
    GlobalFree(block);
    free_if_any(wide);
    return copy_busy;
  }
  // A refused block stays ours: free it and say so.
  if (SetClipboardData(CF_TEXT, block) == nullptr) {
    CloseClipboard();
    GlobalFree(block);
    free_if_any(wide);
    return copy_busy;
  }
  if (wide != nullptr && SetClipboardData(CF_UNICODETEXT, wide) == nullptr) GlobalFree(wide);
  CloseClipboard();
  return copy_done;
}

void *alloc_global_block(SIZE_T size, HGLOBAL *handle) {
  *handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (*handle != nullptr) {
    void *memory = GlobalLock(*handle);
    if (memory != nullptr) return memory;
    GlobalFree(*handle);
    *handle = nullptr;
  }
  info_message(nullptr, "Not enough memory!");
  return nullptr;
}
