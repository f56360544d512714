#pragma once
// A shared object of the program loaded on demand (dlopen): code whose
// libraries only some runs need stays out of every other run's start-up.

#include <memory>
#include <optional>
#include <string>

namespace plotvale::platform {

class LoadableModule {
public:
    // The module at `path` with every symbol resolved, or nothing, with the
    // loader's reason in `error`. A loaded module stays mapped until the
    // process ends, because the libraries it brings may have registered
    // exit handlers that run from its code.
    static std::optional<LoadableModule> load(const std::string& path, std::string& error);

    // The exported function `name`, or nullptr.
    template <typename Function>
    Function* function(const char* name) const {
        return reinterpret_cast<Function*>(address(name));
    }

private:
    struct Closer {
        void operator()(void* handle) const;
    };
    explicit LoadableModule(void* handle) : handle_(handle) {}
    void* address(const char* name) const;
    std::unique_ptr<void, Closer> handle_;
};

}  // namespace plotvale::platform
