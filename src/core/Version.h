#pragma once

// Program version shown to the user and written into reports.
inline constexpr const char* kIrvataVersion = "1.0.0";
