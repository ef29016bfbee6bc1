#pragma once
// libcurl, loaded when the first network stream opens. A player that only
// plays files never maps it, nor the two dozen libraries it brings (TLS,
// Kerberos, LDAP, SSH…): some 4 MiB of memory and their share of start-up.
#include <curl/curl.h>

namespace velmoro::audio {

struct CurlApi {
    decltype(&curl_global_init) global_init;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
};

// Loaded and initialised once, from any thread; nullptr when libcurl is not
// installed (network streams then fail like an unreachable server).
const CurlApi* Curl();

} // namespace velmoro::audio
