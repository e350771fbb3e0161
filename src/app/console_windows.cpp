// How the game meets the console on Windows; linked into reddoor.exe alone, and at work before
// main.
//
// The game is a console program, so that cmd.exe and PowerShell wait for it, show what it
// prints (--help, a script's lines, errors) and get its exit status, with pipes and
// redirections as on Linux. Started from Explorer it gets a console window of its own: it lets
// that go at once, and what it would have printed on standard error is shown in a message box
// when it ends.
//
// Standard output and error are binary: a line ends in "\n" as on Linux, so a scripted run
// prints the same bytes on both. Console text is UTF-8, like the game's own.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool IsConsole(DWORD stream) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}

std::wstring Wide(const std::string& text) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

class ConsoleOrMessageBox {
 public:
  ConsoleOrMessageBox() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    DWORD processes[2];
    // Alone on a console that nothing redirects: a console window made for the game alone.
    if (GetConsoleProcessList(processes, 2) == 1 && IsConsole(STD_OUTPUT_HANDLE) &&
        IsConsole(STD_ERROR_HANDLE)) {
      FreeConsole();
      shownOnConsole_ = std::cerr.rdbuf(&collected_);
    } else if (IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE)) {
      codePage_ = GetConsoleOutputCP();
      SetConsoleOutputCP(CP_UTF8);
    }
  }

  ~ConsoleOrMessageBox() {
    if (codePage_ != 0) SetConsoleOutputCP(codePage_);
    if (!shownOnConsole_) return;
    std::cerr.rdbuf(shownOnConsole_);
    if (const std::string text = collected_.str(); !text.empty()) {
      MessageBoxW(nullptr, Wide(text).c_str(), L"Red Door", MB_OK | MB_ICONERROR);
    }
  }

  ConsoleOrMessageBox(const ConsoleOrMessageBox&) = delete;
  ConsoleOrMessageBox& operator=(const ConsoleOrMessageBox&) = delete;

 private:
  std::stringbuf collected_;
  std::streambuf* shownOnConsole_ = nullptr;
  UINT codePage_ = 0;
};

const ConsoleOrMessageBox console;

}  // namespace
