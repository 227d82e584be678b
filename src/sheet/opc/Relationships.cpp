// The relationships of one package part.
#include "sheet/opc/Relationships.h"

#include "sheet/container/MemoryByteSource.h"
#include "sheet/container/XmlPullParser.h"
#include "sheet/opc/PartNames.h"

namespace quorvex::sheet::opc {
namespace {

constexpr std::uint64_t kMaxRelationshipsPartSize = std::uint64_t{16} << 20;

}  // namespace

std::string_view RelationshipTypeName(std::string_view type) {
  const std::size_t slash = type.rfind('/');
  return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

Relationships Relationships::Read(container::ZipArchive& archive, std::string_view source_part) {
  const std::string rels_part = RelationshipsPartOf(source_part);
  const container::ZipEntry* entry = archive.Find(rels_part);
  if (entry == nullptr) return {};
  Relationships relationships =
      Parse(archive.ReadEntry(*entry, kMaxRelationshipsPartSize), entry->name, source_part);
  for (Relationship& relationship : relationships.relationships_) {
    if (relationship.target.empty() || archive.Find(relationship.target) != nullptr) continue;
    const std::optional<std::string> from_root = ResolvePartName("", relationship.written_target);
    if (from_root && archive.Find(*from_root) != nullptr) relationship.target = *from_root;
  }
  return relationships;
}

Relationships Relationships::Parse(std::string_view xml, std::string_view rels_part,
                                   std::string_view source_part) {
  container::MemoryByteSource source(xml);
  container::XmlPullParser parser(source, std::string(rels_part));
  Relationships relationships;
  using Event = container::XmlPullParser::Event;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    if (event != Event::kStartElement || parser.local_name() != "Relationship") continue;
    Relationship relationship;
    bool external = false;
    std::string_view target;
    for (const auto& attribute : parser.attributes()) {
      if (attribute.local_name == "Id") {
        relationship.id = attribute.value;
      } else if (attribute.local_name == "Type") {
        relationship.type = attribute.value;
      } else if (attribute.local_name == "Target") {
        target = attribute.value;
      } else if (attribute.local_name == "TargetMode") {
        external = attribute.value == "External";
      }
    }
    relationship.written_target = target;
    if (!external) relationship.target = ResolvePartName(source_part, target).value_or(std::string());
    relationships.by_id_.emplace(relationship.id, relationships.relationships_.size());
    relationships.relationships_.push_back(std::move(relationship));
  }
  return relationships;
}

const Relationship* Relationships::FindById(std::string_view id) const {
  const auto it = by_id_.find(std::string(id));
  return it == by_id_.end() ? nullptr : &relationships_[it->second];
}

const Relationship* Relationships::FindByType(std::string_view name) const {
  for (const Relationship& relationship : relationships_) {
    if (RelationshipTypeName(relationship.type) == name) return &relationship;
  }
  return nullptr;
}

}  // namespace quorvex::sheet::opc
