// The container of a document on disk: a Microsoft Cabinet with one MSZIP-compressed folder that
// holds one member, the document body.
#pragma once

#include <cstdint>
#include <string>

namespace ravelo {

class Cabinet {
 public:
  virtual ~Cabinet() = default;

  // Writes a cabinet to cabinetPath (replacing what the file held) whose one member, memberName,
  // holds the bytes of sourcePath and carries its modification date and time (local time). True
  // once the whole cabinet is written and closed; on false the file at cabinetPath may be incomplete.
  virtual bool Pack(const std::string& sourcePath, const std::string& memberName,
                    const std::string& cabinetPath) = 0;

  // Writes the bytes of the cabinet's first member, whatever its name, to destinationPath (the member's
  // name is never used as a path). False when cabinetPath is no readable cabinet, holds no member or its
  // data do not decompress; destinationPath may then hold part of the member. A member that declares
  // more than maxBytes is refused before anything of it is written.
  virtual bool ExtractFirst(const std::string& cabinetPath, const std::string& destinationPath,
                            uint64_t maxBytes) = 0;
};

}  // namespace ravelo
