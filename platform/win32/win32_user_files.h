#pragma once

#include <windows.h>

#include <functional>

#include "platform/files.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

// Files opened as the session's user: each operation runs while the thread impersonates the
// user's token, so Windows checks that person's rights, not the service's. Without a user
// (nobody logged on), nothing is opened.
class UserFiles final : public Files {
  public:
    UserFiles(Files& inner, std::function<UniqueHandle()> user_token)
        : inner_(inner), user_token_(std::move(user_token)) {}

    bool exists(std::string_view path) override;
    bool copy(std::string_view from, std::string_view to) override;
    bool remove(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool replace(std::string_view from, std::string_view to) override;
    bool create_folder(std::string_view path) override;
    bool append(std::string_view path, std::string_view text) override;
    bool write(std::string_view path, std::string_view content) override;
    bool read(std::string_view path, std::string& content) override;
    std::string work_folder() override { return inner_.work_folder(); }
    std::string program_folder() override { return inner_.program_folder(); }
    std::string program_name() override { return inner_.program_name(); }

  private:
    template <class Operation>
    bool as_user(Operation operation);

    Files& inner_;
    std::function<UniqueHandle()> user_token_;
};

}  // namespace vardex::win32
