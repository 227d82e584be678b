// The code page of every BIFF version, as the sheet stream reader names it from biff8.
#pragma once

#include "sheet/biff/CodePage.h"

namespace quorvex::sheet::biff8 {

using biff::CodePage;

}  // namespace quorvex::sheet::biff8
