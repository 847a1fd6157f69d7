// Sets an environment variable (or removes it, for nullptr) for one scope
// and puts the old value back at its end.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tessaly {

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void set(const char* value) {
#ifdef _WIN32
        ::_putenv_s(name_, value ? value : ""); // an empty value removes it
#else
        if (value) {
            ::setenv(name_, value, 1);
        } else {
            ::unsetenv(name_);
        }
#endif
    }

    const char* name_;
    std::optional<std::string> old_;
};

} // namespace tessaly
