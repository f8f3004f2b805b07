#include "core/Version.h"
