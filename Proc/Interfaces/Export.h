#pragma once

/// Symbol visibility of libtivrel_proc: hidden by default, TIVREL_PROC_API exports.
#define TIVREL_PROC_API __attribute__((visibility("default")))
