// Which output directory entry is selected after "Remove Current Output Directory".
#include "settings/OutputDirectoryRules.h"

namespace quorvex::settings {

int SelectionAfterRemoval(int count_before, int removed) {
  const int count_after = count_before - 1;
  if (removed == count_after) {
    return count_after > 0 ? removed - 1 : -1;
  }
  return removed;
}

}  // namespace quorvex::settings
