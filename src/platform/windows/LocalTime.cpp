// The local calendar time on Windows.
#include "platform/LocalTime.h"

namespace quorvex::platform {

bool LocalTime(std::time_t time, std::tm& local) {
  return ::localtime_s(&local, &time) == 0;
}

}  // namespace quorvex::platform
