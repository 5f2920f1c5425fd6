#pragma once

// The types and constants only: the functions come through CurlLibrary, and the type-checking macros
// would stand in the way of calling them through pointers.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

namespace kal {

// libcurl, loaded the first time a calendar server is used. Most runs of the programs never talk to
// one, and linking it would load it and the two dozen libraries it needs at every start.
struct CurlLibrary {
    decltype(&curl_global_init) globalInit;
    decltype(&curl_easy_init) easyInit;
    decltype(&curl_easy_cleanup) easyCleanup;
    decltype(&curl_easy_reset) easyReset;
    decltype(&curl_easy_setopt) easySetopt;
    decltype(&curl_easy_perform) easyPerform;
    decltype(&curl_easy_getinfo) easyGetinfo;
    decltype(&curl_slist_append) slistAppend;
    decltype(&curl_slist_free_all) slistFreeAll;

    // The library, loaded and initialised once; nullptr when it is not installed or lacks a function.
    [[nodiscard]] static const CurlLibrary* Get();
};

} // namespace kal
