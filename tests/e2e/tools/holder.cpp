// A helper of the end-to-end tests, run under Wine beside the calculator: it
// plays the other program that holds something the calculator needs.
//
//   holder file PATH SIGNAL       opens PATH (creating it if missing) for
//                                 reading and writing with no sharing, so
//                                 that no other process can open it
//   holder reader PATH SIGNAL     opens the existing PATH for reading and
//                                 lets others read it but not write it, as
//                                 a viewer that keeps a file open does
//   holder clipboard SIGNAL       keeps the clipboard open, so that no other
//                                 process can open it
//
// Once it holds, it creates the file SIGNAL; it lets go and ends when SIGNAL
// is deleted. Exit code 0 after a hold, 1 when it could not take hold, 2 for
// bad arguments. It never holds longer than two minutes, so a test that dies
// half-way leaves nothing held for the next one.
#include <windows.h>

#include <cstring>

namespace {

constexpr DWORD poll_ms = 10;
constexpr DWORD longest_hold_ms = 120000;

bool create_signal(const char *signal) {
  const HANDLE file =
      CreateFileA(signal, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

void wait_for_release(const char *signal) {
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(signal) != INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < longest_hold_ms) {
    Sleep(poll_ms);
  }
  DeleteFileA(signal);
}

int hold_file(const char *path, const char *signal, bool reader) {
  const HANDLE file = reader ? CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                             : CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  if (!create_signal(signal)) {
    CloseHandle(file);
    return 1;
  }
  wait_for_release(signal);
  CloseHandle(file);
  return 0;
}

int hold_clipboard(const char *signal) {
  if (!OpenClipboard(nullptr)) return 1;
  if (!create_signal(signal)) {
    CloseClipboard();
    return 1;
  }
  wait_for_release(signal);
  CloseClipboard();
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 4 && std::strcmp(argv[1], "file") == 0) return hold_file(argv[2], argv[3], false);
  if (argc == 4 && std::strcmp(argv[1], "reader") == 0) return hold_file(argv[2], argv[3], true);
  if (argc == 3 && std::strcmp(argv[1], "clipboard") == 0) return hold_clipboard(argv[2]);
  return 2;
}
