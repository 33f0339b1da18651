#pragma once

// Symbol visibility of the platform library. Everything is hidden by default (see the
// top-level CMakeLists.txt); only declarations marked TIVREL_PLATFORM_API are exported.
#define TIVREL_PLATFORM_API __attribute__((visibility("default")))

// Types whose identity must be the same in every module: exception classes caught
// across library boundaries and classes with inline virtual functions.
#define TIVREL_VISIBLE __attribute__((visibility("default")))
