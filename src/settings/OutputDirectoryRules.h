// Which output directory entry is selected after "Remove Current Output Directory".
#pragma once

namespace quorvex::settings {

/// The position to select after removing position `removed` from a list of `count_before`
/// entries: the entry that moved up into its place, else the new last entry, else -1 (none).
int SelectionAfterRemoval(int count_before, int removed);

}  // namespace quorvex::settings
