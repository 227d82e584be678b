// The relationships of one package part (a .rels part): id, type and resolved target of each.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sheet/container/ZipArchive.h"

namespace quorvex::sheet::opc {

struct Relationship {
  std::string id;
  std::string type;            // full URI
  std::string target;          // resolved part name; empty for external or unresolvable targets
  std::string written_target;  // as the .rels part states it
};

class Relationships {
 public:
  /// Reads the relationships of `source_part` ("" for the package itself). A missing .rels part
  /// means no relationships. A target that names no entry of the archive but does name one when
  /// read from the package root (a common writer slip) resolves to that entry. Throws SheetError
  /// when the part is malformed.
  static Relationships Read(container::ZipArchive& archive, std::string_view source_part);

  /// Parses a .rels document.
  static Relationships Parse(std::string_view xml, std::string_view rels_part, std::string_view source_part);

  const Relationship* FindById(std::string_view id) const;
  /// The first relationship whose type's last segment is `name` ("worksheet", "styles", ...),
  /// so transitional and strict type URIs match alike.
  const Relationship* FindByType(std::string_view name) const;
  const std::vector<Relationship>& all() const { return relationships_; }

 private:
  std::vector<Relationship> relationships_;
  std::unordered_map<std::string, std::size_t> by_id_;  // the first of repeated ids wins
};

/// The last segment of a relationship type URI.
std::string_view RelationshipTypeName(std::string_view type);

}  // namespace quorvex::sheet::opc
