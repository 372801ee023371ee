#pragma once
// openpty(), declared in a header that each system names its own way.

#if __has_include(<pty.h>)
#include <pty.h> // Linux
#elif __has_include(<util.h>)
#include <util.h> // macOS, NetBSD, OpenBSD
#else
#include <libutil.h> // FreeBSD
#endif
