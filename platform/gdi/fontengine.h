// The font engine under the text routines: maps logical font requests onto the
// installed faces (fontconfig), realises them at a pixel size (FreeType) and
// caches their glyphs as 8-bit coverage masks.
//
// Vocabulary used by the text code:
//   em        the font's nominal pixel size (ppem); a negative lfHeight asks for it directly
//   cell      ascent + descent, the height a positive lfHeight asks for
//   coverage  one byte per pixel, 0 = untouched, 255 = fully covered; monochrome
//             fonts produce only 0 and 255
//   pen       the running position on the baseline, in whole pixels; glyph advances
//             are whole pixels so that measuring and drawing agree exactly
//
// Text space has x along the baseline and y downwards; a font with an
// escapement rotates text space around the reference point when drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace win::fontengine {

// What a logical font asks for, in the platform's terms.
struct FontRequest {
  std::string faceName;
  int32_t height = 0;      // < 0: em height; > 0: cell height; 0: the default size
  int32_t width = 0;       // average character width; 0: natural
  int32_t escapement = 0;  // tenths of a degree, counter-clockwise
  int32_t weight = 400;    // 0 counts as 400
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charSet = 0;
  uint8_t quality = 0;  // NONANTIALIASED_QUALITY (3) renders monochrome
  uint8_t pitchAndFamily = 0;

  friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// A coverage mask placed relative to an origin (the glyph origin for glyphs).
struct Coverage {
  int32_t left = 0;  // offset of column 0 from the origin
  int32_t top = 0;   // offset of row 0 from the origin (y down)
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> data;  // width * height bytes, row by row
  bool Empty() const { return width <= 0 || height <= 0; }
  uint8_t At(int32_t x, int32_t y) const { return data[size_t(y) * size_t(width) + size_t(x)]; }
};

struct Glyph {
  int32_t advance = 0;  // whole pixels along the baseline
  int32_t abcA = 0;     // left side bearing of the unrotated glyph
  int32_t abcB = 0;     // ink width
  Coverage image;       // already rotated by the font's escapement
};

struct FontMetrics {
  int32_t em = 0;
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t height = 0;  // ascent + descent
  int32_t internalLeading = 0;
  int32_t externalLeading = 0;
  int32_t aveCharWidth = 0;
  int32_t maxCharWidth = 0;
  int32_t weight = 400;
  bool italic = false;
  bool fixedPitch = false;
  bool symbol = false;  // the built-in Marlett glyph font
  int32_t underlinePosition = 0;   // below the baseline, pixels (positive = down)
  int32_t underlineThickness = 1;
  int32_t strikeoutPosition = 0;   // above the baseline, pixels (positive = up)
  int32_t strikeoutThickness = 1;
  int32_t firstChar = 32;
  int32_t lastChar = 0xFFFC;
  int32_t defaultChar = 0x1F;
  int32_t breakChar = 32;
  std::string faceName;    // the name the request gave (what GetTextFace reports)
  std::string familyName;  // the installed family actually used
};

class GlyphSource;

// A font at one size and angle. Shared by every DC that selects an equal
// request; glyphs are rendered on first use and kept.
class RealizedFont {
public:
  explicit RealizedFont(std::unique_ptr<GlyphSource> source);
  ~RealizedFont();
  RealizedFont(const RealizedFont&) = delete;
  RealizedFont& operator=(const RealizedFont&) = delete;

  const FontMetrics& Metrics() const { return metrics_; }
  const FontRequest& Request() const { return request_; }
  bool Monochrome() const { return monochrome_; }
  int32_t Escapement() const { return escapement_; }
  double Cos() const { return cos_; }
  double Sin() const { return sin_; }

  // The returned reference stays valid as long as the font lives.
  const Glyph& GetGlyph(char32_t cp);
  int32_t Advance(char32_t cp) { return GetGlyph(cp).advance; }

private:
  friend std::shared_ptr<RealizedFont> Realize(const FontRequest& request);
  std::unique_ptr<GlyphSource> source_;
  FontRequest request_;
  FontMetrics metrics_;
  bool monochrome_ = false;
  int32_t escapement_ = 0;
  double cos_ = 1.0;
  double sin_ = 0.0;
  std::mutex mutex_;
  std::unordered_map<char32_t, Glyph> glyphs_;
};

// The realised font for a request; equal requests share one object while any
// holder keeps it, and a small cache keeps recently used ones alive.
std::shared_ptr<RealizedFont> Realize(const FontRequest& request);

// The installed family a face name is drawn with ("Tahoma" -> "Liberation Sans", ...).
// "Marlett" answers "Marlett": it is served by the built-in vector glyphs.
std::string MapFaceName(std::string_view faceName);
bool IsMarlett(std::string_view faceName);

// Point in pixels, y down.
struct PointF {
  double x = 0;
  double y = 0;
};
// Scan-converts closed polygons into a coverage mask in device pixels
// (antialiased or 0/255). Non-zero winding unless evenOdd.
Coverage RasterizePolygons(const std::vector<std::vector<PointF>>& contours, bool evenOdd, bool antialias);

// The Marlett glyph of cp as polygons in an em box of size em whose top-left
// corner is (0, 0); false when the table has no such glyph.
bool MarlettGlyphContours(char32_t cp, double em, std::vector<std::vector<PointF>>& contours, bool& evenOdd);

}  // namespace win::fontengine
