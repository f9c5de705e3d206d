// A stand-in text editor for the end-to-end tests only: a console program
// that, after a short while, writes one temporary item for tomorrow with
// the text of its second argument into the file of its first, and exits.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  Sleep(1500);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  FILETIME time{};
  SystemTimeToFileTime(&now, &time);
  ULARGE_INTEGER tomorrow{{time.dwLowDateTime, time.dwHighDateTime}};
  tomorrow.QuadPart += 24ull * 60 * 60 * 10000000;
  time = FILETIME{tomorrow.LowPart, tomorrow.HighPart};
  FileTimeToSystemTime(&time, &now);
  FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) return 1;
  std::fprintf(file, "$%04d%02d%02d\r\n%s\r\nB=0x00FF00\r\n", now.wYear, now.wMonth, now.wDay, argv[2]);
  std::fclose(file);
  return 0;
}
