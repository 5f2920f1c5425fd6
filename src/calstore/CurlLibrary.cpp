#include "calstore/CurlLibrary.h"

#include <dlfcn.h>
#include <mutex>

namespace kal {

namespace {

constexpr const char* kLibraryNames[] = { "libcurl.so.4", "libcurl-gnutls.so.4", "libcurl.so" };

template <typename Function> bool Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

bool Load(CurlLibrary& curl)
{
    void* library = nullptr;
    for (const char* name : kLibraryNames) {
        if ((library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL)))
            break;
    }
    // Kept open for the rest of the run: sessions may live until the program ends.
    return library && Find(library, "curl_global_init", curl.globalInit)
        && Find(library, "curl_easy_init", curl.easyInit) && Find(library, "curl_easy_cleanup", curl.easyCleanup)
        && Find(library, "curl_easy_reset", curl.easyReset) && Find(library, "curl_easy_setopt", curl.easySetopt)
        && Find(library, "curl_easy_perform", curl.easyPerform) && Find(library, "curl_easy_getinfo", curl.easyGetinfo)
        && Find(library, "curl_slist_append", curl.slistAppend)
        && Find(library, "curl_slist_free_all", curl.slistFreeAll) && curl.globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

} // namespace

const CurlLibrary* CurlLibrary::Get()
{
    static CurlLibrary curl {};
    static bool loaded = false;
    static std::once_flag once;
    std::call_once(once, [] { loaded = Load(curl); });
    return loaded ? &curl : nullptr;
}

} // namespace kal
