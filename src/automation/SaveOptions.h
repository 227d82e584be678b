// How an application started by a front end writes the text of the files it saves.
#pragma once

namespace quorvex::automation {

/// The encoding of CSV and TXT files.
enum class TextEncoding {
  kUtf8,         // UTF-8 without byte-order mark
  kUtf8Bom,      // UTF-8 after a byte-order mark
  kWindows1252,  // the Western Windows ("ANSI") code page, '?' for characters it cannot hold
};

/// The encoding of dBASE character fields.
enum class DbfEncoding {
  kCodePage,  // the first Windows code page holding the text, '?' for what none holds
  kUtf8,      // UTF-8, named by a .cpg file beside the table
};

struct SaveOptions {
  TextEncoding text = TextEncoding::kUtf8;
  DbfEncoding dbf = DbfEncoding::kCodePage;
};

}  // namespace quorvex::automation
