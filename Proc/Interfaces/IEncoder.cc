#include "Proc/Interfaces/IEncoder.h"

// Keys of a two-pass encoding tree; only this file reads and writes them.
const std::string IS_ANAILZE_MODE = "is_analize_mode";
const std::string LOG_FILE = "log_file";
