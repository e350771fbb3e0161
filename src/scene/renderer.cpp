#include "scene/renderer.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace reddoor {
namespace {

// The desktop's 3D edge colours, at their usual values.
constexpr Color kButtonHighlight = Rgb(255, 255, 255);
constexpr Color kButtonShadow = Rgb(128, 128, 128);
// The classic hatch brush repeats every 8 pixels.
constexpr int kHatchPeriod = 8;
constexpr Font kPausedFont{FontFace::Sans, 24, true};
constexpr Font kTimerFont{FontFace::Sans, 9, true};
// How dark the plate under the timer is, of 255.
constexpr std::uint8_t kTimerPlateAlpha = 170;
// A focused button's dotted frame lies this far inside its edges.
constexpr int kFocusInset = 4;

// One row of the canvas; every write is clipped to its width.
class CanvasRow {
 public:
  CanvasRow(Canvas& canvas, int y) : pixels_(canvas.Row(y)), y_(y), width_(canvas.width) {}

  void Fill(int begin, int end, Pixel pixel) {
    begin = std::max(begin, 0);
    end = std::min(end, width_);
    if (begin < end) FillPixels(pixels_ + begin, end - begin, pixel);
  }

  // The downward diagonal hatch: lines from top-left to bottom-right, one (scaled) pixel wide
  // and 8 apart, anchored to the window's origin so that neighbouring areas join up.
  void Hatch(int begin, int end, Pixel pixel, int scale) {
    begin = std::max(begin, 0);
    end = std::min(end, width_);
    const int period = kHatchPeriod * scale;
    const int phase = (y_ / scale) * scale % period;
    for (int x = begin - ((begin - phase) % period + period) % period; x < end; x += period) {
      Fill(std::max(x, begin), std::min(x + scale, end), pixel);
    }
  }

 private:
  Pixel* pixels_;
  int y_;
  int width_;
};

// The pixels of a shape on one row: [begin, end), of which [innerBegin, innerEnd) lies inside
// the border.
struct RowSpan {
  int begin = 0, end = 0, innerBegin = 0, innerEnd = 0;
};

RowSpan RectangleRow(const PixelRect& box, int y, int border) {
  if (y < box.top + border || y >= box.bottom - border) {
    return {box.left, box.right, box.right, box.right};
  }
  const int innerBegin = std::min(box.left + border, box.right);
  return {box.left, box.right, innerBegin, std::max(box.right - border, innerBegin)};
}

// The largest circle centred in a box; a pixel belongs to it when its centre does.
class CircleRows {
 public:
  CircleRows(const PixelRect& box, int border)
      : centerX_((box.left + box.right) / 2.0),
        centerY_((box.top + box.bottom) / 2.0),
        radius_(std::min(box.Width(), box.Height()) / 2.0),
        innerRadius_(radius_ - border) {}

  RowSpan Row(int y) const {
    const double dy = y + 0.5 - centerY_;
    const auto [begin, end] = Chord(radius_, dy);
    const auto [innerBegin, innerEnd] = Chord(innerRadius_, dy);
    if (innerBegin >= innerEnd) return {begin, end, end, end};
    return {begin, end, innerBegin, innerEnd};
  }

 private:
  std::pair<int, int> Chord(double radius, double dy) const {
    const double squared = radius * radius - dy * dy;
    if (radius <= 0 || squared < 0) return {0, 0};
    const double half = std::sqrt(squared);
    return {static_cast<int>(std::ceil(centerX_ - half - 0.5)),
            static_cast<int>(std::floor(centerX_ + half - 0.5)) + 1};
  }

  double centerX_, centerY_, radius_, innerRadius_;
};

// The two strokes of a cross from corner to corner of `box`, each a fifth of its width wide; a
// pixel belongs to a stroke when its centre does.
void DrawCross(const PixelRect& box, Pixel ink, Canvas& canvas) {
  const double slope = static_cast<double>(box.Width()) / std::max(box.Height(), 1);
  const double halfWidth = box.Width() / 5.0 * std::sqrt(2.0) / 2;
  const PixelRect rows = box.Intersect(canvas.Bounds());
  for (int y = rows.top; y < rows.bottom; ++y) {
    const double along = (y + 0.5 - box.top) * slope;
    CanvasRow row(canvas, y);
    for (const double middle : {box.left + along, box.right - along}) {
      const int begin = static_cast<int>(std::ceil(middle - halfWidth - 0.5));
      const int end = static_cast<int>(std::floor(middle + halfWidth - 0.5)) + 1;
      row.Fill(std::max(begin, box.left), std::min(end, box.right), ink);
    }
  }
}

// A frame of dots, one (scaled) pixel each with a gap as wide between them, just inside `r`.
void DrawDottedFrame(Canvas& canvas, const PixelRect& r, int scale) {
  const Pixel ink = ToPixel(palette::kBlack);
  for (int x = r.left; x < r.right; x += 2 * scale) {
    FillRect(canvas, {x, r.top, std::min(x + scale, r.right), r.top + scale}, ink);
    FillRect(canvas, {x, r.bottom - scale, std::min(x + scale, r.right), r.bottom}, ink);
  }
  for (int y = r.top; y < r.bottom; y += 2 * scale) {
    FillRect(canvas, {r.left, y, r.left + scale, std::min(y + scale, r.bottom)}, ink);
    FillRect(canvas, {r.right - scale, y, r.right, std::min(y + scale, r.bottom)}, ink);
  }
}

// Edges `width` pixels wide just inside `r`: the top and left ones in one colour, the bottom
// and right ones, which own the corners they share, in another.
void DrawBevel(Canvas& canvas, const PixelRect& r, int width, Pixel topLeft, Pixel bottomRight) {
  FillRect(canvas, {r.left, r.top, r.right, r.top + width}, topLeft);
  FillRect(canvas, {r.left, r.top, r.left + width, r.bottom}, topLeft);
  FillRect(canvas, {r.left, r.bottom - width, r.right, r.bottom}, bottomRight);
  FillRect(canvas, {r.right - width, r.top, r.right, r.bottom}, bottomRight);
}

Pixel Blend(Pixel under, Pixel ink, std::uint8_t alpha) {
  if (alpha == 0) return under;
  if (alpha == 255) return ink;
  Pixel out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const Pixel a = (ink >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    out |= ((a * alpha + b * (255u - alpha) + 127) / 255) << shift;
  }
  return out;
}

// Lays a coverage mask in `color` with its top-left corner at (x, y), clipped to `clip`.
void DrawMask(const GlyphMask& mask, int x, int y, const PixelRect& clip, Color color,
              Canvas& canvas) {
  const PixelRect area =
      PixelRect{x, y, x + mask.width, y + mask.height}.Intersect(clip).Intersect(canvas.Bounds());
  if (area.Empty()) return;
  const Pixel ink = ToPixel(color);
  for (int row = area.top; row < area.bottom; ++row) {
    const std::uint8_t* coverage =
        mask.coverage.data() + static_cast<std::ptrdiff_t>(row - y) * mask.width + (area.left - x);
    Pixel* out = canvas.Row(row) + area.left;
    for (int i = 0; i < area.Width(); ++i) out[i] = Blend(out[i], ink, coverage[i]);
  }
}

// A picture's 0xAABBGGRR pixel in the canvas's order.
constexpr Pixel FromRgba(std::uint32_t rgba) {
  return 0xFF000000u | (rgba & 0x0000FF00u) | ((rgba & 0xFFu) << 16) | ((rgba >> 16) & 0xFFu);
}

// Draws a picture unscaled, each of its pixels as a `scale` x `scale` square, from the top-left
// corner of `area` and clipped to it; `back` shows where the picture is transparent.
void DrawPicture(const Image& image, const PixelRect& area, Pixel back, int scale, Canvas& canvas) {
  const PixelRect shown = PixelRect{area.left, area.top, area.left + image.width * scale,
                                    area.top + image.height * scale}
                              .Intersect(area)
                              .Intersect(canvas.Bounds());
  if (shown.Empty()) return;
  const std::size_t rowBytes = static_cast<std::size_t>(shown.Width()) * sizeof(Pixel);
  for (int y = shown.top; y < shown.bottom; ++y) {
    Pixel* out = canvas.Row(y) + shown.left;
    if (y > shown.top && (y - area.top) % scale != 0) {  // the same picture row as above
      std::memcpy(out, out - canvas.width, rowBytes);
      continue;
    }
    const std::uint32_t* source =
        image.pixels.data() + static_cast<std::ptrdiff_t>((y - area.top) / scale) * image.width;
    int column = (shown.left - area.left) / scale, repeat = (shown.left - area.left) % scale;
    for (Pixel* const end = out + shown.Width(); out != end; ++out) {
      const std::uint32_t rgba = source[column];
      *out = rgba >> 24 != 0 ? FromRgba(rgba) : back;
      if (++repeat == scale) {
        repeat = 0;
        ++column;
      }
    }
  }
}

int CenteredStart(int start, int room, int size) {
  return start + (room - size) / 2;
}

}  // namespace

Renderer::Renderer(TextRasterizer& text, PictureSource& pictures, int scale)
    : text_(text), pictures_(pictures), scale_(scale) {}

void Renderer::Draw(const Scene& scene, Canvas& canvas) {
  const WindowLayout& layout = scene.Layout();
  canvas.Resize(TwipsToPixels(layout.clientWidth, scale_),
                TwipsToPixels(layout.clientHeight, scale_));
  FillRect(canvas, canvas.Bounds(), ToPixel(layout.background));
  for (const Control* control : scene.DrawOrder()) {
    if (!control->visible) continue;
    switch (control->Kind()) {
      case ControlKind::Shape:
        DrawShape(*control, canvas);
        break;
      case ControlKind::Label:
        DrawLabel(*control, canvas);
        break;
      case ControlKind::Button:
        DrawButton(*control, canvas);
        break;
      case ControlKind::PictureBox:
        DrawPictureBox(*control, canvas);
        break;
      case ControlKind::Timer:
        break;
    }
  }
}

void Renderer::DrawPaused(Canvas& canvas) {
  for (Pixel& pixel : canvas.pixels) pixel = 0xFF000000u | ((pixel >> 1) & 0x7F7F7Fu);
  const GlyphMask& mask = text_.Render(kPausedFont, scale_, "Paused");
  DrawMask(mask, CenteredStart(0, canvas.width, mask.width),
           CenteredStart(0, canvas.height, mask.height), canvas.Bounds(),
           palette::kWindowBackground, canvas);
}

PixelRect Renderer::DrawTimer(const TimerView& timer, Canvas& canvas) {
  struct Line {
    std::string_view text;
    Color color;
  };
  std::vector<Line> lines;
  if (!timer.split.empty()) lines.push_back({timer.split, timer.splitColor});
  lines.push_back({timer.time, timer_colors::kText});
  const int margin = 3 * scale_;
  const int lineHeight = text_.LineHeight(kTimerFont, scale_);
  int width = 0;
  for (const Line& line : lines)
    width = std::max(width, text_.Width(kTimerFont, scale_, line.text));
  const int height = lineHeight * static_cast<int>(lines.size());
  const PixelRect plate =
      PixelRect{canvas.width - width - 3 * margin, canvas.height - height - 3 * margin,
                canvas.width - margin, canvas.height - margin}
          .Intersect(canvas.Bounds());
  const Pixel shade = ToPixel(timer_colors::kPlate);
  for (int y = plate.top; y < plate.bottom; ++y) {
    Pixel* row = canvas.Row(y);
    for (int x = plate.left; x < plate.right; ++x) row[x] = Blend(row[x], shade, kTimerPlateAlpha);
  }
  int y = plate.top + margin;
  for (const Line& line : lines) {
    const GlyphMask& mask = text_.Render(kTimerFont, scale_, line.text);
    DrawMask(mask, plate.right - margin - mask.width, y, plate, line.color, canvas);
    y += lineHeight;
  }
  return plate;
}

void Renderer::DrawShape(const Control& control, Canvas& canvas) const {
  const ControlRecord& look = *control.record;
  const PixelRect box = BoxOf(control);
  if (look.shape == ShapeKind::Cross) return DrawCross(box, ToPixel(look.fillColor), canvas);
  const PixelRect rows = box.Intersect(canvas.Bounds());
  const int border = look.border ? scale_ : 0;
  const CircleRows circle(box, border);
  for (int y = rows.top; y < rows.bottom; ++y) {
    const RowSpan span =
        look.shape == ShapeKind::Circle ? circle.Row(y) : RectangleRow(box, y, border);
    CanvasRow row(canvas, y);
    if (look.opaque) row.Fill(span.begin, span.end, ToPixel(look.backColor));
    if (look.fill == FillStyle::Solid) row.Fill(span.begin, span.end, ToPixel(look.fillColor));
    if (look.fill == FillStyle::DownwardDiagonal) {
      row.Hatch(span.begin, span.end, ToPixel(look.fillColor), scale_);
    }
    if (look.border) {
      row.Fill(span.begin, span.innerBegin, ToPixel(look.borderColor));
      row.Fill(span.innerEnd, span.end, ToPixel(look.borderColor));
    }
  }
}

void Renderer::DrawLabel(const Control& control, Canvas& canvas) {
  const ControlRecord& look = *control.record;
  const PixelRect box = BoxOf(control);
  FillRect(canvas, box, ToPixel(look.backColor));
  const int lineHeight = text_.LineHeight(look.font, scale_);
  int y = box.top;
  for (std::string_view line : WrapText(look.font, control.caption, box.Width())) {
    const GlyphMask& mask = text_.Render(look.font, scale_, line);
    const int x = look.alignment == Alignment::Center
                      ? CenteredStart(box.left, box.Width(), mask.width)
                      : box.left;
    DrawMask(mask, x, y, box, control.foreColor, canvas);
    y += lineHeight;
  }
}

std::vector<std::string_view> Renderer::WrapText(const Font& font, std::string_view text,
                                                 int width) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;                                    // where the current line begins
  std::size_t end = std::min(text.find(' '), text.size());  // where it ends so far
  while (end < text.size()) {
    const std::size_t next = std::min(text.find(' ', end + 1), text.size());
    if (text_.Width(font, scale_, text.substr(start, next - start)) <= width) {
      end = next;
      continue;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    end = next;
  }
  lines.push_back(text.substr(start, end - start));
  return lines;
}

void Renderer::DrawButton(const Control& control, Canvas& canvas) {
  const ControlRecord& look = *control.record;
  const PixelRect box = BoxOf(control);
  FillRect(canvas, box, ToPixel(look.backColor));
  // Raised: a black frame, lit from the top left.
  DrawBevel(canvas, box, scale_, ToPixel(palette::kBlack), ToPixel(palette::kBlack));
  DrawBevel(canvas, box.Shrunk(scale_), scale_, ToPixel(kButtonHighlight), ToPixel(kButtonShadow));
  const GlyphMask& mask = text_.Render(look.font, scale_, control.caption);
  DrawMask(mask, CenteredStart(box.left, box.Width(), mask.width),
           CenteredStart(box.top, box.Height(), mask.height), box.Shrunk(2 * scale_),
           control.foreColor, canvas);
  if (look.focused) DrawDottedFrame(canvas, box.Shrunk(kFocusInset * scale_), scale_);
}

void Renderer::DrawPictureBox(const Control& control, Canvas& canvas) {
  const ControlRecord& look = *control.record;
  const PixelRect box = BoxOf(control);
  const Pixel back = ToPixel(look.backColor);
  FillRect(canvas, box, back);
  // A sprite shows its picture from its very corner; a bordered box inside its border.
  const int border = look.flat ? 0 : scale_;
  DrawPicture(pictures_.Picture(control.picture), box.Shrunk(border), back, scale_, canvas);
  if (border > 0) {
    const Pixel frame = ToPixel(palette::kWindowText);
    DrawBevel(canvas, box, border, frame, frame);
  }
}

}  // namespace reddoor
