/* What a virus scanner or a sync tool does to the table under Windows: opens
 * %APPDATA%\ORVEL\highScores.txt without sharing it, says "held" on standard output, and keeps
 * it for the given milliseconds.
 *   hold_table.exe MILLISECONDS */
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

int main(int argc, char** argv) {
    wchar_t path[MAX_PATH];
    DWORD size = GetEnvironmentVariableW(L"APPDATA", path, MAX_PATH);
    HANDLE file;
    if (argc != 2 || size == 0 || size > MAX_PATH - 32) {
        fprintf(stderr, "usage: hold_table MILLISECONDS (with APPDATA set)\n");
        return 2;
    }
    wcscat(path, L"\\ORVEL\\highScores.txt");
    file = CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "hold_table: cannot open the table (error %lu)\n", GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    Sleep((DWORD)atoi(argv[1]));
    CloseHandle(file);
    return 0;
}
