#pragma once

#include "subcommand.h"

// Standard output flushed and checked: a write that failed (a full disk, a
// closed pipe) must not pass for success. On failure says so on stderr
// ("无法写出标准输出: 磁盘已满"), once however often asked, and returns false.
bool StandardOutputWritten(CliStreams &streams);
