// File-system calls for the high-score file on Windows: the same rules as on POSIX systems,
// through the Win32 API with UTF-16 paths.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/storage.h"

namespace fs = std::filesystem;

namespace {

std::wstring wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
    return result;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

// "what path: the system's reason".
std::string describe(const std::string& what, const std::string& path, DWORD code) {
    wchar_t* message = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::string reason = message ? narrow(message) : "error " + std::to_string(code);
    LocalFree(message);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return what + " " + path + ": " + reason;
}

bool missing(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

HANDLE openForReading(const std::string& path) {
    return CreateFileW(wide(path).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool readableAndWritable(const std::string& path) {
    const HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string temporaryNameFor(const std::string& path) {
    return path + ".new-" + std::to_string(GetCurrentProcessId());
}

}  // namespace

std::string highScoreFilePath() {
    // A standard user may not create files in C:\, so the table lives in the roaming
    // application data; one already kept in C:\ stays in use.
    const std::string legacy = "C:/highScores.txt";
    if (readableAndWritable(legacy)) {
        return legacy;
    }
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (!appData || !*appData) {
        return {};
    }
    return narrow(appData) + "\\ORVEL\\highScores.txt";
}

bool makeParentFolders(const std::string& path, std::string& error) {
    const fs::path folder = fs::path(wide(path)).parent_path();
    if (folder.empty()) {
        return true;
    }
    std::error_code code;
    fs::create_directories(folder, code);
    if (code) {
        error = "cannot create folder " + narrow(folder.wstring()) + ": " + code.message();
        return false;
    }
    return true;
}

FileKind probeFile(const std::string& path, std::string& error) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (missing(code)) {
            return FileKind::Missing;
        }
        error = describe("cannot look at", path, code);
        return FileKind::Unusable;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = path + " is a folder";
        return FileKind::Unusable;
    }
    const HANDLE file = openForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot open", path, GetLastError());
        return FileKind::Unusable;
    }
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    if (type != FILE_TYPE_DISK) {
        error = path + " is not a regular file";
        return FileKind::Unusable;
    }
    return FileKind::Regular;
}

std::string replaceProblem(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return path + " is read-only";
    }
    return {};
}

bool readFileStart(const std::string& path, size_t limit, std::string& bytes, bool& truncated,
                   std::string& error) {
    const HANDLE file = openForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot open", path, GetLastError());
        return false;
    }
    bytes.clear();
    char chunk[65536];
    while (bytes.size() <= limit) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
            error = describe("cannot read", path, GetLastError());
            CloseHandle(file);
            return false;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, got);
    }
    CloseHandle(file);
    truncated = bytes.size() > limit;
    if (truncated) {
        bytes.resize(limit);
    }
    return true;
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = temporaryNameFor(path);
    const HANDLE file = CreateFileW(wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot create", temporary, GetLastError());
        return false;
    }
    DWORD wrote = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
              wrote == bytes.size() && FlushFileBuffers(file);
    DWORD code = GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        code = GetLastError();
    }
    if (!ok) {
        error = describe("cannot write", temporary, code);
        DeleteFileW(wide(temporary).c_str());
        return false;
    }
    if (!MoveFileExW(wide(temporary).c_str(), wide(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = describe("cannot replace " + path + " with", temporary, GetLastError());
        DeleteFileW(wide(temporary).c_str());
        return false;
    }
    return true;
}

void removeStaleSaves(const std::string& path) {
    const fs::path table(wide(path));
    const std::wstring prefix = table.filename().wstring() + L".new-";
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(table.parent_path(), code)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.size() <= prefix.size() || name.size() > prefix.size() + 10 ||
            name.compare(0, prefix.size(), prefix) != 0 ||
            name.find_first_not_of(L"0123456789", prefix.size()) != std::wstring::npos) {
            continue;
        }
        const auto pid =
            static_cast<DWORD>(std::wcstoul(name.c_str() + prefix.size(), nullptr, 10));
        const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (process) {
            CloseHandle(process);
        } else if (GetLastError() == ERROR_INVALID_PARAMETER) {  // no such process
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

bool FileLock::acquire(const std::string& path, std::string& error) {
    release();
    const std::string lockPath = path + ".lock";
    const HANDLE file = CreateFileW(wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot open the lock file", lockPath, GetLastError());
        return false;
    }
    OVERLAPPED start{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start)) {
        error = describe("cannot lock", lockPath, GetLastError());
        CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    return true;
}

void FileLock::release() {
    if (handle_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));  // closing drops the lock
        handle_ = -1;
    }
}
