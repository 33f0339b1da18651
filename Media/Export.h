#pragma once

// Symbol visibility of libtivrel_media: hidden by default, TIVREL_MEDIA_API exports.
#define TIVREL_MEDIA_API __attribute__((visibility("default")))
