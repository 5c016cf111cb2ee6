#include "drawing/text_layout.h"

#include <algorithm>

#include "model/cp932.h"
#include "render/font.h"

namespace ravelo {
namespace {

// The position of the first byte c in the text that is a character of its own, not the second
// byte of a double-byte character; npos when there is none.
std::size_t FindCharacter(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == c) return i;
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) ++i;
  }
  return std::string_view::npos;
}

}  // namespace

Font TitleFont(const RenderContext& context, const DiagramObject& object, bool vertical) {
  return MakeFont(context.surface, FieldText(object.FontName), object.FontSize, context.zoom,
                  object.FontBold != 0, object.FontItalic != 0, vertical);
}

Font MemoFont(const RenderContext& context, const DiagramObject& object) {
  const MemoStyle& memo = object.Memo;
  return MakeFont(context.surface, FieldText(memo.FontName), memo.FontSize, context.zoom, memo.FontBold != 0,
                  memo.FontItalic != 0, memo.FontTate[context.chart] != 0);
}

std::vector<std::string_view> SplitLines(std::string_view textCp932) {
  std::vector<std::string_view> lines;
  while (true) {
    const std::size_t feed = FindCharacter(textCp932, '\n');
    lines.push_back(textCp932.substr(0, feed));
    if (feed == std::string_view::npos) return lines;
    textCp932.remove_prefix(feed + 1);
  }
}

Rect MeasureText(RenderContext& context, std::string_view textCp932, bool vertical, Point centre) {
  Size block;
  for (std::string_view line : SplitLines(textCp932)) {
    const Size extent = context.surface.TextExtent(Cp932ToUtf8(line));
    block.width = std::max(block.width, extent.width);
    block.height += extent.height;
  }
  if (vertical) std::swap(block.width, block.height);
  const Point c = context.Zoomed(centre);
  const int halfWidth = block.width / 2 + 3, halfHeight = block.height / 2;
  return {c.X - halfWidth, c.Y - halfHeight, c.X + halfWidth, c.Y + halfHeight};
}

void LayoutHeadline(RenderContext& context) {
  const HeadlineStyle& headline = context.diagram.header.Headline[context.chart];
  const bool vertical = headline.FontTate != 0;
  context.surface.SetFont(MakeFont(context.surface, FieldText(headline.FontName), headline.FontSize,
                                   context.zoom, headline.FontBold != 0, headline.FontItalic != 0, vertical));
  ViewState& view = context.view;
  view.headlineTextRect = MeasureText(context, FieldText(headline.Text), vertical, {headline.X, headline.Y});
  view.headlineRect = context.WithMargins(view.headlineTextRect, headline.Margin);
}

Size OneLineExtent(Surface& surface, std::string_view textCp932, bool vertical) {
  Size extent = surface.TextExtent(Cp932ToUtf8(textCp932));
  if (vertical) std::swap(extent.width, extent.height);
  return extent;
}

Rect CentredOn(Size size, Point centre) {
  const int left = centre.X - size.width / 2, top = centre.Y - size.height / 2;
  return {left, top, left + size.width, top + size.height};
}

TitleParts SplitTitle(std::string_view titleCp932) {
  std::size_t cut = FindCharacter(titleCp932, '@');
  if (cut == std::string_view::npos) cut = FindCharacter(titleCp932, ' ');
  if (cut == std::string_view::npos) {
    std::string first = TruncateBytes(titleCp932, titleCp932.size() / 2);
    std::string second(titleCp932.substr(first.size()));
    return {std::move(first), std::move(second)};
  }
  return {cut == 0 ? std::string(" ") : std::string(titleCp932.substr(0, cut)),
          std::string(titleCp932.substr(cut + 1))};
}

int FirstPartWidth(Surface& surface, std::string_view titleCp932) {
  return surface.TextExtent(Cp932ToUtf8(SplitTitle(titleCp932).first)).width;
}

}  // namespace ravelo
