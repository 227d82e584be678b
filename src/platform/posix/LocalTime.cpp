// The local calendar time on POSIX systems.
#include "platform/LocalTime.h"

namespace quorvex::platform {

bool LocalTime(std::time_t time, std::tm& local) {
  return ::localtime_r(&time, &local) != nullptr;
}

}  // namespace quorvex::platform
