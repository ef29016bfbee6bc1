#include "audio/curlapi.h"

#include <dlfcn.h>

namespace velmoro::audio {

namespace {

template <typename Function> bool Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const CurlApi* Load()
{
    // Never closed: transfers may run until the program ends.
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    static CurlApi api;
    const bool complete = Resolve(library, "curl_global_init", api.global_init) &&
                          Resolve(library, "curl_easy_init", api.easy_init) &&
                          Resolve(library, "curl_easy_setopt", api.easy_setopt) &&
                          Resolve(library, "curl_easy_perform", api.easy_perform) &&
                          Resolve(library, "curl_easy_getinfo", api.easy_getinfo) &&
                          Resolve(library, "curl_easy_strerror", api.easy_strerror) &&
                          Resolve(library, "curl_easy_cleanup", api.easy_cleanup) &&
                          Resolve(library, "curl_slist_append", api.slist_append) &&
                          Resolve(library, "curl_slist_free_all", api.slist_free_all);
    if (!complete || api.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return nullptr;
    return &api;
}

} // namespace

const CurlApi* Curl()
{
    static const CurlApi* const api = Load();
    return api;
}

} // namespace velmoro::audio
