#pragma once

// The file version marker. A source that includes this header (it needs the
// generated ZVersionInfo.h on its include path) puts into its program the
// bytes "ZKVA-FILE-VERSION:" followed by the version "a.b.c.d" and a NUL,
// which GetVersion(file) finds in the file of a program that is not running.

#include "ZVersionInfo.h"

#define ZKVA_MARKER_TEXT2(x) #x
#define ZKVA_MARKER_TEXT(x) ZKVA_MARKER_TEXT2(x)

/// The prefix before the version; kept separate so the scanner can name it
/// without writing the text a second time into the library.
constexpr int kZkvaFileVersionPrefixLength = 18;

[[gnu::used]] static const char kZkvaFileVersionMarker[] =
    "ZKVA-FILE-VERSION:" ZKVA_MARKER_TEXT(ZKVA_VERSION_MAJOR) "." ZKVA_MARKER_TEXT(
        ZKVA_VERSION_MINOR) "." ZKVA_MARKER_TEXT(ZKVA_VERSION_RELEASE) "." ZKVA_MARKER_TEXT(ZKVA_VERSION_BUILD);
