// The formula decompiler, as the sheet stream reader names it from biff8.
#pragma once

#include "sheet/formula/FormulaDecompiler.h"

namespace quorvex::sheet::biff8 {

using formula::FormulaContext;
using formula::FormulaDecompiler;
using formula::FormulaLayout;

}  // namespace quorvex::sheet::biff8
