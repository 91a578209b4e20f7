#include "platform/win32/win32_user_files.h"

namespace vardex::win32 {

namespace {

// The thread acts as the token's user until this ends, also when the operation throws.
class Impersonation {
  public:
    explicit Impersonation(HANDLE token) : active_(ImpersonateLoggedOnUser(token) != FALSE) {}
    ~Impersonation() {
        if (active_) {
            RevertToSelf();
        }
    }
    Impersonation(const Impersonation&) = delete;
    Impersonation& operator=(const Impersonation&) = delete;
    bool active() const { return active_; }

  private:
    bool active_;
};

}  // namespace

template <class Operation>
bool UserFiles::as_user(Operation operation) {
    const UniqueHandle token = user_token_();
    if (!token) {
        return false;
    }
    const Impersonation impersonation(token.get());
    // Never fall back to the service's own rights.
    return impersonation.active() && operation();
}

bool UserFiles::exists(std::string_view path) {
    return as_user([&] { return inner_.exists(path); });
}
bool UserFiles::copy(std::string_view from, std::string_view to) {
    return as_user([&] { return inner_.copy(from, to); });
}
bool UserFiles::remove(std::string_view path) {
    return as_user([&] { return inner_.remove(path); });
}
bool UserFiles::rename(std::string_view from, std::string_view to) {
    return as_user([&] { return inner_.rename(from, to); });
}
bool UserFiles::replace(std::string_view from, std::string_view to) {
    return as_user([&] { return inner_.replace(from, to); });
}
bool UserFiles::create_folder(std::string_view path) {
    return as_user([&] { return inner_.create_folder(path); });
}
bool UserFiles::append(std::string_view path, std::string_view text) {
    return as_user([&] { return inner_.append(path, text); });
}
bool UserFiles::write(std::string_view path, std::string_view content) {
    return as_user([&] { return inner_.write(path, content); });
}
bool UserFiles::read(std::string_view path, std::string& content) {
    return as_user([&] { return inner_.read(path, content); });
}

}  // namespace vardex::win32
