// Part names inside an OPC package: relationship targets resolved against their source part.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvex::sheet::opc {

/// The relationships part of `source_part` ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels");
/// the package's own relationships for an empty source ("_rels/.rels").
std::string RelationshipsPartOf(std::string_view source_part);

/// Resolves a relationship target (relative to the source part's folder, or absolute from the
/// package root with a leading '/' or '\\'), percent-decoding it, reading '\\' as '/' and
/// normalising "." and ".." (".." at the root stays there). The result has no leading '/'.
/// nullopt when the target names no part (empty, or only the root).
std::optional<std::string> ResolvePartName(std::string_view source_part, std::string_view target);

}  // namespace quorvex::sheet::opc
