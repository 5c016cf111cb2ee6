#include "app/manual_location.h"

#include <gtest/gtest.h>

namespace ravelo {
namespace {

TEST(ManualLocation, TheManualIsFoundBesideTheFolderTheProgramIsInstalledIn) {
  const struct {
    const char* program;
    const char* manual;
  } cases[] = {
      {"/usr/bin/ravelo", "/usr/share/ravelo/manual/index.html"},
      {"/usr/local/bin/ravelo", "/usr/local/share/ravelo/manual/index.html"},
      {"/tmp/root/opt/ラヴェロ/bin/ravelo", "/tmp/root/opt/ラヴェロ/share/ravelo/manual/index.html"},
      {"/home/u/build/../stage/bin/ravelo", "/home/u/stage/share/ravelo/manual/index.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(ManualPath(c.program), c.manual) << c.program;
}

}  // namespace
}  // namespace ravelo
