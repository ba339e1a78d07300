// File-system calls for the high-score file on Windows: the same rules as on POSIX systems,
// through the Win32 API with UTF-16 paths.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/storage.h"

#include <chrono>
#include <thread>

#include "platform/lock_wait.h"

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

// Virus scanners, backup and sync tools open files for a moment without sharing them. What
// they refuse is tried again for about two seconds before it counts as a failure.
constexpr auto kSharingRetries = std::chrono::seconds(2);

bool heldByAnother(DWORD code, bool accessDeniedToo) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           (accessDeniedToo && code == ERROR_ACCESS_DENIED);
}

// Runs attempt() until it succeeds, fails for another reason, or two seconds have passed; the
// last error stays in GetLastError().
template <typename Attempt>
bool retryWhileHeld(Attempt attempt, bool accessDeniedToo = false) {
    const auto giveUp = std::chrono::steady_clock::now() + kSharingRetries;
    for (;;) {
        if (attempt()) {
            return true;
        }
        const DWORD code = GetLastError();
        if (!heldByAnother(code, accessDeniedToo) || std::chrono::steady_clock::now() >= giveUp) {
            SetLastError(code);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// CreateFileW, waiting out another program that holds the file; INVALID_HANDLE_VALUE, with
// the reason in GetLastError(), when it still fails.
HANDLE openWaiting(const std::string& path, DWORD access, DWORD sharing, DWORD disposition) {
    HANDLE file = INVALID_HANDLE_VALUE;
    retryWhileHeld([&] {
        file = CreateFileW(wide(path).c_str(), access, sharing, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    return file;
}

HANDLE openForReading(const std::string& path) {
    return openWaiting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       OPEN_EXISTING);
}

bool readableAndWritable(const std::string& path) {
    const HANDLE file = openWaiting(path, GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string temporaryNameFor(const std::string& path) {
    return path + ".new-" + std::to_string(GetCurrentProcessId());
}

std::string environment(const wchar_t* name) {
    // Read wide from the process's own block: a narrow copy would turn a profile name outside
    // the ANSI code page into question marks.
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return narrow(value);
}

// Whether a new file can be made beside path: the lock and each save's temporary file are.
bool canCreateBeside(const std::string& path) {
    const std::string probe = path + ".probe-" + std::to_string(GetCurrentProcessId());
    const HANDLE file = CreateFileW(wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

const std::string kLegacyTable = "C:\\highScores.txt";

}  // namespace

std::string highScoreFilePath() {
    // A standard user may not create files in C:\, so the table lives in the roaming
    // application data; one already kept in C:\ stays in use where it can be saved in place.
    if (readableAndWritable(kLegacyTable) && canCreateBeside(kLegacyTable)) {
        return kLegacyTable;
    }
    const std::string appData = environment(L"APPDATA");
    if (appData.empty()) {
        return {};
    }
    return appData + "\\ORVEL\\highScores.txt";
}

std::string noDataFolderReason() {
    return "APPDATA is not set";
}

std::string replayFolderPath() {
    const std::string appData = environment(L"APPDATA");
    return appData.empty() ? appData : appData + "\\ORVEL\\replays";
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(fs::path(wide(folder)), code)) {
        std::error_code kind;
        if (entry.is_regular_file(kind)) {
            names.push_back(narrow(entry.path().filename().wstring()));
        }
    }
    return names;
}

bool removeFile(const std::string& path) {
    return DeleteFileW(wide(path).c_str()) != 0;
}

std::string carriedOverTable(const std::string& path, std::string& note) {
    if (path == kLegacyTable || !readableAndWritable(kLegacyTable)) {
        return {};
    }
    std::string bytes;
    bool truncated = false;
    std::string error;
    if (!readFileStart(kLegacyTable, 1 << 20, bytes, truncated, error) || truncated) {
        return {};
    }
    note = kLegacyTable + " can't be saved in place (no new file can be made in C:\\); its rows " +
           "move to " + path;
    return bytes;
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

namespace {

// Writes bytes to path's temporary name, flushed to disk, and returns that name; empty, with
// the reason and nothing left behind, when any step fails.
std::string writeTemporary(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = temporaryNameFor(path);
    const HANDLE file = openWaiting(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot create", temporary, GetLastError());
        return {};
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
        return {};
    }
    return temporary;
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = writeTemporary(path, bytes, error);
    if (temporary.empty()) {
        return false;
    }
    // A table another program holds open is reported as a sharing violation or, for the
    // replacement, as access denied: both are waited out.
    const bool moved = retryWhileHeld(
        [&] {
            return MoveFileExW(wide(temporary).c_str(), wide(path).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        },
        true);
    if (!moved) {
        error = describe("cannot replace " + path + " with", temporary, GetLastError());
        DeleteFileW(wide(temporary).c_str());
        return false;
    }
    return true;
}

NewFile writeNewFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = writeTemporary(path, bytes, error);
    if (temporary.empty()) {
        return NewFile::Failed;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move never replaces another file.
    if (MoveFileExW(wide(temporary).c_str(), wide(path).c_str(), MOVEFILE_WRITE_THROUGH)) {
        return NewFile::Written;
    }
    const DWORD code = GetLastError();
    DeleteFileW(wide(temporary).c_str());
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
        return NewFile::Taken;
    }
    error = describe("cannot name " + temporary, path, code);
    return NewFile::Failed;
}

bool readFileEnd(const std::string& path, size_t limit, std::string& bytes, std::string& error) {
    const HANDLE file = openForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot open", path, GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        error = describe("cannot read", path, GetLastError());
        CloseHandle(file);
        return false;
    }
    const auto total = static_cast<uint64_t>(size.QuadPart);
    LARGE_INTEGER from{};
    from.QuadPart = static_cast<LONGLONG>(total > limit ? total - limit : 0);
    bytes.assign(static_cast<size_t>(total - static_cast<uint64_t>(from.QuadPart)), '\0');
    DWORD got = 0;
    const bool read = SetFilePointerEx(file, from, nullptr, FILE_BEGIN) &&
                      ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!read) {
        error = describe("cannot read", path, code);
        return false;
    }
    bytes.resize(got);
    return true;
}

void removeStaleSaves(const std::string& path) {
    const fs::path table(wide(path));
    const std::string name = narrow(table.filename().wstring());
    removeStaleSavesIn(narrow(table.parent_path().wstring()),
                       [&name](const std::string& saved) { return saved == name; });
}

void removeStaleSavesIn(const std::string& folder,
                        const std::function<bool(const std::string&)>& saved) {
    const std::wstring mark = L".new-";
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(fs::path(wide(folder)), code)) {
        const std::wstring name = entry.path().filename().wstring();
        const size_t at = name.rfind(mark);
        if (at == std::wstring::npos || at == 0) {
            continue;
        }
        const std::wstring digits = name.substr(at + mark.size());
        if (digits.empty() || digits.size() > 10 ||
            digits.find_first_not_of(L"0123456789") != std::wstring::npos ||
            !saved(narrow(name.substr(0, at)))) {
            continue;
        }
        const auto pid = static_cast<DWORD>(std::wcstoul(digits.c_str(), nullptr, 10));
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
    const HANDLE file = openWaiting(lockPath, GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) {
        error = describe("cannot open the lock file", lockPath, GetLastError());
        return false;
    }
    // Without blocking, so that a lock held elsewhere is said and a signal still ends the game.
    LockWait wait(lockPath);
    for (;;) {
        OVERLAPPED start{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &start)) {
            break;
        }
        const DWORD code = GetLastError();
        if (code != ERROR_LOCK_VIOLATION && code != ERROR_IO_PENDING) {
            error = describe("cannot lock", lockPath, code);
            CloseHandle(file);
            return false;
        }
        if (!wait.keepWaiting(error)) {
            CloseHandle(file);
            return false;
        }
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    return true;
}

// Windows locks no folder: a lock file inside it stands for it.
bool FileLock::acquireFolder(const std::string& folder, std::string& error) {
    return acquire(folder + "\\recordings", error);
}

void FileLock::release() {
    if (handle_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));  // closing drops the lock
        handle_ = -1;
    }
}
