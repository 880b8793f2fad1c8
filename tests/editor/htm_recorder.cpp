// Stands in for a browser: writes the command line it was started with into the file that
// VORRA_RECORDER_LOG names, so a test can see what the editor's buttons launched.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH];
  if (!GetEnvironmentVariableA("VORRA_RECORDER_LOG", log, sizeof log)) return 1;
  const char* commandLine = GetCommandLineA();
  // Written under another name first, so the test never reads half a line.
  char partial[MAX_PATH + 8];
  std::snprintf(partial, sizeof partial, "%s.part", log);
  FILE* out = std::fopen(partial, "wb");
  if (!out) return 1;
  std::fputs(commandLine, out);
  std::fclose(out);
  return MoveFileExA(partial, log, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
