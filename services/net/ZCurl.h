#pragma once

#include <curl/curl.h>

#include <memory>

/// Prepares libcurl for use from several threads. Call once on the main
/// thread before the first worker that uses libcurl starts (the mail and
/// download jobs do it in their constructors).
void ZCurlGlobalInit();

struct TZCurlDeleter
{
    void operator()(CURL *curl) const { curl_easy_cleanup(curl); }
};

/// One libcurl easy handle, cleaned up when it goes.
using TZCurlHandle = std::unique_ptr<CURL, TZCurlDeleter>;
