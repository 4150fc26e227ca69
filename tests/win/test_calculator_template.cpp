// The calculator's resources as the program carries them: the dialog
// template read back byte by byte, the dialog built from it by the platform,
// and the version and manifest resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/resource.h"
#include "tests/win/support.h"

namespace {

constexpr uint16_t button_atom = 0x0080;
constexpr uint16_t edit_atom = 0x0081;
constexpr uint16_t static_atom = 0x0082;

constexpr DWORD child = WS_CHILD | WS_VISIBLE;
constexpr DWORD input = child | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD result = child | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED;
constexpr DWORD label = child | SS_LEFT | WS_GROUP;
constexpr DWORD group = child | BS_GROUPBOX;
constexpr DWORD push = child | BS_PUSHBUTTON | WS_TABSTOP;

struct Item {
  uint16_t id;
  uint16_t class_atom;
  DWORD style;
  short x, y, cx, cy;
  const wchar_t *text;
};

const Item expected_items[] = {
    {IDC_CLOSE, button_atom, push, 17, 163, 86, 24, L"Close"},
    {0xFFFF, button_atom, group, 7, 7, 315, 187, L""},
    {IDC_INPUT_GROUP, button_atom, group, 18, 20, 179, 137, L"Input data"},
    {IDC_MET, edit_atom, input, 140, 34, 44, 15, L""},
    {IDC_CLO, edit_atom, input, 140, 54, 44, 15, L""},
    {IDC_TA, edit_atom, input, 140, 74, 44, 15, L""},
    {IDC_TR, edit_atom, input, 140, 94, 44, 15, L""},
    {IDC_VEL, edit_atom, input, 140, 114, 44, 15, L""},
    {IDC_RH, edit_atom, input, 140, 134, 44, 15, L""},
    {1008, static_atom, label, 26, 36, 104, 12, L"Metabolic rate [met]"},
    {1009, static_atom, label, 26, 55, 104, 12, L"Clothing [clo]"},
    {1010, static_atom, label, 26, 74, 104, 12, L"Air temperature [\u00B0C]"},
    {1011, static_atom, label, 26, 93, 104, 12, L"Mean radiant temperature  [\u00B0C]"},
    {1012, static_atom, label, 26, 112, 104, 12, L"Air velocity [m/s]"},
    {1013, static_atom, label, 26, 131, 104, 12, L"Relative humidity [%]"},
    {1014, button_atom, group, 204, 21, 110, 64, L"Result"},
    {IDC_PMV, edit_atom, result, 261, 36, 44, 15, L""},
    {IDC_PPD, edit_atom, result, 261, 59, 44, 15, L""},
    {1017, static_atom, label, 213, 39, 36, 12, L"PMV"},
    {1018, static_atom, label, 213, 61, 36, 12, L"PPD [%]"},
    {1019, button_atom, group, 205, 92, 109, 66, L""},
    {IDC_EXECUTE, button_atom, push, 215, 116, 86, 24, L"Execute"},
};
constexpr int expected_count = sizeof expected_items / sizeof expected_items[0];

std::vector<uint8_t> resource_bytes(LPCSTR type, int id) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (info == nullptr) return {};
  const HGLOBAL loaded = LoadResource(module, info);
  const auto *data = static_cast<const uint8_t *>(LockResource(loaded));
  if (data == nullptr) return {};
  return std::vector<uint8_t>(data, data + SizeofResource(module, info));
}

// Reads the classic DLGTEMPLATE layout: little-endian words, UTF-16 texts,
// items aligned to DWORDs.
struct Reader {
  const std::vector<uint8_t> &bytes;
  size_t at = 0;
  bool overrun = false;

  uint16_t word() {
    if (at + 2 > bytes.size()) {
      overrun = true;
      return 0;
    }
    const uint16_t w = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
    at += 2;
    return w;
  }
  DWORD dword() {
    const DWORD low = word();
    return low | static_cast<DWORD>(word()) << 16;
  }
  short coordinate() { return static_cast<short>(word()); }
  std::wstring text() {
    std::wstring s;
    for (uint16_t c = word(); c != 0 && !overrun; c = word())
      s.push_back(static_cast<wchar_t>(c));
    return s;
  }
  void align() { at = (at + 3) & ~static_cast<size_t>(3); }
};

INT_PTR CALLBACK inert_proc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(CalculatorTemplate, HeaderAndControlsWithIdsClassesStylesAndTexts) {
  const std::vector<uint8_t> bytes = resource_bytes(MAKEINTRESOURCEA(5), IDD_CALCULATOR);
  ASSERT_FALSE(bytes.empty());
  Reader r{bytes};
  // Not a DLGTEMPLATEEX: 16-bit control ids, so the frame's -1 is 65535.
  EXPECT_EQ(r.dword(),
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(r.dword(), 0u) << "extended style";
  EXPECT_EQ(r.word(), expected_count);
  EXPECT_EQ(r.coordinate(), 0);
  EXPECT_EQ(r.coordinate(), 0);
  EXPECT_EQ(r.coordinate(), 329);
  EXPECT_EQ(r.coordinate(), 201);
  EXPECT_EQ(r.word(), 0) << "no menu";
  EXPECT_EQ(r.word(), 0) << "the platform's dialog class";
  EXPECT_EQ(r.text(), L"Vexlin PMV  calculator");
  EXPECT_EQ(r.word(), 8) << "point size";
  EXPECT_EQ(r.text(), L"MS Sans Serif");
  // The controls in tab order.
  for (const Item &e : expected_items) {
    SCOPED_TRACE(e.id);
    r.align();
    EXPECT_EQ(r.dword(), e.style);
    EXPECT_EQ(r.dword(), 0u) << "extended style";
    EXPECT_EQ(r.coordinate(), e.x);
    EXPECT_EQ(r.coordinate(), e.y);
    EXPECT_EQ(r.coordinate(), e.cx);
    EXPECT_EQ(r.coordinate(), e.cy);
    EXPECT_EQ(r.word(), e.id);
    EXPECT_EQ(r.word(), 0xFFFF) << "class by atom";
    EXPECT_EQ(r.word(), e.class_atom);
    EXPECT_EQ(r.text(), e.text);
    EXPECT_EQ(r.word(), 0) << "no creation data";
    // No default push button, no mnemonic.
    EXPECT_NE(e.style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(std::wstring(e.text).find(L'&'), std::wstring::npos);
  }
  EXPECT_FALSE(r.overrun);
  r.align();
  EXPECT_GE(r.at, bytes.size()) << "nothing after the last control";
}

TEST(CalculatorTemplate, DialogBuiltByThePlatformShowsTheAnsiTexts) {
  const HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr),
                                         MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr, inert_proc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(window_text(dialog), "Vexlin PMV  calculator");
  EXPECT_FALSE(GetWindowLongA(dialog, GWL_STYLE) & WS_VISIBLE) << "shown by the modal call";
  EXPECT_FALSE(GetWindowLongA(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  // The degree sign is the single byte 0xB0 of the ANSI code page.
  EXPECT_EQ(window_text(GetDlgItem(dialog, 1010)), "Air temperature [\xB0"
                                                   "C]");
  EXPECT_EQ(window_text(GetDlgItem(dialog, 1011)), "Mean radiant temperature  [\xB0"
                                                   "C]");

  // The children stand in template order.
  int n = 0;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT), ++n) {
    ASSERT_LT(n, expected_count);
    EXPECT_EQ(GetDlgCtrlID(c) & 0xFFFF, expected_items[n].id);
  }
  EXPECT_EQ(n, expected_count);

  // Tab stops: Close, the six inputs, Execute, and round again to Close.
  const int tab_order[] = {IDC_MET, IDC_CLO, IDC_TA,      IDC_TR,
                           IDC_VEL, IDC_RH,  IDC_EXECUTE, IDC_CLOSE};
  HWND at = GetDlgItem(dialog, IDC_CLOSE);
  for (const int id : tab_order) {
    at = GetNextDlgTabItem(dialog, at, FALSE);
    EXPECT_EQ(GetDlgCtrlID(at), id);
  }
  DestroyWindow(dialog);
}

TEST(CalculatorTemplate, VersionResourceNamesTheProgram) {
  const std::vector<uint8_t> bytes = resource_bytes(MAKEINTRESOURCEA(16), IDR_VERSION);
  ASSERT_FALSE(bytes.empty());
  const std::wstring name = L"Vexlin PMV calculator";
  const auto *text = reinterpret_cast<const uint8_t *>(name.c_str());
  const size_t length = name.size() * sizeof(wchar_t);
  bool found = false;
  for (size_t i = 0; i + length <= bytes.size() && !found; i += 2)
    found = std::memcmp(&bytes[i], text, length) == 0;
  EXPECT_TRUE(found);

  VS_FIXEDFILEINFO fixed{};
  const uint8_t signature[] = {0xBD, 0x04, 0xEF, 0xFE};
  for (size_t i = 0; i + sizeof fixed <= bytes.size(); i += 4) {
    if (std::memcmp(&bytes[i], signature, 4) == 0) {
      std::memcpy(&fixed, &bytes[i], sizeof fixed);
      break;
    }
  }
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(CalculatorTemplate, ManifestAsksForInvokerRightsAndDpiAwareness) {
  const std::vector<uint8_t> bytes = resource_bytes(MAKEINTRESOURCEA(24), 1);
  ASSERT_FALSE(bytes.empty());
  const std::string xml(bytes.begin(), bytes.end());
  EXPECT_NE(xml.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(xml.find(">true</dpiAware>"), std::string::npos);
  // The loader applied it to this process.
  EXPECT_TRUE(IsProcessDPIAware());
}

} // namespace
