#pragma once

#include "CliSupport.h"

namespace Cli {

// The --format option of the writing commands: 17 (the default) or 16. Any other value sets
// the argument error.
int WriteVersion(Arguments& args);

}  // namespace Cli
