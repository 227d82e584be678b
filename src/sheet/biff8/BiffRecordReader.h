// The record reader of every BIFF version, as the sheet stream reader names it from biff8.
#pragma once

#include "sheet/biff/BiffRecordReader.h"

namespace quorvex::sheet::biff8 {

using biff::BiffRecordReader;

}  // namespace quorvex::sheet::biff8
