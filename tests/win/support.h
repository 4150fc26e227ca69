// Shared by the Win32 tests: the clipboard as another program reads it, and an
// import of the test program replaced to see what the code hands the platform.
#ifndef PMV_TESTS_WIN_SUPPORT_H
#define PMV_TESTS_WIN_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

// CF_TEXT up to its terminator ("<none>", "<busy>"), and whether the four
// bytes after it are zero.
std::string clipboard_text(bool *zero_tail = nullptr);

// Points the main module's import slots of `function` at `replacement` while
// it lives. A function that the module does not import fails the test: the
// code would call the real one, and the test would pass untested.
class ImportPatch {
public:
  template <class F>
  ImportPatch(const char *function, F *replacement)
      : ImportPatch(function, reinterpret_cast<void *>(replacement)) {}
  ImportPatch(const char *function, void *replacement);
  ImportPatch(const ImportPatch &) = delete; // a copy would undo it twice
  ImportPatch &operator=(const ImportPatch &) = delete;
  ~ImportPatch();

private:
  const char *function_;
  void *real_;
};

// A stand-in for MessageBoxA that records the call, answers OK at once and,
// as a real box does, leaves the focus elsewhere (on nothing).
struct BoxCall {
  HWND owner;
  std::string text, caption;
  UINT flags;
};
extern std::vector<BoxCall> box_calls;
int WINAPI record_box(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

// The system's own function, for a stand-in that passes a call on.
template <class F> F *real_function(const char *dll, const char *name) {
  // Through void (*)(), the generic function pointer that the warning on
  // casts between function types lets pass.
  return reinterpret_cast<F *>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(dll), name)));
}

#endif
