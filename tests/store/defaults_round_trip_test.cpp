// The defaults of new objects go through the real settings file: set from an object, read back by
// a fresh store, and used for the next object.
#include <gtest/gtest.h>

#include "model/cp932.h"
#include "model/object_defaults.h"
#include "platform/store/key_file_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

TEST(DefaultsRoundTrip, AnObjectsStyleSurvivesTheSettingsFile) {
  testing::ScratchFolder folder;
  const std::string path = folder / "Ravelo.ini";
  testing::RecordingMessages messages;
  RandomSource random(1);
  Diagram d;

  {
    KeyFileSettings store(path);
    store.WriteInt("SYS", "BkColRnd", 0);
    ObjectServices services{store, messages, random, {}, {}, {}};
    ASSERT_TRUE(CreateObject(d, {}, services));
    DiagramObject& o = d.object(0);
    SetFieldText(o.FontName, Utf8ToCp932("ＭＳ 明朝").text, kFontFaceBytes);
    o.FontSize = 14;
    o.refMen = kNoColour;
    o.refLine = Rgb(12, 34, 56);
    o.Margin[3] = 9;
    o.Arc[BoxChart].End[0].EndMen = kNoColour;
    o.Memo.refMen = Rgb(250, 240, 230);
    ASSERT_TRUE(SetObjectAsDefaults(d, store, messages));
    ASSERT_TRUE(SetMemoAsDefaults(d, store, messages));
  }

  KeyFileSettings reopened(path);
  ObjectServices services{reopened, messages, random, {}, {}, {}};
  ASSERT_TRUE(CreateObject(d, {}, services));
  const DiagramObject& next = d.object(1);
  EXPECT_EQ(Cp932ToUtf8(FieldText(next.FontName)), "ＭＳ 明朝");
  EXPECT_EQ(next.FontSize, 14);
  EXPECT_EQ(next.refMen, kNoColour) << "a node without fill makes the next node without fill";
  EXPECT_EQ(next.refLine, Rgb(12, 34, 56));
  EXPECT_EQ(next.Margin[3], 9);
  EXPECT_EQ(next.Arc[StarChart].End[0].EndMen, Rgb(166, 202, 240))
      << "a node's arc values go to its own section, never over the link-arc defaults";
  EXPECT_EQ(reopened.ReadString("NodeDef", "EndMen1", ""), "-1");
  EXPECT_EQ(next.Memo.refMen, Rgb(250, 240, 230));
}

}  // namespace
}  // namespace ravelo
