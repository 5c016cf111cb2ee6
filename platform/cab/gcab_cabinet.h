// The cabinet container over libgcab.
#pragma once

#include "platform/cabinet.h"

namespace ravelo {

class GcabCabinet final : public Cabinet {
 public:
  bool Pack(const std::string& sourcePath, const std::string& memberName,
            const std::string& cabinetPath) override;
  bool ExtractFirst(const std::string& cabinetPath, const std::string& destinationPath,
                    uint64_t maxBytes) override;
};

}  // namespace ravelo
