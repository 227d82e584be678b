// Builds zip archives in memory for tests.
#include "ZipWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace quorvex::sheet::test_support {
namespace {

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void Put64(std::string& out, std::uint64_t value) {
  Put32(out, static_cast<std::uint32_t>(value));
  Put32(out, static_cast<std::uint32_t>(value >> 32));
}

}  // namespace

ZipWriter& ZipWriter::Add(std::string name, std::string data, bool deflate) {
  Entry entry;
  entry.name = std::move(name);
  entry.data = std::move(data);
  entry.deflate = deflate;
  return Add(std::move(entry));
}

ZipWriter& ZipWriter::Prefix(std::string bytes) {
  prefix_ = std::move(bytes);
  return *this;
}

ZipWriter& ZipWriter::Add(Entry entry) {
  entries_.push_back(std::move(entry));
  return *this;
}

std::string ZipWriter::Deflate(const std::string& data) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2 failed");
  }
  std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

std::string ZipWriter::Finish(bool zip64) const {
  std::string archive;
  std::string directory;
  for (const Entry& entry : entries_) {
    const std::string compressed =
        entry.raw_compressed ? *entry.raw_compressed : (entry.deflate ? Deflate(entry.data) : entry.data);
    const std::uint16_t method = entry.method ? *entry.method : (entry.deflate ? 8 : 0);
    const std::uint32_t crc =
        entry.declared_crc
            ? *entry.declared_crc
            : static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()),
                                               static_cast<uInt>(entry.data.size())));
    const std::uint32_t size =
        entry.declared_size ? *entry.declared_size : static_cast<std::uint32_t>(entry.data.size());
    const std::uint32_t compressed_size = entry.declared_compressed_size
                                              ? *entry.declared_compressed_size
                                              : static_cast<std::uint32_t>(compressed.size());
    const auto offset = static_cast<std::uint32_t>(archive.size());
    const std::uint16_t flags =
        static_cast<std::uint16_t>(entry.flags | (entry.data_descriptor ? 0x0008 : 0));

    Put32(archive, 0x04034b50);
    Put16(archive, 20);
    Put16(archive, flags);
    Put16(archive, method);
    Put32(archive, 0);  // time and date
    Put32(archive, entry.data_descriptor ? 0 : crc);
    Put32(archive, entry.data_descriptor ? 0 : compressed_size);
    Put32(archive, entry.data_descriptor ? 0 : size);
    Put16(archive, static_cast<std::uint32_t>(entry.name.size()));
    Put16(archive, 0);
    archive += entry.name;
    archive += compressed;
    if (entry.data_descriptor) {
      Put32(archive, 0x08074b50);
      Put32(archive, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()),
                                                      static_cast<uInt>(entry.data.size()))));
      Put32(archive, static_cast<std::uint32_t>(compressed.size()));
      Put32(archive, static_cast<std::uint32_t>(entry.data.size()));
    }

    std::string extra;
    if (zip64) {
      Put16(extra, 0x0001);
      Put16(extra, 24);
      Put64(extra, size);
      Put64(extra, compressed_size);
      Put64(extra, offset);
    }
    Put32(directory, 0x02014b50);
    Put16(directory, zip64 ? 45 : 20);
    Put16(directory, zip64 ? 45 : 20);
    Put16(directory, flags);
    Put16(directory, method);
    Put32(directory, 0);
    Put32(directory, crc);
    Put32(directory, zip64 ? 0xFFFFFFFF : compressed_size);
    Put32(directory, zip64 ? 0xFFFFFFFF : size);
    Put16(directory, static_cast<std::uint32_t>(entry.name.size()));
    Put16(directory, static_cast<std::uint32_t>(extra.size()));
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, zip64 ? 0xFFFFFFFF : offset);
    directory += entry.name;
    directory += extra;
  }
  const std::uint64_t directory_offset = archive.size();
  archive += directory;
  if (zip64) {
    const std::uint64_t record_offset = archive.size();
    Put32(archive, 0x06064b50);
    Put64(archive, 44);
    Put16(archive, 45);
    Put16(archive, 45);
    Put32(archive, 0);
    Put32(archive, 0);
    Put64(archive, entries_.size());
    Put64(archive, entries_.size());
    Put64(archive, directory.size());
    Put64(archive, directory_offset);
    Put32(archive, 0x07064b50);
    Put32(archive, 0);
    Put64(archive, record_offset);
    Put32(archive, 1);
  }
  Put32(archive, 0x06054b50);
  Put16(archive, 0);
  Put16(archive, 0);
  Put16(archive, zip64 ? 0xFFFF : static_cast<std::uint32_t>(entries_.size()));
  Put16(archive, zip64 ? 0xFFFF : static_cast<std::uint32_t>(entries_.size()));
  Put32(archive, zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(directory.size()));
  Put32(archive, zip64 ? 0xFFFFFFFF : static_cast<std::uint32_t>(directory_offset));
  Put16(archive, 0);
  return prefix_ + archive;
}

}  // namespace quorvex::sheet::test_support
