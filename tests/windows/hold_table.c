/* What a virus scanner or a sync tool does to the table under Windows: opens
 * %APPDATA%\ORVEL\highScores.txt without sharing it, says "held" on standard output, and keeps
 * it for the given milliseconds. With "lock", it holds the table's lock instead, as another game
 * saving does.
 *   hold_table.exe MILLISECONDS [lock] */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <windows.h>

int main(int argc, char** argv) {
    wchar_t path[MAX_PATH];
    DWORD size = GetEnvironmentVariableW(L"APPDATA", path, MAX_PATH);
    HANDLE file;
    const int lock = argc == 3 && strcmp(argv[2], "lock") == 0;
    OVERLAPPED start = {0};
    if ((argc != 2 && !lock) || size == 0 || size > MAX_PATH - 32) {
        fprintf(stderr, "usage: hold_table MILLISECONDS [lock] (with APPDATA set)\n");
        return 2;
    }
    wcscat(path, lock ? L"\\ORVEL\\highScores.txt.lock" : L"\\ORVEL\\highScores.txt");
    if (lock) {
        file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    } else {
        file = CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    }
    if (file == INVALID_HANDLE_VALUE ||
        (lock && !LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start))) {
        fprintf(stderr, "hold_table: cannot open the table (error %lu)\n", GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    Sleep((DWORD)atoi(argv[1]));
    CloseHandle(file);
    return 0;
}
