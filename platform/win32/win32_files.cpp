#include "platform/win32/win32_files.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"

namespace vardex::win32 {

namespace {

bool write_all(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 20));
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data.remove_prefix(written);
    }
    return true;
}

std::string module_path() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            return std::string(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

bool Win32Files::exists(std::string_view path) {
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Files::copy(std::string_view from, std::string_view to) {
    return CopyFileA(std::string(from).c_str(), std::string(to).c_str(), FALSE) != FALSE;
}

bool Win32Files::remove(std::string_view path) {
    return DeleteFileA(std::string(path).c_str()) != FALSE;
}

bool Win32Files::rename(std::string_view from, std::string_view to) {
    return MoveFileA(std::string(from).c_str(), std::string(to).c_str()) != FALSE;
}

bool Win32Files::replace(std::string_view from, std::string_view to) {
    return MoveFileExA(std::string(from).c_str(), std::string(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Files::create_folder(std::string_view path) {
    return CreateDirectoryA(std::string(path).c_str(), nullptr) != FALSE;
}

bool Win32Files::append(std::string_view path, std::string_view text) {
    UniqueFile file(CreateFileA(std::string(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && write_all(file.get(), text);
}

bool Win32Files::write(std::string_view path, std::string_view content) {
    UniqueFile file(CreateFileA(std::string(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    // On the disk before a replace puts it in place of the old file.
    return file && write_all(file.get(), content) && FlushFileBuffers(file.get()) != FALSE;
}

bool Win32Files::read(std::string_view path, std::string& content) {
    UniqueFile file(CreateFileA(std::string(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    content.clear();
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        content.append(buffer, got);
    }
}

std::string Win32Files::work_folder() {
    if (!work_folder_.empty()) {
        return work_folder_;
    }
    char buffer[1000] = {};
    const DWORD n = GetTempPathA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer) : std::string{};
}

std::string Win32Files::program_folder() {
    const std::string path = module_path();
    const auto pos = path.rfind('\\');
    return pos == std::string::npos ? std::string{} : path.substr(0, pos);
}

std::string Win32Files::program_name() {
    if (!program_name_.empty()) {
        return program_name_;
    }
    const std::string path = module_path();
    const auto slash = path.rfind('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace vardex::win32
