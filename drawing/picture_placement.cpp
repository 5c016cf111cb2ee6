#include "drawing/picture_placement.h"

#include <algorithm>

namespace ravelo {
namespace {

// Placement values out of 0..2 (a damaged record) count as centred, as the drawing does.
int Placement(int value) { return value >= 0 && value <= 2 ? value : 1; }

PicturePlacement Place(const RenderContext& context, const DiagramObject& object, const Rect& text, int a,
                       Point anchor, const Rect* boxOuter) {
  const int c = context.chart;
  const int tl = text.left, tt = text.top, tr = text.right, tb = text.bottom;
  const int tw = tr - tl, th = tb - tt;
  const int ml = context.Zoomed(object.Margin[0]), mt = context.Zoomed(object.Margin[1]);
  const int mr = context.Zoomed(object.Margin[2]), mb = context.Zoomed(object.Margin[3]);
  const int il = context.Zoomed(object.ImgMargin[0]), it = context.Zoomed(object.ImgMargin[1]);
  const int ir = context.Zoomed(object.ImgMargin[2]), ib = context.Zoomed(object.ImgMargin[3]);
  const int w = context.Zoomed(object.ImageW[c]), h = context.Zoomed(object.ImageH[c]);
  const int ax = anchor.X, ay = anchor.Y;
  const bool vertical = object.FontTate[c] != 0;
  const int alineH = Placement(object.AlineH), alineV = Placement(object.AlineV);

  // The default frame: the text with its margins.
  int fl = tl - ml, ft = tt - mt, fw = tw + ml + mr, fh = th + mt + mb;
  int x = 0, y = 0;
  if (object.SetIn == 0) {  // the picture beside the frame
    switch (alineH) {
      case 0:
        x = alineV == 1 || vertical ? fl - ir - w : fw > w ? fl : fl - fw - ir;
        break;
      case 2:
        x = alineV == 1 ? fl + fw + il : vertical ? ax + fw / 2 + il + mr : fw > w ? fl + fw - w : fl + il;
        break;
      default:
        x = fl + fw / 2 - w / 2;
    }
    const bool besideColumn = vertical && alineH != 1;
    switch (alineV) {
      case 0:
        y = besideColumn ? ft + mt + it : ft - ib - h;
        break;
      case 2:
        y = besideColumn ? ft + fh - mb - ib - h : ft + fh + it;
        break;
      default:
        y = ay - h / 2;
    }
  } else {  // the picture set against the text, inside the frame's margins
    switch (alineH) {
      case 0:
        if (alineV == 1 || vertical) {
          x = tl - ir - w;
        } else if (tw > w) {
          x = tl + il;
        } else {
          x = tl;
          fl = tl - il;
          fw = il + w + ir;
        }
        break;
      case 2:
        if (alineV == 1 || vertical) {
          x = tr + il;
        } else if (tw > w) {
          x = tr - ir - w;
        } else {
          fl = tr - ml - w;
          fw = ml + il + w + ir + mr;
          x = tl + 2 * tw - w - w / 2 + il;
        }
        break;
      default:
        x = ax - w / 2;
        if (!vertical && alineV == 1) {  // the title line: first part, picture, second part
          fl = boxOuter != nullptr
                   ? boxOuter->left + (boxOuter->right - boxOuter->left - tw - il - w - ir) / 2
                   : x - il - ml - a;
          fw = tw + ml + il + w + ir + mr;
        } else if (!vertical) {
          fl = std::min(ax - tw / 2 - ml, x - il);
          fw = ax + std::max(tw / 2 + mr, w / 2 + ir) - fl;
        }
    }
    const bool centredOnColumn = vertical && alineH == 1;
    switch (alineV) {
      case 0:
        y = !vertical             ? tt - ib - h
            : !centredOnColumn    ? tt + it
            : boxOuter != nullptr ? tt - ib - h
                                  : tt - mt - ib - h;
        break;
      case 2:
        y = !vertical ? tb + it : !centredOnColumn ? tb - h : boxOuter != nullptr ? tb + it : tb + mb + it;
        break;
      default:
        if (centredOnColumn) {  // in the column after the first part; the frame grows downwards
          y = tt + it + a;
          fh = th + mt + mb + it + ib + h;
        } else {
          y = ay - h / 2;
        }
    }
  }
  return {{fl, ft, fl + fw, ft + fh}, {x, y, x + w, y + h}};
}

}  // namespace

PicturePlacement PlacePicture(const RenderContext& context, const DiagramObject& object, const Rect& text,
                              int firstPartWidth, Point anchor) {
  return Place(context, object, text, firstPartWidth, anchor, nullptr);
}

PicturePlacement PlaceBoxPicture(const RenderContext& context, const DiagramObject& object, const Rect& text,
                                 int firstPartWidth, Point anchor, const Rect& boxOuter) {
  return Place(context, object, text, firstPartWidth, anchor, &boxOuter);
}

}  // namespace ravelo
