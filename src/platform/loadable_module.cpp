#include "platform/loadable_module.h"

#include <dlfcn.h>

namespace plotvale::platform {

std::optional<LoadableModule> LoadableModule::load(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* reason = dlerror();
        error = reason ? reason : path + ": cannot be loaded";
        return std::nullopt;
    }
    return LoadableModule(handle);
}

void* LoadableModule::address(const char* name) const {
    return dlsym(handle_.get(), name);
}

void LoadableModule::Closer::operator()(void* handle) const {
    dlclose(handle);
}

}  // namespace plotvale::platform
