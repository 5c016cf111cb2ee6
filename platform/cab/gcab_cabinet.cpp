#include "platform/cab/gcab_cabinet.h"

namespace ravelo {

bool GcabCabinet::Pack(const std::string&, const std::string&, const std::string&) { return false; }

bool GcabCabinet::ExtractFirst(const std::string&, const std::string&) { return false; }

}  // namespace ravelo
