// The diagram in memory: the document header and the object table (records, their run-time states
// and the picture each object owns), with the shared operations that keep the hierarchy consistent.
// Objects are addressed by index; objects refer to each other only by serial.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/random.h"
#include "model/records.h"
#include "platform/picture.h"

namespace ravelo {

class Messages;

struct ObjectTable {
  ObjectTable();  // kTableSlots zero-filled entries in each array
  std::vector<DiagramObject> objects;
  std::vector<ObjectState> states;
  std::vector<std::unique_ptr<Picture>> pictures;  // beside each record; null when it has none
};

struct Diagram {
  DocumentHeader header{};
  ObjectTable table;
  int32_t LevelCount = 1;  // number of hierarchy levels, set by the level computation

  int count() const { return header.ObjectCount; }
  DiagramObject& object(int index) { return table.objects[static_cast<std::size_t>(index)]; }
  const DiagramObject& object(int index) const { return table.objects[static_cast<std::size_t>(index)]; }
  ObjectState& state(int index) { return table.states[static_cast<std::size_t>(index)]; }
  const ObjectState& state(int index) const { return table.states[static_cast<std::size_t>(index)]; }
};

inline bool IsLinkArc(const DiagramObject& object) { return object.Kind == LinkArc; }
inline bool IsNode(const DiagramObject& object) { return object.Kind != LinkArc; }

// Gives the object a picture (or none), keeping its Image field in step.
void SetPicture(Diagram& diagram, int index, std::unique_ptr<Picture> picture);

// Releases every picture, clears the table and gives the header the values of a new document;
// the random generator is reseeded with seed and supplies the background colours.
void ResetToNewDocument(Diagram& diagram, RandomSource& random, uint32_t seed);

// Largest node serial plus 1; 1 when no node exists.
int32_t NewSerial(const Diagram& diagram);

// The first node with this serial, -1 when none. Link arcs never match.
int FindBySerial(const Diagram& diagram, int32_t serial);

// Whether candidate is a direct parent (directOnly) or an ancestor of node.
bool IsAncestor(const Diagram& diagram, int node, int candidate, bool directOnly);

// Number of direct children (directOnly) or descendants of node.
int CountChildren(const Diagram& diagram, int node, bool directOnly);

// Makes parent a direct parent of child; refuses an eleventh parent with message 30003.
bool AddParent(Diagram& diagram, Messages& messages, int child, int parent);

// Removes parent from child's parents; with inherit, child takes over parent's own parents.
bool RemoveParent(Diagram& diagram, int child, int parent, bool inherit);

// Takes the object out of the hierarchy before it is deleted.
void DetachObject(Diagram& diagram, int index);

// A light colour: three channels of 192..248 with one of them replaced by full.
Colour RandomPastel(RandomSource& random, int full);

struct ObjectStatistics {
  int arcs = 0, arcsWithImage = 0;
  int parentNodes = 0, parentNodesWithImage = 0;
  int endNodes = 0, endNodesWithImage = 0;
  int objects = 0;
};
ObjectStatistics CountObjects(const Diagram& diagram);

// "Arc %d(%d)", "P-Node %d(%d)", "E-Node %d(%d)", "Object %d".
std::string ArcCountText(const ObjectStatistics& s);
std::string ParentNodeCountText(const ObjectStatistics& s);
std::string EndNodeCountText(const ObjectStatistics& s);
std::string ObjectCountText(const ObjectStatistics& s);

}  // namespace ravelo
