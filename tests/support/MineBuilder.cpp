#include "support/MineBuilder.h"
