// The user-editable defaults from which new objects are built: the settings sections "NodeDef"
// (end nodes), "BoxDef" (parent nodes), "ArcDef" (link arcs, and the per-chart arc settings of every
// object) and "MemoDef" (memos). They are read afresh for every new object.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/diagram.h"
#include "platform/messages.h"
#include "platform/settings_store.h"

namespace ravelo {

inline constexpr std::string_view kNodeDefaults = "NodeDef";
inline constexpr std::string_view kBoxDefaults = "BoxDef";
inline constexpr std::string_view kArcDefaults = "ArcDef";
inline constexpr std::string_view kMemoDefaults = "MemoDef";

// The fill of a new node when its defaults hold no colour: RGB(236, 239, 255).
constexpr Colour kDefaultNodeFill = 16773100;

// What building objects needs from around the model.
struct ObjectServices {
  const SettingsStore& settings;
  Messages& messages;
  RandomSource& random;
  // Writes the default shape parameters of the arc's type in one chart; without it the plain
  // default rows are written.
  std::function<void(Diagram&, int index, int chart)> resetShapeParams;
  // Sets built-in picture number (1..17) into the object; without it the object gets no picture.
  std::function<bool(Diagram&, int index, int number)> setBuiltInPicture;
  // Called after an object was made by a user action: redraw, modified flag, counts, properties.
  std::function<void(int index)> objectCreated;
};

// The section whose defaults apply to an object of this kind.
std::string_view DefaultsSectionOf(const DiagramObject& object);

// A colour kept in the settings as a decimal string: "-1" means no colour, "" reads as 0.
Colour ParseColourSetting(std::string_view text);

// A fill colour (`refMen`) kept in the settings: "" means no colour as well.
Colour ParseFillSetting(std::string_view text);

// The default shape parameters of an arc type that need no layout (types other than the curves and wide
// arcs, whose controls depend on where the ends lie).
void WriteDefaultShapeRow(ArcStyle& arc);

// Stores the "ArcDef" per-chart arc values into one chart of an object.
void ApplyArcDefaults(Diagram& diagram, int index, int chart, const ObjectServices& services);

// Stores the "MemoDef" values into the object's memo style, for all four charts.
void ApplyMemoDefaults(Diagram& diagram, int index, const SettingsStore& settings);

struct NewObject {
  ObjectKind kind = Node;
  std::string_view title;  // cp932
  Point positions[kChartCount] = {kUnsetPoint, kUnsetPoint, kUnsetPoint, kUnsetPoint};
  int fromIndex = -1;  // link arc ends, as table indexes
  int toIndex = -1;
  bool isEndNode = true;
  int builtInPicture = 0;  // 0: the section's DefImage decides; negative: no picture
  bool interactive = true;  // made by a user action (reads the margins from the section)
};

// Appends one object built from the defaults and makes it the current object. Refuses with
// message 30163 when the table is full.
bool CreateObject(Diagram& diagram, const NewObject& request, const ObjectServices& services);


// Asks, then writes the main selection's style (its current-chart values, and the current chart's
// arc settings) into the defaults section of its kind, and confirms. False when declined or there
// is no main selection.
bool SetObjectAsDefaults(const Diagram& diagram, SettingsStore& settings, Messages& messages);

// Asks, then writes the main selection's memo style into "MemoDef", and confirms.
bool SetMemoAsDefaults(const Diagram& diagram, SettingsStore& settings, Messages& messages);

// Whether any link arc is selected.
bool HasSelectedLinkArc(const Diagram& diagram);

// Re-applies the "ArcDef" arc settings of the current chart to every selected link arc. The caller
// takes the undo snapshot first. Returns how many arcs changed.
int ApplyArcDefaultsToSelection(Diagram& diagram, const ObjectServices& services);

}  // namespace ravelo
