// How titles, memos and headlines are measured: fonts from the record's style, text blocks line by
// line, the two parts a title is split into around its picture. Texts are the document's cp932;
// they are converted for the surface here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "drawing/render_context.h"

namespace ravelo {

// The title font of an object (its FontName, FontSize, FontBold, FontItalic) at the context's zoom.
Font TitleFont(const RenderContext& context, const DiagramObject& object, bool vertical);
// The memo font of an object; vertical when the memo is written vertically in the chart shown.
Font MemoFont(const RenderContext& context, const DiagramObject& object);

// The lines of a text, split at its line feeds (double-byte characters stepped over).
std::vector<std::string_view> SplitLines(std::string_view textCp932);

// The text block in the current font, split at its line feeds: as wide as the widest line and as
// high as the lines together (the two exchanged for vertical writing), centred on the document
// point centre × zoom, 3 pixels wider on each side.
Rect MeasureText(RenderContext& context, std::string_view textCp932, bool vertical, Point centre);

// Sets the font of the headline of the chart shown and leaves its text rectangle and its rectangle
// with margins in the view state, where the headline's drawing and the layouts read them.
void LayoutHeadline(RenderContext& context);

// The extent of the whole text as one line in the current font (line feeds are not treated), its
// width and height exchanged for vertical writing.
Size OneLineExtent(Surface& surface, std::string_view textCp932, bool vertical);

// A rectangle of the size whose centre is the point: the left and top halves are truncated.
Rect CentredOn(Size size, Point centre);

// The two parts of a title around its picture: cut at the first "@" (stepping over double-byte
// characters), else at the first half-width space; the cut character belongs to neither part, and
// a cut at the first byte leaves a single space as the first part. Without either, the title is
// halved by bytes without splitting a double-byte character.
struct TitleParts {
  std::string first;  // cp932
  std::string second;
};
TitleParts SplitTitle(std::string_view titleCp932);

// The pixel width of the first part of the title in the current font.
int FirstPartWidth(Surface& surface, std::string_view titleCp932);

}  // namespace ravelo
