// The local calendar time, which the C library gives thread-safely under different names.
#pragma once

#include <ctime>

namespace quorvex::platform {

/// `time` in the local time zone (localtime_r). False when it cannot be represented.
bool LocalTime(std::time_t time, std::tm& local);

}  // namespace quorvex::platform
